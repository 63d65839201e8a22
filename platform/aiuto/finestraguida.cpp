#include "aiuto/finestraguida.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace aiuto {

FinestraGuida::FinestraGuida(QWidget* genitore)
    : QWidget(genitore, Qt::Window), browser_(new QTextBrowser(this)), indiceBt_(new QToolButton(this))
{
    setObjectName(QStringLiteral("FinestraGuida"));
    setWindowTitle(QStringLiteral("Guida di TrattePF"));
    resize(760, 600);

    auto* indietroBt = new QToolButton(this);
    auto* avantiBt = new QToolButton(this);
    indiceBt_->setText(QStringLiteral("Indice"));
    indiceBt_->setObjectName(QStringLiteral("IndiceBt"));
    indiceBt_->setEnabled(false);
    indietroBt->setText(QStringLiteral("Indietro"));
    indietroBt->setObjectName(QStringLiteral("IndietroBt"));
    indietroBt->setEnabled(false);
    avantiBt->setText(QStringLiteral("Avanti"));
    avantiBt->setObjectName(QStringLiteral("AvantiBt"));
    avantiBt->setEnabled(false);

    browser_->setObjectName(QStringLiteral("PaginaBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(indiceBt_);
    pulsanti->addWidget(indietroBt);
    pulsanti->addWidget(avantiBt);
    pulsanti->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pulsanti);
    layout->addWidget(browser_);

    connect(indiceBt_, &QToolButton::clicked, this, [this] {
        if (indice_.isValid())
            MostraPagina(indice_);
    });
    connect(indietroBt, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(avantiBt, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, indietroBt, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, avantiBt, &QToolButton::setEnabled);
}

void FinestraGuida::MostraPagina(const QUrl& pagina)
{
    // The same page again, perhaps at another anchor: setSource would only
    // scroll, so a page edited meanwhile is read afresh.
    if (browser_->source().adjusted(QUrl::RemoveFragment) == pagina.adjusted(QUrl::RemoveFragment))
        browser_->reload();
    browser_->setSource(pagina);
}

void FinestraGuida::MostraAvviso(const QString& titolo, const QString& testo, const QUrl& indice)
{
    QString html = QStringLiteral("<html><head><title>%1</title></head><body>"
                                  "<h2>%1</h2><p>%2</p>")
                       .arg(titolo.toHtmlEscaped(), testo.toHtmlEscaped());
    if (indice.isValid())
        html += QStringLiteral("<p><a href=\"%1\">Vai all'indice della guida</a></p>")
                    .arg(indice.toString(QUrl::FullyEncoded).toHtmlEscaped());
    html += QStringLiteral("</body></html>");
    browser_->setHtml(html);
}

void FinestraGuida::ImpostaIndice(const QUrl& indice)
{
    indice_ = indice;
    indiceBt_->setEnabled(indice_.isValid());
}

void FinestraGuida::Presenta()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

} // namespace aiuto
