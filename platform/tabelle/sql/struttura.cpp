#include "tabelle/sql/struttura.h"

#include "tabelle/errore.h"
#include "tabelle/sql/scrittura.h"
#include "tabelle/sql/testo_sql.h"
#include "tabelle/sql/tokenizzatore.h"

namespace tabelle::sql {

namespace {

QString nomeSql(const Token& t)
{
    return t.tipo == TipoToken::Virgolettato ? identificatoreQuotato(t.testo) : identificatore(t.testo);
}

const QString dati = QString::fromLatin1(NomeInterno);

} // namespace

TraduttoreStruttura::TraduttoreStruttura(FlussoToken& flusso, TabelleIstruzione& tabelle)
    : f_(flusso), tabelle_(tabelle)
{
}

Traduzione TraduttoreStruttura::traduci()
{
    if (f_.accettaParola("ALTER")) {
        f_.attendiParola("TABLE");
        return alterTable();
    }
    if (f_.accettaParola("CREATE")) {
        if (f_.accettaParola("TABLE"))
            return createTable();
        const bool unico = f_.accettaParola("UNIQUE");
        f_.attendiParola("INDEX");
        return createIndex(unico);
    }
    f_.attendiParola("DROP");
    if (f_.accettaParola("TABLE"))
        return dropTable();
    f_.attendiParola("INDEX");
    return dropIndex();
}

// Every ADD is read before anything is returned: a bad column stops the
// whole statement, so no column of it is added.
Traduzione TraduttoreStruttura::alterTable()
{
    const QString bersaglio = tabella(UsoTabella::Bersaglio);
    QStringList istruzioni;
    do {
        if (f_.parola("DROP"))
            throw EDBEngineError(QStringLiteral("ALTER TABLE ... DROP non supportato: «%1»").arg(f_.estratto()));
        if (!f_.accettaParola("ADD"))
            f_.errore(QStringLiteral("manca ADD"));
        f_.accettaParola("COLUMN");
        istruzioni.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(bersaglio, definizioneColonna()));
    } while (f_.accettaSimbolo(","));
    return risultato(Tipo::AlterTable, istruzioni);
}

Traduzione TraduttoreStruttura::createIndex(bool unico)
{
    const Token& indice = f_.nome(QStringLiteral("il nome dell'indice"));
    f_.attendiParola("ON");
    const int tabella = tabelle_.aggiungi(f_.nomeTabella(), {}, UsoTabella::Bersaglio);
    f_.attendiSimbolo("(");
    QStringList colonne;
    do {
        QString colonna = nomeSql(f_.nome(QStringLiteral("la colonna dell'indice")));
        if (f_.parola("ASC") || f_.parola("DESC")) {
            colonna += u' ' + f_.guarda()->testo.toUpper();
            f_.avanza();
        }
        colonne.append(colonna);
    } while (f_.accettaSimbolo(","));
    f_.attendiSimbolo(")");
    // An index of the rows where one column has a value: "Where c Is Not
    // Null", the only condition an index takes here.
    QString condizione;
    if (f_.accettaParola("WHERE")) {
        condizione = QStringLiteral(" WHERE %1 IS NOT NULL").arg(nomeSql(f_.nome(QStringLiteral("la colonna della condizione"))));
        f_.attendiParola("IS");
        f_.attendiParola("NOT");
        f_.attendiParola("NULL");
    }
    return risultato(Tipo::CreateIndex,
                     {QStringLiteral("CREATE %1INDEX %2.%3 ON %4 (%5)%6")
                          .arg(unico ? QStringLiteral("UNIQUE ") : QString(), tabelle_.tabella(tabella).schema,
                               nomeSql(indice), dati, colonne.join(QStringLiteral(", ")), condizione)});
}

// DROP INDEX "t.db".nome, DROP INDEX nome ON t, or unquoted t.nome.
Traduzione TraduttoreStruttura::dropIndex()
{
    const Token* primo = f_.guarda();
    QString nomeTabella;
    QString indice;
    if (primo && (primo->tipo == TipoToken::Virgolettato || primo->tipo == TipoToken::Stringa) && f_.simbolo(".", 1)) {
        nomeTabella = primo->testo;
        f_.avanza(2);
        indice = nomeSql(f_.nome(QStringLiteral("il nome dell'indice")));
    } else if (f_.parola("ON", 1)) {
        indice = nomeSql(f_.nome(QStringLiteral("il nome dell'indice")));
        f_.attendiParola("ON");
        nomeTabella = f_.nomeTabella();
    } else {
        const QString scritto = f_.nomeTabella();
        const qsizetype punto = scritto.lastIndexOf(u'.');
        if (punto <= 0 || punto == scritto.size() - 1)
            istruzioneNonValida(QStringLiteral("manca la tabella dell'indice"), f_.sorgente(), primo->inizio);
        nomeTabella = scritto.left(punto);
        indice = identificatore(scritto.mid(punto + 1));
    }
    const int tabella = tabelle_.aggiungi(nomeTabella, {}, UsoTabella::Bersaglio);
    return risultato(Tipo::DropIndex,
                     {QStringLiteral("DROP INDEX %1.%2").arg(tabelle_.tabella(tabella).schema, indice)});
}

Traduzione TraduttoreStruttura::createTable()
{
    const QString bersaglio = tabella(UsoTabella::Nuova);
    f_.attendiSimbolo("(");
    QStringList definizioni;
    do {
        const bool vincolo = f_.parola("PRIMARY") || f_.parola("UNIQUE") || f_.parola("CONSTRAINT")
            || f_.parola("CHECK") || f_.parola("FOREIGN");
        definizioni.append(vincolo ? resto() : definizioneColonna());
    } while (f_.accettaSimbolo(","));
    f_.attendiSimbolo(")");
    return risultato(Tipo::CreateTable,
                     {QStringLiteral("CREATE TABLE %1 (%2)").arg(bersaglio, definizioni.join(QStringLiteral(", ")))});
}

Traduzione TraduttoreStruttura::dropTable()
{
    return risultato(Tipo::DropTable, {QStringLiteral("DROP TABLE ") + tabella(UsoTabella::Bersaglio)});
}

// "<schema>.dati" of the table named at the cursor.
QString TraduttoreStruttura::tabella(UsoTabella uso)
{
    const int indice = tabelle_.aggiungi(f_.nomeTabella(), {}, uso);
    return tabelle_.tabella(indice).schema + u'.' + dati;
}

// name TYPE [constraints]
QString TraduttoreStruttura::definizioneColonna()
{
    const Token& colonna = f_.nome(QStringLiteral("il nome della colonna"));
    QString definizione = nomeSql(colonna) + u' ' + tipo(colonna.testo);
    const QString vincoli = resto();
    return vincoli.isEmpty() ? definizione : definizione + u' ' + vincoli;
}

QString TraduttoreStruttura::tipo(const QString& colonna)
{
    const Token* t = f_.guarda();
    if (!t || t->tipo != TipoToken::Parola || parolaRiservata(t->testo))
        f_.errore(QStringLiteral("manca il tipo della colonna %1").arg(colonna));
    QString tipo = t->testo.toUpper();
    f_.avanza();
    if (f_.accettaSimbolo("(")) {
        tipo += u'(';
        while (!f_.finito() && !f_.simbolo(")")) {
            const Token& argomento = *f_.guarda();
            if (argomento.tipo != TipoToken::Numero && !argomento.simbolo(QLatin1StringView(",")))
                f_.errore(QStringLiteral("dimensione non valida nel tipo della colonna %1").arg(colonna));
            tipo += argomento.testo;
            f_.avanza();
        }
        f_.attendiSimbolo(")");
        tipo += u')';
    }
    return tipo;
}

// The tokens up to the next "," or ")" of this level, written as they stand.
QString TraduttoreStruttura::resto()
{
    Scrittura s;
    int profondita = 0;
    while (!f_.finito()) {
        const Token& t = *f_.guarda();
        if (profondita == 0 && (t.simbolo(QLatin1StringView(",")) || t.simbolo(QLatin1StringView(")"))))
            break;
        if (t.tipo == TipoToken::Simbolo && !Tokenizzatore::simboloNoto(t.testo))
            f_.errore(QStringLiteral("carattere non previsto «%1»").arg(t.testo));
        profondita += t.simbolo(QLatin1StringView("(")) ? 1 : t.simbolo(QLatin1StringView(")")) ? -1 : 0;
        s.aggiungi(testoSemplice(t));
        f_.avanza();
    }
    return s.testo();
}

Traduzione TraduttoreStruttura::risultato(Tipo tipo, QStringList istruzioni)
{
    if (!f_.finito())
        f_.errore(QStringLiteral("testo inatteso"));
    Traduzione traduzione;
    traduzione.tipo = tipo;
    traduzione.istruzioni = std::move(istruzioni);
    traduzione.tabelle = tabelle_.inOrdine({});
    return traduzione;
}

} // namespace tabelle::sql
