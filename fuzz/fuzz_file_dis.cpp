// A distribution file: its first line is taken as the file's name, the
// whole input as its content, read line by line and converted by columns.
#include "app/caricamento/filedis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

QTemporaryDir* cartella = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("fuzz-dis-XXXXXX")));
    cartella = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const QByteArray contenuto(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QString nome = tratte::DecodificaWindows1252(contenuto.left(contenuto.indexOf('\n')));
    try {
        tratte::LeggiNomeFileDis(nome, QLatin1Char('/'));
    } catch (const tratte::EErroreFileDis&) {
    }
    QString codice = QStringLiteral("RM");
    int numero = 0;
    QString data;
    try {
        tratte::LeggiNomeFile(nome, codice, numero, data);
    } catch (const tratte::EErroreFileDis&) {
    }

    const QString percorso = cartella->filePath(QStringLiteral("rm122601.dis"));
    {
        QFile f(percorso);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenuto) != contenuto.size())
            abort();
    }
    tratte::LettoreDis lettore(percorso);
    QByteArrayView riga;
    tratte::RigaDis campi;
    while (lettore.Prossima(riga)) {
        try {
            tratte::ConvertiRigaDis(riga, campi, lettore.NomeFile(), lettore.NumeroRiga());
        } catch (const tratte::EErroreFileDis&) {
        }
    }
    return 0;
}
