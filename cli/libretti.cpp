// tratte-cli libretti: the books processed correctly of a folder, as the
// book-list dialog lists them.
#include "comandi.h"

#include "app/libretto/elaborazionelibretto.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {

int Libretti(Contesto& c, const QCommandLineParser& riga)
{
    const QString cartella = riga.positionalArguments().isEmpty() ? tratte::TElaborazioneLibretto::PercorsoPregeo()
                                                                  : riga.positionalArguments().front();
    if (!QFileInfo(cartella).isDir()) {
        c.errori << "Cartella non trovata: " << cartella << '\n';
        return 1;
    }
    const QStringList file = tratte::TElaborazioneLibretto::FileLibretti(cartella);
    if (file.isEmpty()) {
        c.errori << "La cartella " << cartella << " non contiene libretti in formato Pregeo (*.out).\n";
        return 1;
    }
    const QStringList libretti = tratte::TElaborazioneLibretto::ElencoLibretti(cartella, file);
    for (const QString& nome : libretti)
        c.uscita << nome << '\n';
    if (libretti.isEmpty()) {
        c.errori << "La cartella " << cartella << " non contiene libretti elaborati correttamente.\n";
        return 1;
    }
    return 0;
}

} // namespace cli
