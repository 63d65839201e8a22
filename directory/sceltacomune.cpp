#include "directory/sceltacomune.h"

#include "aiuto/applicazione.h"
#include "directory/rotellafuoco.h"
#include "gridkit/pannello/pannelloavanzato.h"
#include "messaggi/messaggi.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace borgal {

namespace {

constexpr int LarghezzaClient = 364;
constexpr int AltezzaClient = 295;
constexpr int AltezzaStatusBar = 17;
constexpr int AltezzaPulsanti = 50;
constexpr int AltezzaElemento = 13;

// The form of ElencoSuggerimenti while it exists.
TSceltaComune_Form* SceltaComune_Form = nullptr;

class FormAttiva {
public:
    explicit FormAttiva(TSceltaComune_Form& form) { SceltaComune_Form = &form; }
    ~FormAttiva() { SceltaComune_Form = nullptr; }
    FormAttiva(const FormAttiva&) = delete;
    FormAttiva& operator=(const FormAttiva&) = delete;
};

void ImpostaSuggerimento(QWidget* w, const QString& suggerimento)
{
    const int barra = suggerimento.indexOf(u'|');
    w->setToolTip(barra < 0 ? suggerimento : suggerimento.left(barra));
    w->setStatusTip(ParteLungaSuggerimento(suggerimento));
}

} // namespace

QString ParteLungaSuggerimento(const QString& suggerimento)
{
    const int barra = suggerimento.indexOf(u'|');
    return barra < 0 ? suggerimento : suggerimento.mid(barra + 1);
}

TSceltaComune_Form::TSceltaComune_Form(QWidget* genitore)
    : QDialog(genitore ? genitore : aiuto::FinestraPrincipale(),
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("SceltaComune_Form"));
    setFixedSize(LarghezzaClient, AltezzaClient);

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);

    StatusBar = new QLabel(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(AltezzaStatusBar);
    StatusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    colonna->addWidget(StatusBar);

    AdvancedPanel1 = new gridkit::TAdvancedPanel(this);
    AdvancedPanel1->setObjectName(QStringLiteral("AdvancedPanel1"));
    colonna->addWidget(AdvancedPanel1, 1);

    Panel = new QFrame(AdvancedPanel1);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    gridkit::ImpostaAllineamento(Panel, gridkit::alClient);

    auto* contenuto = new QVBoxLayout(Panel);
    contenuto->setContentsMargins(8, 6, 8, 8);
    contenuto->setSpacing(4);
    Frase_Label = new QLabel(QStringLiteral("Cosa intendevi?"), Panel);
    Frase_Label->setObjectName(QStringLiteral("Frase_Label"));
    contenuto->addWidget(Frase_Label);

    ElencoComuni_TextListBox = new QListWidget(Panel);
    ElencoComuni_TextListBox->setObjectName(QStringLiteral("ElencoComuni_TextListBox"));
    ElencoComuni_TextListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ElencoComuni_TextListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ElencoComuni_TextListBox->setUniformItemSizes(true);
    QPalette tavolozza = ElencoComuni_TextListBox->palette();
    tavolozza.setColor(QPalette::Base, QColor(0x00, 0xFF, 0xFF)); // aqua
    ElencoComuni_TextListBox->setPalette(tavolozza);
    contenuto->addWidget(ElencoComuni_TextListBox, 1, Qt::AlignTop);

    AdvancedPanel2 = new gridkit::TAdvancedPanel(this);
    AdvancedPanel2->setObjectName(QStringLiteral("AdvancedPanel2"));
    AdvancedPanel2->setFixedHeight(AltezzaPulsanti);
    colonna->addWidget(AdvancedPanel2);

    auto* pulsanti = new QHBoxLayout(AdvancedPanel2);
    pulsanti->addStretch(1);
    Ok_BitBtn = new QPushButton(QStringLiteral("OK"), AdvancedPanel2);
    Ok_BitBtn->setObjectName(QStringLiteral("Ok_BitBtn"));
    Ok_BitBtn->setDefault(true);
    ImpostaSuggerimento(Ok_BitBtn, QStringLiteral("Conferma i dati ed esce"));
    pulsanti->addWidget(Ok_BitBtn);
    pulsanti->addSpacing(16);
    Annulla_BitBtn = new QPushButton(QStringLiteral("Annulla"), AdvancedPanel2);
    Annulla_BitBtn->setObjectName(QStringLiteral("Annulla_BitBtn"));
    ImpostaSuggerimento(Annulla_BitBtn, QStringLiteral("Annulla le modifiche ed esce"));
    pulsanti->addWidget(Annulla_BitBtn);
    pulsanti->addStretch(1);

    connect(Ok_BitBtn, &QPushButton::clicked, this, &TSceltaComune_Form::Ok_BitBtnClick);
    connect(Annulla_BitBtn, &QPushButton::clicked, this, &TSceltaComune_Form::reject);
    connect(ElencoComuni_TextListBox, &QListWidget::itemDoubleClicked, this,
            &TSceltaComune_Form::ElencoComuni_TextListBoxDblClick);

    rotella_ = new RotellaSpostaFuoco(this);
    ElencoComuni_TextListBox->setFocus();
}

TSceltaComune_Form::~TSceltaComune_Form() = default;

TSceltaComune_Form* TSceltaComune_Form::Attiva() { return SceltaComune_Form; }

void TSceltaComune_Form::Imposta(const QString& titolo, const QString& domanda, const QStringList& candidati)
{
    ElencoComuni_TextListBox->clear();
    for (const QString& nome : candidati) {
        auto* elemento = new QListWidgetItem(nome, ElencoComuni_TextListBox);
        elemento->setSizeHint(QSize(0, AltezzaElemento));
    }
    ElencoComuni_TextListBox->clearSelection();
    ElencoComuni_TextListBox->setCurrentRow(-1, QItemSelectionModel::Clear);
    setWindowTitle(titolo);
    Frase_Label->setText(domanda);
}

QString TSceltaComune_Form::Scelta() const
{
    const auto scelti = ElencoComuni_TextListBox->selectedItems();
    return scelti.isEmpty() ? QString() : scelti.front()->text();
}

void TSceltaComune_Form::Ok_BitBtnClick()
{
    if (ElencoComuni_TextListBox->selectedItems().isEmpty())
        return; // nothing chosen: the question stays
    done(messaggi::mrOk);
}

void TSceltaComune_Form::ElencoComuni_TextListBoxDblClick(QListWidgetItem*) { Ok_BitBtnClick(); }

void TSceltaComune_Form::reject() { done(messaggi::mrCancel); }

bool TSceltaComune_Form::event(QEvent* evento)
{
    if (evento->type() == QEvent::StatusTip) {
        StatusBar->setText(ParteLungaSuggerimento(static_cast<QStatusTipEvent*>(evento)->tip()));
        return true;
    }
    return QDialog::event(evento);
}

void TSceltaComune_Form::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    AdattaAltezzaElenco();
    // Centred on the desktop, not on the owner window.
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        QRect cornice = frameGeometry();
        cornice.moveCenter(schermo->availableGeometry().center());
        move(cornice.topLeft());
    }
}

void TSceltaComune_Form::AdattaAltezzaElenco()
{
    // Integral height: the list shows whole items only, shrinking to the
    // last one that fits under the question.
    const QLayout* contenuto = Panel->layout();
    const QMargins margini = contenuto->contentsMargins();
    const int cornice = 2 * ElencoComuni_TextListBox->frameWidth();
    const int disponibile = Panel->contentsRect().height() - margini.top() - margini.bottom()
        - Frase_Label->sizeHint().height() - contenuto->spacing() - cornice;
    ElencoComuni_TextListBox->setFixedHeight(std::max(1, disponibile / AltezzaElemento) * AltezzaElemento + cornice);
}

QString ElencoSuggerimenti(const QString& titolo, const QString& domanda, const QStringList& candidati)
{
    if (candidati.isEmpty())
        return QString();
    TSceltaComune_Form form;
    const FormAttiva attiva(form);
    form.Imposta(titolo, domanda, candidati);
    if (messaggi::MostraModale(form) != messaggi::mrOk)
        return QString();
    return form.Scelta();
}

} // namespace borgal
