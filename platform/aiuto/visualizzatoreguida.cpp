#include "aiuto/visualizzatoreguida.h"

#include "aiuto/applicazione.h"
#include "aiuto/finestraguida.h"
#include "aiuto/pagineguida.h"

#include <QCoreApplication>

namespace aiuto {

VisualizzatoreGuida::VisualizzatoreGuida() = default;

VisualizzatoreGuida::~VisualizzatoreGuida()
{
    // A widget cannot be destroyed once the application object is gone; the
    // process is ending then and takes the window with it.
    if (!QCoreApplication::instance())
        (void)finestra_.release();
}

bool VisualizzatoreGuida::Mostra(QWidget* finestra, const QString& file, int comando, quintptr dati)
{
    if (comando != HH_DISPLAY_TOC && comando != HH_DISPLAY_INDEX && comando != HH_HELP_CONTEXT)
        return false;

    const PagineGuida pagine(file);
    const EsitoPagina indice = pagine.PaginaIndice();
    const EsitoPagina esito = pagine.Pagina(comando, dati);

    FinestraGuida& guida = Apri(finestra);
    guida.ImpostaIndice(indice.pagina);
    if (esito.Trovata())
        guida.MostraPagina(esito.pagina);
    else
        guida.MostraAvviso(QStringLiteral("Pagina della guida non disponibile"), esito.errore, indice.pagina);
    guida.Presenta();
    return esito.Trovata();
}

FinestraGuida& VisualizzatoreGuida::Apri(QWidget* finestra)
{
    if (!finestra_) {
        finestra_ = std::make_unique<FinestraGuida>();
        // The first time, over the window that asked for help.
        if (finestra)
            finestra_->move(finestra->window()->frameGeometry().center() - finestra_->rect().center());
    }
    return *finestra_;
}

} // namespace aiuto
