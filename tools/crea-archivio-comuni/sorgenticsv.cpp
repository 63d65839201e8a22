#include "sorgenticsv.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace archiviocomuni {

TSorgenteCsv::TSorgenteCsv(const QString& percorso, const QStringList& colonne)
    : nomeFile_(QFileInfo(percorso).fileName()), colonne_(colonne)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        throw ESorgenteNonValida(QStringLiteral("%1: impossibile leggere il file (%2).").arg(percorso, file.errorString()));
    QStringDecoder decodifica(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString testo = decodifica(file.readAll());
    if (decodifica.hasError())
        throw ESorgenteNonValida(QStringLiteral("%1: il testo non è UTF-8 valido.").arg(nomeFile_));
    if (testo.startsWith(QChar(0xFEFF)))
        testo.remove(0, 1);

    const QStringList linee = testo.split('\n');
    bool intestazione = true;
    for (int i = 0; i < linee.size(); ++i) {
        QString linea = linee[i];
        if (linea.endsWith('\r'))
            linea.chop(1);
        const TRigaCsv riga{i + 1, {}};
        if (linea.trimmed().isEmpty()) {
            if (intestazione)
                Errore(riga, QStringLiteral("manca la riga d'intestazione."));
            continue;
        }
        QStringList campi = linea.split(';');
        for (QString& c : campi)
            c = c.trimmed();
        if (intestazione) {
            if (campi != colonne_)
                Errore(riga, QStringLiteral("intestazione \"%1\", attesa \"%2\".").arg(campi.join(';'), colonne_.join(';')));
            intestazione = false;
            continue;
        }
        if (campi.size() != colonne_.size())
            Errore(riga, QStringLiteral("%1 campi, attesi %2.").arg(campi.size()).arg(colonne_.size()));
        for (const QString& c : campi)
            if (c.contains('"'))
                Errore(riga, QStringLiteral("virgolette non ammesse nel campo \"%1\".").arg(c));
        righe_.append(TRigaCsv{i + 1, campi});
    }
    if (intestazione)
        Errore(TRigaCsv{1, {}}, QStringLiteral("manca la riga d'intestazione."));
}

const QString& TSorgenteCsv::campo(const TRigaCsv& riga, const QString& colonna) const
{
    const int i = colonne_.indexOf(colonna);
    Q_ASSERT(i >= 0);
    return riga.campi.at(i);
}

void TSorgenteCsv::Errore(const TRigaCsv& riga, const QString& testo) const
{
    throw ESorgenteNonValida(QStringLiteral("%1, riga %2: %3").arg(nomeFile_).arg(riga.numero).arg(testo));
}

} // namespace archiviocomuni
