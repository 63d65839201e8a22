#pragma once
// A cursor over the tokens of one statement, with the reading steps every
// statement shares: keywords, symbols, names, table names, and the error
// that quotes the text where reading stopped.
#include "tabelle/sql/token.h"

#include <QList>
#include <QString>

namespace tabelle::sql {

class FlussoToken {
public:
    FlussoToken(const QString& sorgente, QList<Token> token);

    const QString& sorgente() const { return sorgente_; }
    const QList<Token>& token() const { return token_; }
    int quanti() const { return int(token_.size()); }
    int posizione() const { return p_; }
    bool finito() const { return p_ >= quanti(); }

    // The token `avanti` places ahead, or nullptr past the end.
    const Token* guarda(int avanti = 0) const;
    bool parola(const char* chiave, int avanti = 0) const;
    bool simbolo(const char* s, int avanti = 0) const;
    void avanza(int n = 1) { p_ += n; }
    void vaiA(int posizione) { p_ = posizione; }
    bool accettaParola(const char* chiave);
    bool accettaSimbolo(const char* s);
    void attendiParola(const char* chiave);
    void attendiSimbolo(const char* s);

    // A column, index or alias name: a bare word that is not a keyword, or a
    // double-quoted token. `cosa` names it in the error.
    const Token& nome(const QString& cosa);
    // A table: "file name", 'full path', or unquoted: the source text up to
    // the next blank, ",", "(", ")" or ";". Returned as written, quotes
    // removed.
    QString nomeTabella();
    // True when an alias can start here (AS, a non-keyword word, "quoted").
    bool aliasPossibile() const;
    // Reads [AS] alias when present; empty when absent.
    QString alias();

    // Throws when a ")" has no "(" or a "(" is never closed.
    void verificaParentesi() const;

    // The source text from the current token, for messages.
    QString estratto() const;
    [[noreturn]] void errore(const QString& motivo) const;
    [[noreturn]] void errore(const QString& motivo, int indice) const;

private:
    QString sorgente_;
    QList<Token> token_;
    int p_ = 0;
};

} // namespace tabelle::sql
