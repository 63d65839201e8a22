#include "gridkit/browser/navigatore.h"

#include "gridkit/browser/navigatoreglifi.h"
#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"
#include "tabelle/sorgente.h"

#include <QEvent>
#include <QIcon>
#include <QToolButton>

namespace gridkit {

namespace {

const char* const NomiBottoni[NumeroBottoniNavigatore] = {"nbFirst", "nbPrior", "nbNext", "nbLast"};

QString SuggerimentoPredefinito(TNavigateBtn b)
{
    switch (b) {
    case nbFirst: return QStringLiteral("Primo record");
    case nbPrior: return QStringLiteral("Record precedente");
    case nbNext: return QStringLiteral("Record successivo");
    case nbLast: return QStringLiteral("Ultimo record");
    }
    return QString();
}

} // namespace

// The navigator's view of its data source.
class TDBNavigator::Link : public tabelle::TDataLink {
public:
    explicit Link(TDBNavigator& navigatore) : navigatore_(&navigatore) {}
    ~Link() override
    {
        navigatore_ = nullptr;
        SetDataSource(nullptr);
    }
    void ActiveChanged() override
    {
        if (navigatore_)
            navigatore_->ActiveChanged();
    }
    void DataSetChanged() override
    {
        if (navigatore_)
            navigatore_->DataChanged();
    }

private:
    TDBNavigator* navigatore_;
};

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent), link_(std::make_unique<Link>(*this))
{
    for (int i = 0; i < NumeroBottoniNavigatore; ++i) {
        const auto b = TNavigateBtn(i);
        auto* bottone = new QToolButton(this);
        bottone->setObjectName(NomiBottoni[i]);
        bottone->setAutoRaise(true);
        bottone->setFocusPolicy(Qt::NoFocus);
        bottone->setIconSize(QSize(LatoGlifoNavigatore, LatoGlifoNavigatore));
        connect(bottone, &QToolButton::clicked, this, [this, b] { BtnClick(b); });
        bottoni_[size_t(i)] = bottone;
    }
    AggiornaGlifi();
    AggiornaSuggerimenti();
    resize(NumeroBottoniNavigatore * 24, 25);
    ActiveChanged();
}

TDBNavigator::~TDBNavigator()
{
    // The link goes first: no notification reaches a half-destroyed navigator.
    link_.reset();
}

tabelle::TDataSource* TDBNavigator::DataSource() const { return link_->DataSource(); }

void TDBNavigator::SetDataSource(tabelle::TDataSource* sorgente)
{
    link_->SetDataSource(sorgente);
    ActiveChanged();
}

void TDBNavigator::SetVisibleButtons(TButtonSet valore)
{
    visibili_ = valore;
    for (int i = 0; i < NumeroBottoniNavigatore; ++i)
        bottoni_[size_t(i)]->setVisible(visibili_.Contiene(TNavigateBtn(i)));
    Disponi();
}

void TDBNavigator::SetHints(const QStringList& valore)
{
    hints_ = valore;
    AggiornaSuggerimenti();
}

QString TDBNavigator::Hint(TNavigateBtn bottone) const
{
    const QString proprio = hints_.value(int(bottone));
    return proprio.isEmpty() ? SuggerimentoPredefinito(bottone) : proprio;
}

void TDBNavigator::SetShowHint(bool valore)
{
    showHint_ = valore;
    AggiornaSuggerimenti();
}

void TDBNavigator::AggiornaSuggerimenti()
{
    for (int i = 0; i < NumeroBottoniNavigatore; ++i)
        bottoni_[size_t(i)]->setToolTip(showHint_ ? Hint(TNavigateBtn(i)) : QString());
}

void TDBNavigator::AggiornaGlifi()
{
    const QColor colore = palette().color(QPalette::Active, QPalette::ButtonText);
    for (int i = 0; i < NumeroBottoniNavigatore; ++i)
        bottoni_[size_t(i)]->setIcon(QIcon(GlifoNavigatore(TNavigateBtn(i), colore)));
}

void TDBNavigator::BtnClick(TNavigateBtn bottone)
{
    if (!link_->Active())
        return;
    tabelle::TDataSet* d = link_->DataSet();
    try {
        switch (bottone) {
        case nbFirst: d->First(); break;
        case nbPrior: d->Prior(); break;
        case nbNext: d->Next(); break;
        case nbLast: d->Last(); break;
        }
    } catch (const tabelle::EAbort&) {
        return;
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        return;
    }
    emit Click(bottone);
}

void TDBNavigator::ActiveChanged()
{
    if (!link_->Active()) {
        for (QToolButton* b : bottoni_)
            b->setEnabled(false);
        return;
    }
    DataChanged();
}

void TDBNavigator::DataChanged() { AggiornaAbilitazione(); }

void TDBNavigator::AggiornaAbilitazione()
{
    const tabelle::TDataSet* d = link_->Active() ? link_->DataSet() : nullptr;
    const bool suAbilitati = d && !d->Bof();
    const bool giuAbilitati = d && !d->Eof();
    bottoni_[nbFirst]->setEnabled(suAbilitati);
    bottoni_[nbPrior]->setEnabled(suAbilitati);
    bottoni_[nbNext]->setEnabled(giuAbilitati);
    bottoni_[nbLast]->setEnabled(giuAbilitati);
}

void TDBNavigator::Disponi()
{
    const int quanti = visibili_.Quanti();
    if (quanti == 0)
        return;
    int k = 0;
    for (int i = 0; i < NumeroBottoniNavigatore; ++i) {
        if (!visibili_.Contiene(TNavigateBtn(i)))
            continue;
        const int sinistra = k * width() / quanti;
        const int destra = (k + 1) * width() / quanti;
        bottoni_[size_t(i)]->setGeometry(sinistra, 0, destra - sinistra, height());
        ++k;
    }
}

void TDBNavigator::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    Disponi();
}

void TDBNavigator::changeEvent(QEvent* evento)
{
    QWidget::changeEvent(evento);
    if (evento->type() == QEvent::PaletteChange)
        AggiornaGlifi();
}

} // namespace gridkit
