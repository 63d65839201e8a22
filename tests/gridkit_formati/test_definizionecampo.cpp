#include "gridkit/tabella/definizionecampo.h"

#include <gtest/gtest.h>

using gridkit::AnalizzaDefinizione;

TEST(DefinizioneCampo, TipiNomiEMaiuscole)
{
    struct Caso {
        const char *definizione, *nome, *memorizzato, *tipo;
    };
    for (const Caso& c : std::initializer_list<Caso>{
             {"Protocollo,13", "Protocollo", "Protocollo", "CHAR(13) "},
             {"Protocollo,13,20", "Protocollo", "Protocollo", "CHAR(20) "},
             {"PF1,I", "PF1", "PF1", "INT "},
             {"Distanza,N,12", "Distanza", "Distanza", "NUMERIC(12,0) "},
             {"X,N,10,2", "X", "X", "NUMERIC(10,2) "},
             {"X,n,10,", "X", "X", "NUMERIC(10,0) "},
             {"Nome Campo,A,30", "Nome Campo", "Nome_Campo", "CHAR(30) "},
             {"  Comune di nascita ,  a , 40 ", "Comune di nascita", "Comune_di_nascita", "CHAR(40) "},
             {"Note,MEMO", "Note", "Note", "Blob(240,1) "},
             {"Note,memo", "Note", "Note", "Blob(240,1) "},
             {"Dati,BLOB", "Dati", "Dati", "Blob(0,2) "},
             {"Dati,Blob", "Dati", "Dati", "Blob(0,2) "},
             {"Conta,s", "Conta", "Conta", "SMALLINT "},
             {"Attivo,b,", "Attivo", "Attivo", "BOOLEAN "},
             {"Quando,d,1,2", "Quando", "Quando", "TIMESTAMP "},
             {"Due  spazi,i", "Due  spazi", "Due__spazi", "INT "},
         }) {
        SCOPED_TRACE(c.definizione);
        const auto d = AnalizzaDefinizione(QString::fromUtf8(c.definizione));
        EXPECT_TRUE(d.valida);
        EXPECT_EQ(d.nome, QString::fromUtf8(c.nome));
        EXPECT_EQ(d.nomeMemorizzato, QString::fromUtf8(c.memorizzato));
        EXPECT_EQ(d.tipoSql, QString::fromUtf8(c.tipo));
    }
}

TEST(DefinizioneCampo, DefinizioniNonValide)
{
    // The last group would give a column type the engine cannot read.
    for (const char* testo : {"", "Nome", "Nome,", ",", "Nome,,5", "Nome, ", ",A,10", " ,I",
                              "Nome,A", "Nome,A,", "Nome,A,x", "Nome,A,0", "Nome,A,30,2",
                              "Nome,N", "Nome,N,a", "Nome,N,10,x", "Nome,N,-1", "Nome,Q",
                              "Nome,Q,10", "Nome,0", "Nome,13,", "Nome,99999999999"}) {
        SCOPED_TRACE(testo);
        const auto d = AnalizzaDefinizione(QString::fromUtf8(testo));
        EXPECT_FALSE(d.valida);
        EXPECT_TRUE(d.tipoSql.isEmpty());
    }
}
