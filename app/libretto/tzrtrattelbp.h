#pragma once
// TZRTratteLbp: the results control of the survey-book search. A panel
// holding an enhanced grid on the results table TratteLibretto.db and,
// from the first time it has a parent, a record browser under it. It owns
// the results table, sets it up from the registry, colours the verdicts,
// and runs the whole search (RicercaLibretto).
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/sorgente.h"

#include <QColor>
#include <QFont>
#include <QFrame>

namespace gridkit {
class TRecordBrowser;
}

namespace tratte {

enum class TBordoGriglia { bsNone, bsSingle };
enum class TDragKind { dkDrag, dkDock };
enum class TDragMode { dmManual, dmAutomatic };

class TZRTratteLbp : public QFrame {
    Q_OBJECT
public:
    explicit TZRTratteLbp(QWidget* genitore = nullptr);
    ~TZRTratteLbp() override;

    gridkit::TNewTable& TabellaRisultati() const { return *tabella_; }
    gridkit::TNewDBGrid& Griglia() const { return *griglia_; }
    // Null until the control first has a parent.
    gridkit::TRecordBrowser* Browser() const { return browser_; }

    // "PathArchivi" + "Archivi" (with a separator between them when the
    // value has none); empty when the value is.
    static QString PercorsoArchivi();

    // Virtual operations, in slot order.
    virtual void DisegnaCella(gridkit::TCellaGriglia& cella);
    virtual void ClickTitolo(gridkit::TColumn& colonna);
    virtual void Imposta();

    // The whole survey-book search: 1 when results were written and are
    // to be shown, 2 when there is nothing to show; `esito` says why.
    int RicercaLibretto(int& esito);

    // Published properties.
    gridkit::TNewTable* GetTabellaTratte() const { return tabellaTratte_; }
    void SetTabellaTratte(gridkit::TNewTable* valore);
    TBordoGriglia GetGridBorderStyle() const;
    void SetGridBorderStyle(TBordoGriglia valore);
    gridkit::TDBGridOptions GetGridOptions() const { return griglia_->Options(); }
    void SetGridOptions(gridkit::TDBGridOptions valore) { griglia_->SetOptions(valore); }
    QColor GetGridColor() const;
    void SetGridColor(const QColor& valore);
    Qt::CursorShape GetGridDragCursor() const;
    void SetGridDragCursor(Qt::CursorShape valore);
    TDragKind GetGridDragKind() const;
    void SetGridDragKind(TDragKind valore);
    TDragMode GetGridDragMode() const;
    void SetGridDragMode(TDragMode valore);
    QColor GetGridFixedColor() const;
    void SetGridFixedColor(const QColor& valore);
    QFont GetGridFont() const { return griglia_->font(); }
    void SetGridFont(const QFont& valore) { griglia_->setFont(valore); }
    int GetGridHelpContext() const;
    void SetGridHelpContext(int valore);
    QString GetGridHint() const { return griglia_->toolTip(); }
    void SetGridHint(const QString& valore) { griglia_->setToolTip(valore); }
    gridkit::TNewDBGridOptionsMenu GetGridOptionMenu() const { return griglia_->OptionMenu; }
    void SetGridOptionMenu(gridkit::TNewDBGridOptionsMenu valore) { griglia_->OptionMenu = valore; }
    gridkit::TOrdine GetGridOrdinamento() const { return griglia_->Ordinamento; }
    void SetGridOrdinamento(gridkit::TOrdine valore) { griglia_->Ordinamento = valore; }
    bool GetGridShowHint() const { return griglia_->ShowHint; }
    void SetGridShowHint(bool valore) { griglia_->ShowHint = valore; }
    int GetGridTag() const { return griglia_->property("Tag").toInt(); }
    void SetGridTag(int valore) { griglia_->setProperty("Tag", valore); }
    QFont GetGridTitleFont() const;
    void SetGridTitleFont(const QFont& valore);
    bool GetTableRequestLive() const { return tabella_->RequestLive; }
    void SetTableRequestLive(bool valore) { tabella_->RequestLive = valore; }
    int GetTableTag() const { return tabella_->property("Tag").toInt(); }
    void SetTableTag(int valore) { tabella_->setProperty("Tag", valore); }
    // The browser's: kept until it is made.
    QString GetRBHint() const { return rbHint_; }
    void SetRBHint(const QString& valore);
    int GetRBTag() const { return rbTag_; }
    void SetRBTag(int valore);

protected:
    bool event(QEvent* evento) override;

private:
    // The base's parent setting: the browser made and set up the first time.
    void ImpostaGenitore();

    gridkit::TNewDBGrid* griglia_;
    gridkit::TNewTable* tabella_;
    tabelle::TDataSource* sorgente_;
    gridkit::TRecordBrowser* browser_ = nullptr;
    gridkit::TNewTable* tabellaTratte_ = nullptr;
    QString rbHint_;
    int rbTag_ = 0;
};

} // namespace tratte
