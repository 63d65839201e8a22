// Statements that cannot be read: a clear error that quotes the offending
// part, and nothing asked of the engine beyond the tables already read.
#include "archivio_prova.h"

#include <functional>

namespace {

QString errore(const std::function<void()>& azione)
{
    try {
        azione();
    } catch (const tabelle::EDBEngineError& e) {
        return e.messaggio();
    }
    return QStringLiteral("(nessun errore)");
}

} // namespace

TEST_F(ArchivioProva, IstruzioniMalformate)
{
    const QList<QPair<QString, QString>> casi{
        {"", "testo vuoto"},
        {"  ;\r\n", "testo vuoto"},
        {"Select * from \"KWArchivioComuni.db com", "virgolette non chiuse in «\"KWArchivioComuni.db com»"},
        {"Select * from \"Tratte.db\" Where (ID_001_TABLE > 1", "parentesi non chiusa in «(ID_001_TABLE > 1»"},
        {"Select * from \"Tratte.db\" Where ID_001_TABLE > 1)", "parentesi chiusa senza la sua aperta in «)»"},
        {"Select * from Where a = 1", "manca il nome della tabella in «Where a = 1»"},
        {"Select * from", "manca il nome della tabella alla fine"},
        {"Select from \"Tratte.db\"", "manca un campo della selezione in «from \"Tratte.db\"»"},
        {"Truncate \"Tratte.db\"", "tipo di istruzione sconosciuto in «Truncate \"Tratte.db\"»"},
        {"Select * from \"Tratte.db\" Where a = 1; Delete from \"Tratte.db\"", "carattere non previsto «;»"},
        {"Select * from \"Tratte.db\" Where a ? 1", "carattere non previsto «?»"},
        {"Delete \"Tratte.db\"", "manca FROM"},
        {"Update \"Tratte.db\" Set Where a = 1", "manca la colonna da impostare"},
        {"Insert Into \"Tratte.db\" (a) Valori (1)", "mancano VALUES o SELECT"},
        {"Alter Table \"Tratte.db\" Add Nome", "manca il tipo della colonna Nome"},
        {"Alter Table \"Tratte.db\" Add Nome Char(x)", "dimensione non valida nel tipo della colonna Nome"},
        {"Create Index On \"Tratte.db\" (CodOp)", "manca il nome dell'indice"},
        {"Drop Index Tratte", "manca la tabella dell'indice"},
        {"Select * from \"Tratte.db\" t extra Where t.a = 1", "testo inatteso in «extra Where t.a = 1»"},
    };
    for (const auto& [testo, atteso] : casi) {
        const QString messaggio = errore([&] { traduci(testo); });
        EXPECT_TRUE(messaggio.startsWith("Istruzione SQL non valida: ")) << testo.toStdString() << " -> " << messaggio.toStdString();
        EXPECT_TRUE(messaggio.contains(atteso)) << testo.toStdString() << " -> " << messaggio.toStdString();
    }
    // An empty sort term, at the end or between two: left for the engine to
    // refuse, never read past the statement's end.
    for (const char* testo : {"Select * from \"Tratte.db\" Order By Distanza,", "Select T.* from \"Tratte.db\" T Order By ,",
                              "Select * from \"Tratte.db\" Order By Distanza,,PF1"}) {
        QString messaggio;
        try {
            esegui(testo);
        } catch (const std::exception& e) {
            messaggio = QString::fromUtf8(e.what());
        }
        EXPECT_TRUE(messaggio.contains("syntax error")) << testo << " -> " << messaggio.toStdString();
    }
}

TEST_F(ArchivioProva, AlterConDropNonToccaNulla)
{
    // the ADD before the DROP is not returned either: the table stays as it was
    const QString messaggio = errore([&] { esegui("Alter Table \"NUOVA.DB\" Add A Char(4), Drop ID_001_TABLE"); });
    EXPECT_EQ(messaggio, "ALTER TABLE ... DROP non supportato: «Drop ID_001_TABLE»");
    EXPECT_EQ(banco.righe("PRAGMA t6.table_info(dati)").size(), 1);
}

TEST_F(ArchivioProva, ErroriDelRisolutorePassano)
{
    EXPECT_EQ(errore([&] { traduci("Select * From \"Manca.db\""); }), "Tabella inesistente: Manca.db");
}
