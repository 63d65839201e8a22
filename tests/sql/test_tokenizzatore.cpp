#include "tabelle/errore.h"
#include "tabelle/sql/tokenizzatore.h"

#include <gtest/gtest.h>

using namespace tabelle::sql;

namespace {

QStringList testi(const QList<Token>& token)
{
    QStringList t;
    for (const Token& k : token)
        t.append(k.testo);
    return t;
}

} // namespace

TEST(Tokenizzatore, ParametriAttaccatiEVirgolette)
{
    const auto t = Tokenizzatore::dividi(QStringLiteral("com.\"NomeComune\" like:NomeComune or\r\npr.\"SIGLA\" =:pattern"));
    EXPECT_EQ(testi(t), (QStringList{"com", ".", "NomeComune", "like", "NomeComune", "or", "pr", ".", "SIGLA", "=", "pattern"}));
    EXPECT_EQ(t[2].tipo, TipoToken::Virgolettato);
    EXPECT_EQ(t[4].tipo, TipoToken::Parametro);
    EXPECT_EQ(t[4].inizio, 21); // at the colon
    EXPECT_EQ(t[4].fine, 32);
    EXPECT_EQ(t[9].tipo, TipoToken::Simbolo);
    EXPECT_TRUE(t[3].parola(QLatin1StringView("LIKE")));
}

TEST(Tokenizzatore, StringheNumeriOperatoriEFine)
{
    const auto t = Tokenizzatore::dividi(QStringLiteral("'l''Aquila' \"a\"\"b\" '' 12.5 1e3 7. a<>b c!=d x||y >= ;;"));
    EXPECT_EQ(testi(t), (QStringList{"l'Aquila", "a\"b", "", "12.5", "1e3", "7", ".", "a", "<>", "b", "c", "!=",
                                     "d", "x", "||", "y", ">="}));
    EXPECT_EQ(t[0].tipo, TipoToken::Stringa);
    EXPECT_EQ(t[2].tipo, TipoToken::Stringa);
    EXPECT_EQ(t[3].tipo, TipoToken::Numero);
    EXPECT_EQ(t[4].tipo, TipoToken::Numero);
    // positions point back into the source: 'l''Aquila' takes 11 characters
    EXPECT_EQ(t[0].inizio, 0);
    EXPECT_EQ(t[0].fine, 11);
}

TEST(Tokenizzatore, CaratteriIgnotiNonFermanoLaLettura)
{
    // an unquoted Windows path is read as pieces; only the writer decides
    const auto t = Tokenizzatore::dividi(QStringLiteral("C:\\x\\T.DB"));
    EXPECT_EQ(testi(t), (QStringList{"C", ":", "\\", "x", "\\", "T", ".", "DB"}));
    EXPECT_FALSE(Tokenizzatore::simboloNoto(QStringLiteral("\\")));
    EXPECT_TRUE(Tokenizzatore::simboloNoto(QStringLiteral("<>")));
}

TEST(Tokenizzatore, VirgoletteNonChiuse)
{
    for (const char* testo : {"Select * from \"KWArchivioComuni.db com", "Where a = 'RM", "'it''s"}) {
        try {
            Tokenizzatore::dividi(QString::fromLatin1(testo));
            ADD_FAILURE() << testo;
        } catch (const tabelle::EDBEngineError& e) {
            EXPECT_TRUE(e.messaggio().startsWith("Istruzione SQL non valida: ")) << e.what();
            EXPECT_TRUE(e.messaggio().contains("non chius")) << e.what();
        }
    }
}
