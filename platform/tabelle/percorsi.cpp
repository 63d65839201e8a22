#include "tabelle/percorsi.h"

#include <QDir>
#include <QFileInfo>

namespace tabelle {

QString NormalizzaNomeTabella(const QString& nome)
{
    QString n = nome.trimmed();
    n.replace('\\', '/');
    const QString base = n.section('/', -1);
    if (!base.isEmpty() && !base.contains('.'))
        n += ".db";
    return n;
}

QString RisolviPercorso(const QString& dato)
{
    if (dato.isEmpty())
        return dato;
    // One spelling per file (absolute, no ".", ".." or doubled separators):
    // the engine knows a table by its path.
    const QString percorso = QDir::cleanPath(QFileInfo(dato).absoluteFilePath());
    if (QFileInfo::exists(percorso))
        return percorso;
    const QStringList parti = percorso.split('/', Qt::SkipEmptyParts);
    QString corrente = QStringLiteral("/");
    for (int i = 0; i < parti.size(); ++i) {
        const QString& parte = parti[i];
        QString trovato = parte;
        const QString& cartella = corrente;
        if (!QFileInfo::exists(QDir(cartella).filePath(parte))) {
            const QStringList voci = QDir(cartella).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
            for (const QString& v : voci)
                if (v.compare(parte, Qt::CaseInsensitive) == 0) {
                    trovato = v;
                    break;
                }
        }
        corrente = corrente.endsWith('/') ? corrente + trovato : corrente + '/' + trovato;
    }
    return corrente;
}

QString PercorsoTabella(const QString& cartella, const QString& nome)
{
    const QString n = NormalizzaNomeTabella(nome);
    if (n.startsWith('/') || cartella.isEmpty())
        return RisolviPercorso(n);
    QString c = cartella;
    c.replace('\\', '/');
    if (!c.endsWith('/'))
        c += '/';
    return RisolviPercorso(c + n);
}

} // namespace tabelle
