#include "unita/unita.h"

#include <QFile>

namespace unita {

QString CartellaUnitaA()
{
    const QString cartella = qEnvironmentVariable("TRATTE_UNITA_A");
    return cartella.isEmpty() ? QStringLiteral("/media/floppy") : cartella;
}

namespace {

// Mount tables write blanks and some other characters as octal escapes.
QString Decodifica(const QByteArray& campo)
{
    QByteArray testo;
    for (int i = 0; i < campo.size(); ++i) {
        if (campo[i] == '\\' && i + 3 < campo.size()) {
            bool ok = false;
            const int c = campo.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                testo += char(c);
                i += 3;
                continue;
            }
        }
        testo += campo[i];
    }
    return QString::fromUtf8(testo);
}

} // namespace

QStringList UnitaCdRom(const QString& tabellaMontaggi)
{
    QFile tabella(tabellaMontaggi);
    QStringList unita;
    if (!tabella.open(QIODevice::ReadOnly))
        return unita;
    for (const QByteArray& riga : tabella.readAll().split('\n')) {
        const QList<QByteArray> campi = riga.simplified().split(' ');
        if (campi.size() >= 3 && (campi[2] == "iso9660" || campi[2] == "udf"))
            unita << Decodifica(campi[1]);
    }
    return unita;
}

} // namespace unita
