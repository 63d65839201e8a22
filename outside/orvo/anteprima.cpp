#include "anteprima.h"

#include "impaginazione.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvo {

VistaPagina::VistaPagina(const Impaginazione& pagine, QWidget* genitore) : QWidget(genitore), pagine_(pagine)
{
    setObjectName(QStringLiteral("VistaPagina"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    ImpostaScala(scala_);
}

void VistaPagina::ImpostaPagina(int pagina)
{
    pagina = qBound(1, pagina, pagine_.Pagine());
    if (pagina != pagina_) {
        pagina_ = pagina;
        update();
    }
}

void VistaPagina::ImpostaScala(double scala)
{
    scala_ = scala;
    const QSizeF foglio = pagine_.Foglio() * scala_;
    setFixedSize(foglio.toSize() + QSize(20, 20));
    update();
}

void VistaPagina::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(128, 128, 128));
    const QRectF foglio(QPointF(10, 10), pagine_.Foglio() * scala_);
    p.fillRect(foglio.translated(3, 3), QColor(64, 64, 64));
    p.fillRect(foglio, Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(foglio.topLeft());
    p.scale(scala_, scala_);
    pagine_.DisegnaPagina(p, pagina_);
    ++disegnate_;
    // What the page has cost, for whoever looks at the window from outside.
    setProperty("pagineDisegnate", disegnate_);
}

AnteprimaOrvo::AnteprimaOrvo(const Impaginazione& pagine, const QString& titolo, const ControlliAnteprima& controlli,
                             std::function<void()> stampa, QWidget* genitore)
    : QWidget(genitore), pagine_(pagine)
{
    setObjectName(QStringLiteral("AnteprimaOrvo"));
    setWindowTitle(titolo);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    barra_ = new QToolBar(this);
    barra_->setObjectName(QStringLiteral("BarraAnteprima"));
    colonna->addWidget(barra_);
    area_ = new QScrollArea(this);
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setBackgroundRole(QPalette::Dark);
    vista_ = new VistaPagina(pagine, area_);
    area_->setWidget(vista_);
    colonna->addWidget(area_, 1);

    auto azione = [this](const char* nome, const QString& testo, auto funzione) {
        QAction* a = barra_->addAction(testo);
        a->setObjectName(nome);
        connect(a, &QAction::triggered, this, funzione);
        return a;
    };
    numero_ = new QSpinBox(barra_);
    numero_->setObjectName(QStringLiteral("NumeroPagina"));
    numero_->setRange(1, pagine.Pagine());
    totale_ = new QLabel(QStringLiteral(" di %1 ").arg(pagine.Pagine()), barra_);
    if (controlli.navigazione) {
        azione("PrimaPagina", QStringLiteral("|<"), [this] { VaiAPagina(1); });
        azione("PaginaPrecedente", QStringLiteral("<"), [this] { VaiAPagina(vista_->Pagina() - 1); });
        barra_->addWidget(numero_);
        barra_->addWidget(totale_);
        azione("PaginaSuccessiva", QStringLiteral(">"), [this] { VaiAPagina(vista_->Pagina() + 1); });
        azione("UltimaPagina", QStringLiteral(">|"), [this] { VaiAPagina(pagine_.Pagine()); });
        connect(numero_, &QSpinBox::valueChanged, this, [this](int n) { VaiAPagina(n); });
    } else {
        numero_->hide();
        totale_->hide();
    }
    scelta_ = new QComboBox(barra_);
    scelta_->setObjectName(QStringLiteral("Zoom"));
    scelta_->addItems({QStringLiteral("Pagina intera"), QStringLiteral("Larghezza pagina"), QStringLiteral("100%")});
    if (controlli.zoom) {
        barra_->addSeparator();
        barra_->addWidget(scelta_);
        connect(scelta_, &QComboBox::currentIndexChanged, this, [this](int i) { ImpostaZoom(Zoom(i)); });
    } else {
        scelta_->hide();
    }
    if (controlli.stampa && stampa) {
        barra_->addSeparator();
        azione("StampaAnteprima", QStringLiteral("Stampa"), stampa);
    }
    if (controlli.chiudi)
        azione("ChiudiAnteprimaOrvo", QStringLiteral("Chiudi"), [this] { close(); });
    AggiornaScala();
}

void AnteprimaOrvo::VaiAPagina(int pagina)
{
    pagina = qBound(1, pagina, pagine_.Pagine());
    vista_->ImpostaPagina(pagina);
    if (numero_->value() != pagina) {
        const QSignalBlocker blocco(numero_);
        numero_->setValue(pagina);
    }
    area_->verticalScrollBar()->setValue(0);
}

void AnteprimaOrvo::ImpostaZoom(Zoom zoom)
{
    zoom_ = zoom;
    if (scelta_->currentIndex() != int(zoom)) {
        const QSignalBlocker blocco(scelta_);
        scelta_->setCurrentIndex(int(zoom));
    }
    AggiornaScala();
}

void AnteprimaOrvo::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    AggiornaScala();
}

void AnteprimaOrvo::AggiornaScala()
{
    const QSizeF foglio = pagine_.Foglio();
    const QSize spazio = area_->viewport()->size() - QSize(24, 24);
    double scala;
    switch (zoom_) {
    case Zoom::Reale: {
        const double dpi = screen() ? screen()->logicalDotsPerInchX() : 96.0;
        scala = dpi / (25.4 * Impaginazione::Unita);
        break;
    }
    case Zoom::Larghezza: scala = spazio.width() / foglio.width(); break;
    default: scala = qMin(spazio.width() / foglio.width(), spazio.height() / foglio.height()); break;
    }
    vista_->ImpostaScala(qMax(0.01, scala));
}

} // namespace orvo
