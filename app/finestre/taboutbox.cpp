#include "app/finestre/taboutbox.h"

#include "app/finestre/disegni.h"
#include "messaggi/servizio.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tratte {

namespace {

QLabel* Etichetta(QWidget* genitore, const char* nome, const QString& testo = QString())
{
    auto* etichetta = new QLabel(testo, genitore);
    etichetta->setObjectName(QString::fromLatin1(nome));
    etichetta->setTextFormat(Qt::PlainText);
    return etichetta;
}

} // namespace

TAboutBox::TAboutBox(QWidget* genitore)
    : QDialog(genitore, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , Panel1(new QFrame(this))
    , ProgramIcon(Etichetta(Panel1, "ProgramIcon"))
    , Image1(Etichetta(Panel1, "Image1"))
    , ProductName(Etichetta(Panel1, "ProductName", QStringLiteral("Tratte Punti Fiduciali")))
    , Version(Etichetta(Panel1, "Version"))
    , Copyright(Etichetta(Panel1, "Copyright", QStringLiteral("Copyright \u00a9 Quintor")))
    , Comments(Etichetta(Panel1,
                         "Comments",
                         QStringLiteral("Archivio delle distanze tra i punti fiduciali catastali dei "
                                        "rilievi approvati: ricerca delle tratte, controllo della "
                                        "tolleranza e stampa dei risultati.")))
    , OKButton(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Informazioni"));
    const QPixmap icona = disegni::IconaProgramma(48, devicePixelRatioF());
    setWindowIcon(QIcon(icona));

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ProgramIcon->setPixmap(icona);
    ProgramIcon->setAlignment(Qt::AlignTop);
    Image1->setPixmap(disegni::ImmagineTitolo(QSize(220, 44), devicePixelRatioF()));
    QFont grassetto = ProductName->font();
    grassetto.setBold(true);
    ProductName->setFont(grassetto);
    Comments->setWordWrap(true);
    Comments->setMinimumWidth(260);

    auto* griglia = new QGridLayout(Panel1);
    griglia->setContentsMargins(10, 10, 10, 10);
    griglia->setHorizontalSpacing(12);
    griglia->addWidget(ProgramIcon, 0, 0, 3, 1);
    griglia->addWidget(Image1, 0, 1);
    griglia->addWidget(ProductName, 1, 1);
    griglia->addWidget(Version, 2, 1);
    griglia->addWidget(Copyright, 3, 0, 1, 2);
    griglia->addWidget(Comments, 4, 0, 1, 2);
    griglia->setRowMinimumHeight(3, 28);

    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(OKButton);
    pulsanti->addStretch();

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(8, 8, 8, 8);
    colonna->addWidget(Panel1);
    colonna->addLayout(pulsanti);
    // A dialog border: the size follows the contents and is fixed. Qt
    // centres a dialog over its parent, or on the screen without one.
    colonna->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

void TAboutBox::reject()
{
    done(messaggi::mrCancel);
}

void TAboutBox::FormCreate()
{
    Version->setText(QStringLiteral("Versione 1.0b"));
}

void TAboutBox::OKButtonClick()
{
    done(messaggi::mrOk);
}

} // namespace tratte
