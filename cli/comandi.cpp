#include "comandi.h"

#include "app/archiviodati.h"
#include "app/installazione.h"
#include "app/navigazione.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QCommandLineParser>
#include <QIODevice>

namespace cli {

int Registra(Contesto& c, const QCommandLineParser& riga)
{
    const bool macchina = riga.isSet(QStringLiteral("macchina"));
    if (riga.isSet(QStringLiteral("cancella")) && !macchina) {
        c.errori << "L'opzione --cancella vale solo con --macchina.\n";
        return 2;
    }
    const QStringList scritti = macchina
        ? tratte::RegistraMacchina(c.cartellaInstallazione, riga.isSet(QStringLiteral("cancella")))
        : tratte::RegistraInstallazione(c.cartellaProgramma, c.cartellaInstallazione);
    for (const QString& linea : scritti)
        c.uscita << linea << '\n';
    return 0;
}

int Province(Contesto& c, const QCommandLineParser&)
{
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    tabelle::TTable prv;
    prv.DatabaseName = QStringLiteral("Database");
    prv.TableName = QStringLiteral("PRV.DB");
    prv.Open();
    for (prv.First(); !prv.Eof(); prv.Next()) {
        c.uscita << prv.FieldByName("CODEPRV")->AsString() << '\t' << prv.FieldByName("PROVINCIA")->AsString() << '\t'
                 << prv.FieldByName("DATA")->AsString() << '\n';
        if (prv.RecNo() == prv.RecordCount())
            break;
    }
    return 0;
}

void StampaTratte(Contesto& c, const gridkit::TNewTable& tabella)
{
    c.uscita << tratte::ColonneGriglia.join('\t') << '\n';
    if (!tabella.TDataSet::Active())
        return;
    QList<int> indici;
    QList<bool> decimali;
    for (const QString& nome : tratte::ColonneGriglia) {
        indici << tabella.FieldByName(nome)->Index();
        decimali << (nome == "Distanza" || nome == "ScartoQMedio");
    }
    // The rows go out as UTF-8 bytes, a block at a time, past the text
    // stream: a whole province is a million lines, and turning each line
    // into text and then into bytes again took a third of the command.
    c.uscita.flush();
    QIODevice* file = c.uscita.device();
    QByteArray blocco;
    const auto scrivi = [&] {
        if (file)
            file->write(blocco);
        else
            c.uscita << QString::fromUtf8(blocco);
        blocco.clear();
    };
    const int n = tabella.RecordCount();
    for (int r = 0; r < n; ++r) {
        for (int k = 0; k < indici.size(); ++k) {
            if (k > 0)
                blocco += '\t';
            const QVariant v = tabella.ValoreRiga(r, indici[k]);
            if (v.isNull())
                continue;
            if (decimali[k])
                blocco += QByteArray::number(v.toDouble(), 'f', 3);
            else if (v.typeId() == QMetaType::LongLong)
                blocco += QByteArray::number(v.toLongLong());
            else
                blocco += v.toString().toUtf8();
        }
        blocco += '\n';
        if (blocco.size() >= 1 << 16)
            scrivi();
    }
    scrivi();
    c.uscita.flush();
}

} // namespace cli
