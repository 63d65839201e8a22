#include "comandi.h"

#include "app/archiviodati.h"
#include "app/installazione.h"
#include "app/navigazione.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QCommandLineParser>

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
    // One line buffer for all the rows: a whole province is a million lines.
    QString riga;
    const int n = tabella.RecordCount();
    for (int r = 0; r < n; ++r) {
        riga.clear();
        for (int k = 0; k < indici.size(); ++k) {
            if (k > 0)
                riga += '\t';
            const QVariant v = tabella.ValoreRiga(r, indici[k]);
            if (v.isNull())
                continue;
            if (decimali[k])
                riga += QString::number(v.toDouble(), 'f', 3);
            else if (v.typeId() == QMetaType::LongLong)
                riga += QString::number(v.toLongLong());
            else
                riga += v.toString();
        }
        riga += '\n';
        c.uscita << riga;
    }
}

} // namespace cli
