// The local-SQL translator: the input is a statement's text, over the
// program's own tables; a statement it cannot read gives the engine's error.
#include "tabelle/errore.h"
#include "tabelle/sql/traduttore.h"

#include <QHash>

#include <cstdint>

namespace {

class RisolutoreFuzz : public tabelle::sql::Risolutore {
public:
    QString schema(const QString& nome, bool crea) override
    {
        const QString chiave = Base(nome);
        const auto i = Colonne().constFind(chiave);
        if (i == Colonne().constEnd() && !crea)
            throw tabelle::EDBEngineError(QStringLiteral("Tabella inesistente: %1").arg(nome));
        return QStringLiteral("t%1").arg(qHash(chiave) % 9 + 1);
    }
    QStringList colonne(const QString& nome) override { return Colonne().value(Base(nome)); }

private:
    static QString Base(const QString& nome)
    {
        QString b = nome.mid(qMax(nome.lastIndexOf(u'/'), nome.lastIndexOf(u'\\')) + 1).toLower();
        return b.endsWith(QStringLiteral(".db")) ? b.chopped(3) : b;
    }
    static const QHash<QString, QStringList>& Colonne()
    {
        static const QHash<QString, QStringList> c{
            {QStringLiteral("tratte"),
             {"ID_001_TABLE", "SysField", "Info", "CodOp", "ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1",
              "ComunePF2", "SezionePF2", "FoglioPF2", "AllegatoPF2", "PF2", "Protocollo", "Distanza", "ScartoQMedio",
              "Provincia"}},
            {QStringLiteral("prv"), {"Provincia", "DataDistribuzione"}},
            {QStringLiteral("combinazioni"),
             {"ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1", "ComunePF2", "SezionePF2", "FoglioPF2",
              "AllegatoPF2", "PF2"}},
            {QStringLiteral("kwarchiviocomuni"), {"CodiceCatastale", "NomeComune", "Provincia", "Sezione"}},
        };
        return c;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const QString testo = QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    RisolutoreFuzz risolutore;
    try {
        tabelle::sql::traduci(testo, risolutore);
    } catch (const tabelle::EDBEngineError&) {
    }
    return 0;
}
