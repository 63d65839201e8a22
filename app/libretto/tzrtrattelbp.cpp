#include "app/libretto/tzrtrattelbp.h"

#include "aiuto/contesto.h"
#include "app/archiviodati.h"
#include "app/libretto/tzrelencolbp.h"
#include "gridkit/browser/recordbrowser.h"
#include "gridkit/comune/cursoreattesa.h"
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "messaggi/messaggi.h"
#include "app/configurazione.h"

#include <QEvent>
#include <QListWidget>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tratte {

namespace {

const QString TestoSenzaOut = QStringLiteral(
    "La cartella specificata non contiene libretti in formato Pregeo:\r\nè possibile cambiare il percorso di Pregeo dal menu Strumenti");

} // namespace

TZRTratteLbp::TZRTratteLbp(QWidget* genitore)
    : QFrame(genitore), griglia_(new gridkit::TNewDBGrid(this)), tabella_(new gridkit::TNewTable(this)),
      sorgente_(new tabelle::TDataSource(this))
{
    setObjectName(QStringLiteral("ZRTratteLbp"));
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    griglia_->setObjectName(QStringLiteral("Griglia"));
    colonna->addWidget(griglia_, 1);
    if (genitore)
        ImpostaGenitore();
}

TZRTratteLbp::~TZRTratteLbp()
{
    tabellaTratte_ = nullptr;
    // The grid and the browser let go of the data source before it goes.
    griglia_->SetDataSource(nullptr);
    if (browser_)
        browser_->SetDataSource(nullptr);
    delete sorgente_;
    delete tabella_;
}

bool TZRTratteLbp::event(QEvent* evento)
{
    const bool esito = QFrame::event(evento);
    if (evento->type() == QEvent::ParentChange && parentWidget())
        ImpostaGenitore();
    return esito;
}

void TZRTratteLbp::ImpostaGenitore()
{
    if (browser_)
        return;
    browser_ = new gridkit::TRecordBrowser(this);
    browser_->setObjectName(QStringLiteral("RecordBrowser"));
    browser_->setEnabled(true);
    browser_->setToolTip(rbHint_);
    browser_->setProperty("Tag", rbTag_);
    static_cast<QVBoxLayout*>(layout())->addWidget(browser_);
    Imposta();
}

QString TZRTratteLbp::PercorsoArchivi()
{
    // "SOFTWARE\QUINTOR\ORBIS77" with the section "Tratte" is the program's key.
    return LeggiPathArchivi().isEmpty() ? QString() : CartellaDatiDaPathArchivi();
}

void TZRTratteLbp::Imposta()
{
    UsaPasswordTabelle(tabella_->sessione());
    tabella_->Close();
    tabella_->DatabaseName = PercorsoArchivi();
    tabella_->SetTableName(QStringLiteral("TratteLibretto"));
    tabella_->CachedUpdates = true;
    tabella_->NotAppend = true;
    tabella_->ReadOnly = true;
    tabella_->UniDirectional = false;
    // Metres with the three decimals they are written with.
    for (const char* campo : {"TrattaAttuale", "TrattaInArchivio", "Differenza", "ScartoQMedio"})
        tabella_->ImpostaCampo(QLatin1String(campo), {QString(), 0, QStringLiteral("#########0.000"), true});

    sorgente_->SetDataSet(tabella_);
    griglia_->SetDataSource(sorgente_);
    griglia_->ConfermaSalvaUscita = true;
    griglia_->LeggiInAvvio = true;
    griglia_->SalvaInUscita = true;
    griglia_->RegKey = QStringLiteral("impostazioni");
    griglia_->RegPathName = QStringLiteral("software\\quintor\\orbis77\\GrigliaTratteLibretto");
    griglia_->SetReadOnly(true);
    griglia_->DefaultDrawing = true;
    griglia_->setEnabled(true);
    griglia_->setFocusPolicy(Qt::StrongFocus);
    griglia_->OnDrawColumnCell = [this](gridkit::TCellaGriglia& cella) { DisegnaCella(cella); };
    griglia_->OnTitleClick = [this](gridkit::TColumn& colonna) { ClickTitolo(colonna); };

    browser_->SetDataSource(sorgente_);
    browser_->SetVisInsertButton(false);
}

void TZRTratteLbp::DisegnaCella(gridkit::TCellaGriglia& cella)
{
    const QString campo = cella.Column.FieldName();
    QColor colore;
    if (campo == QLatin1String("Differenza")) {
        colore = QColor(0, 0, 255);
    } else if (campo == QLatin1String("Urbane") || campo == QLatin1String("Extraurbane") || campo == QLatin1String("Sfavorevoli")) {
        const QString testo = griglia_->Modello().Testo(cella.Riga, cella.DataCol);
        if (!testo.contains(QLatin1String("IN")))
            colore = QColor(255, 0, 0);
    }
    if (colore.isValid()) {
        cella.Opzione.palette.setColor(QPalette::Text, colore);
        cella.Opzione.palette.setColor(QPalette::HighlightedText, colore);
    }
}

void TZRTratteLbp::ClickTitolo(gridkit::TColumn& colonna)
{
    griglia_->OrdinaColonna(colonna);
    TZRElencoLbp::TitoliRisultati(*griglia_, false);
}

void TZRTratteLbp::SetTabellaTratte(gridkit::TNewTable* valore)
{
    if (valore != tabellaTratte_)
        tabellaTratte_ = valore;
}

TBordoGriglia TZRTratteLbp::GetGridBorderStyle() const
{
    return griglia_->frameShape() == QFrame::NoFrame ? TBordoGriglia::bsNone : TBordoGriglia::bsSingle;
}

void TZRTratteLbp::SetGridBorderStyle(TBordoGriglia valore)
{
    griglia_->setFrameShape(valore == TBordoGriglia::bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

QColor TZRTratteLbp::GetGridColor() const { return griglia_->palette().color(QPalette::Base); }

void TZRTratteLbp::SetGridColor(const QColor& valore)
{
    QPalette p = griglia_->palette();
    p.setColor(QPalette::Base, valore);
    griglia_->setPalette(p);
}

Qt::CursorShape TZRTratteLbp::GetGridDragCursor() const
{
    const QVariant v = griglia_->property("DragCursor");
    return v.isValid() ? Qt::CursorShape(v.toInt()) : Qt::DragMoveCursor;
}

void TZRTratteLbp::SetGridDragCursor(Qt::CursorShape valore) { griglia_->setProperty("DragCursor", int(valore)); }

TDragKind TZRTratteLbp::GetGridDragKind() const { return TDragKind(griglia_->property("DragKind").toInt()); }
void TZRTratteLbp::SetGridDragKind(TDragKind valore) { griglia_->setProperty("DragKind", int(valore)); }

TDragMode TZRTratteLbp::GetGridDragMode() const { return griglia_->dragEnabled() ? TDragMode::dmAutomatic : TDragMode::dmManual; }
void TZRTratteLbp::SetGridDragMode(TDragMode valore) { griglia_->setDragEnabled(valore == TDragMode::dmAutomatic); }

QColor TZRTratteLbp::GetGridFixedColor() const { return griglia_->Titoli().palette().color(QPalette::Button); }

void TZRTratteLbp::SetGridFixedColor(const QColor& valore)
{
    for (QWidget* fissa : {static_cast<QWidget*>(&griglia_->Titoli()), static_cast<QWidget*>(griglia_->verticalHeader())}) {
        QPalette p = fissa->palette();
        p.setColor(QPalette::Button, valore);
        fissa->setPalette(p);
    }
}

int TZRTratteLbp::GetGridHelpContext() const { return aiuto::ContestoAiuto(griglia_); }
void TZRTratteLbp::SetGridHelpContext(int valore) { aiuto::ImpostaContestoAiuto(griglia_, valore); }

QFont TZRTratteLbp::GetGridTitleFont() const { return griglia_->Titoli().font(); }
void TZRTratteLbp::SetGridTitleFont(const QFont& valore) { griglia_->Titoli().setFont(valore); }

void TZRTratteLbp::SetRBHint(const QString& valore)
{
    rbHint_ = valore;
    if (browser_)
        browser_->setToolTip(valore);
}

void TZRTratteLbp::SetRBTag(int valore)
{
    rbTag_ = valore;
    if (browser_)
        browser_->setProperty("Tag", valore);
}

int TZRTratteLbp::RicercaLibretto(int& esito)
{
    esito = EsitoNessuno;
    if (!tabellaTratte_) {
        messaggi::MessageBox(this, QStringLiteral("La proprietà TabellaTratte deve essere assegnata"), QStringLiteral("Errore"),
                             messaggi::Pulsanti::Ok, messaggi::Icona::Errore);
        return messaggi::mrCancel;
    }
    if (!TElaborazioneLibretto::CartellePronte(*tabella_, *tabellaTratte_)) {
        esito = EsitoArchiviMancanti;
        return messaggi::mrCancel;
    }
    TElaborazioneLibretto::AzzeraRisultati(*tabella_, *tabellaTratte_);
    TZRElencoLbp elenco(*tabella_, griglia_, *tabellaTratte_, window());
    elenco.PreparaTabelle();
    {
        // The books are listed under the hourglass; the choice is the user's.
        gridkit::CursoreAttesa attesa;
        const QString cartella = TElaborazioneLibretto::PercorsoPregeo();
        elenco.ElencoLibrettiListBox->clear();
        const QStringList file = TElaborazioneLibretto::FileLibretti(cartella);
        if (file.isEmpty()) {
            messaggi::MessageBox(this, TestoSenzaOut, QStringLiteral("ERRORE"), messaggi::Pulsanti::Ok, messaggi::Icona::Errore);
            esito = EsitoNessuno;
            return messaggi::mrCancel;
        }
        elenco.ElencoLibrettiListBox->addItems(TElaborazioneLibretto::ElencoLibretti(cartella, file));
        elenco.PathDatiEdit->setText(cartella);
    }
    const int risultato = messaggi::MostraModale(elenco);
    esito = risultato == messaggi::mrOk ? EsitoNessuno : elenco.Esito();
    return risultato;
}

} // namespace tratte
