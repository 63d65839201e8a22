#pragma once
// TDBNavigator: a row of flat buttons that moves the dataset of a data
// source to its first, previous, next or last record. The buttons follow
// the dataset: first and previous are disabled at its beginning (Bof),
// next and last at its end (Eof), all of them while it is closed.
#include <QStringList>
#include <QWidget>

#include <array>
#include <initializer_list>
#include <memory>

class QToolButton;

namespace tabelle {
class TDataSource;
}

namespace gridkit {

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast };
inline constexpr int NumeroBottoniNavigatore = 4;

// A set of navigator buttons.
class TButtonSet {
public:
    constexpr TButtonSet() = default;
    constexpr TButtonSet(std::initializer_list<TNavigateBtn> bottoni)
    {
        for (TNavigateBtn b : bottoni)
            bit_ |= 1u << b;
    }
    static constexpr TButtonSet Tutti() { return {nbFirst, nbPrior, nbNext, nbLast}; }
    constexpr bool Contiene(TNavigateBtn b) const { return (bit_ >> b) & 1u; }
    constexpr int Quanti() const { return int(((bit_ >> 0) & 1u) + ((bit_ >> 1) & 1u) + ((bit_ >> 2) & 1u) + ((bit_ >> 3) & 1u)); }
    friend constexpr bool operator==(TButtonSet, TButtonSet) = default;

private:
    unsigned bit_ = 0;
};

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    // All four buttons, their default hints shown.
    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    tabelle::TDataSource* DataSource() const;
    void SetDataSource(tabelle::TDataSource* sorgente);

    // The visible buttons share the navigator's width from the left.
    TButtonSet VisibleButtons() const { return visibili_; }
    void SetVisibleButtons(TButtonSet valore);

    // The hints by button (index = TNavigateBtn); a missing or empty entry
    // leaves that button's default hint.
    QStringList Hints() const { return hints_; }
    void SetHints(const QStringList& valore);
    // The hint a button shows (when ShowHint).
    QString Hint(TNavigateBtn bottone) const;
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool valore);

    QToolButton* Bottone(TNavigateBtn bottone) const { return bottoni_[size_t(bottone)]; }

    // What a click on the button does: moves the dataset. An error of the
    // dataset (a pending row that cannot be written) goes to the default
    // error box.
    void BtnClick(TNavigateBtn bottone);

signals:
    // After the move of a click.
    void Click(gridkit::TNavigateBtn bottone);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    class Link;
    friend class Link;
    void ActiveChanged();
    void DataChanged();
    void AggiornaAbilitazione();
    void Disponi();
    void AggiornaSuggerimenti();
    void AggiornaGlifi();

    std::array<QToolButton*, NumeroBottoniNavigatore> bottoni_{};
    std::unique_ptr<Link> link_;
    TButtonSet visibili_ = TButtonSet::Tutti();
    QStringList hints_;
    bool showHint_ = true;
};

} // namespace gridkit
