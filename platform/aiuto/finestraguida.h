#pragma once
// The help window: a top-level window with a page browser (links between
// pages are followed inside it) and the buttons "Indice", "Indietro" and
// "Avanti". It shows either a help page or an Italian notice page.
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace aiuto {

class FinestraGuida : public QWidget {
    Q_OBJECT
public:
    explicit FinestraGuida(QWidget* genitore = nullptr);

    void MostraPagina(const QUrl& pagina);
    // A notice page in place of a help page: a title, the reason, and a
    // link to the index when there is one (indice valid).
    void MostraAvviso(const QString& titolo, const QString& testo, const QUrl& indice);
    // The page the "Indice" button opens; none disables the button.
    void ImpostaIndice(const QUrl& indice);
    // Shows the window (restored when minimised), raises and activates it.
    void Presenta();

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QToolButton* indiceBt_;
    QUrl indice_;
};

} // namespace aiuto
