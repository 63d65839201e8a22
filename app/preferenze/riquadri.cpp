#include "app/preferenze/riquadri.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tratte {

QString TestoDaMostrare(const QString& testo)
{
    QString righe = testo;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return righe;
}

QFont CarattereIntestazione(int punti)
{
    QFont carattere;
    carattere.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    carattere.setPointSize(punti);
    carattere.setWeight(QFont::Black);
    carattere.setItalic(true);
    return carattere;
}

namespace {

void Colora(QWidget* w, QPalette::ColorRole ruolo, const QColor& colore)
{
    QPalette colori = w->palette();
    colori.setColor(ruolo, colore);
    w->setPalette(colori);
}

} // namespace

QLabel* Scritta(QWidget* genitore, const char* nome, const QString& testo, const QColor& colore, bool grassetto)
{
    auto* l = new QLabel(TestoDaMostrare(testo), genitore);
    l->setObjectName(QString::fromLatin1(nome));
    l->setTextFormat(Qt::PlainText);
    Colora(l, QPalette::WindowText, colore);
    QFont f = l->font();
    f.setBold(grassetto);
    l->setFont(f);
    return l;
}

QLabel* Intestazione(QWidget* genitore, const char* nome, const QString& testo, const QColor& colore)
{
    QLabel* l = Scritta(genitore, nome, testo, colore, true);
    l->setFont(CarattereIntestazione(14));
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Colora(l, QPalette::Window, Verde);
    return l;
}

QFrame* PannelloBianco(QWidget* genitore, const char* nome, QStyle::StandardPixmap icona)
{
    auto* p = new QFrame(genitore);
    p->setObjectName(QString::fromLatin1(nome));
    p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p->setAutoFillBackground(true);
    Colora(p, QPalette::Window, Bianco);
    auto* riga = new QHBoxLayout(p);
    riga->setContentsMargins(8, 4, 8, 4);
    auto* immagine = new QLabel(p);
    immagine->setObjectName(p->objectName() + QStringLiteral("Icona"));
    immagine->setPixmap(p->style()->standardIcon(icona).pixmap(32, 32));
    immagine->setAlignment(Qt::AlignTop);
    riga->addWidget(immagine);
    auto* testi = new QVBoxLayout;
    testi->setObjectName(QStringLiteral("Testi"));
    testi->setSpacing(2);
    riga->addLayout(testi, 1);
    return p;
}

QVBoxLayout* ColonnaTesti(QFrame* pannello) { return pannello->findChild<QVBoxLayout*>(QStringLiteral("Testi")); }

void Suggerimento(QWidget* controllo, const QString& testo)
{
    const int barra = int(testo.indexOf('|'));
    controllo->setToolTip(barra < 0 ? testo : testo.left(barra));
    controllo->setStatusTip(barra < 0 ? testo : testo.mid(barra + 1));
}

} // namespace tratte
