#include "tabelle/sql/tokenizzatore.h"

#include "tabelle/sql/testo_sql.h"

namespace tabelle::sql {

namespace {

bool carattereNome(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

class Lettore {
public:
    explicit Lettore(const QString& testo) : s_(testo) {}

    QList<Token> tutti()
    {
        QList<Token> token;
        while (saltaSpazi())
            token.append(prossimo());
        while (!token.isEmpty() && token.last().simbolo(QLatin1StringView(";")))
            token.removeLast();
        return token;
    }

private:
    bool saltaSpazi()
    {
        while (p_ < s_.size() && s_[p_].isSpace())
            ++p_;
        return p_ < s_.size();
    }

    QChar at(qsizetype i) const { return i < s_.size() ? s_[i] : QChar(); }

    Token prossimo()
    {
        const QChar c = s_[p_];
        if (c == u'"')
            return quotato(TipoToken::Virgolettato, c);
        if (c == u'\'')
            return quotato(TipoToken::Stringa, c);
        if (c.isDigit())
            return numero();
        if (carattereNome(c))
            return parola(TipoToken::Parola, p_);
        if (c == u':' && carattereNome(at(p_ + 1)))
            return parola(TipoToken::Parametro, p_ + 1);
        return simbolo();
    }

    Token quotato(TipoToken tipo, QChar q)
    {
        Token t{tipo, {}, p_, p_};
        qsizetype i = p_ + 1;
        for (;;) {
            if (i >= s_.size())
                istruzioneNonValida(tipo == TipoToken::Stringa ? QStringLiteral("apice non chiuso")
                                                               : QStringLiteral("virgolette non chiuse"),
                                    s_, p_);
            if (s_[i] == q) {
                if (at(i + 1) != q)
                    break;
                ++i; // doubled quote: one quote character
            }
            t.testo += s_[i++];
        }
        p_ = t.fine = i + 1;
        return t;
    }

    Token numero()
    {
        qsizetype i = p_;
        while (at(i).isDigit())
            ++i;
        if (at(i) == u'.' && at(i + 1).isDigit()) {
            ++i;
            while (at(i).isDigit())
                ++i;
        }
        if ((at(i) == u'e' || at(i) == u'E')
            && (at(i + 1).isDigit() || ((at(i + 1) == u'+' || at(i + 1) == u'-') && at(i + 2).isDigit()))) {
            i += 2;
            while (at(i).isDigit())
                ++i;
        }
        return chiudi(TipoToken::Numero, p_, i);
    }

    Token parola(TipoToken tipo, qsizetype da)
    {
        qsizetype i = da;
        while (i < s_.size() && carattereNome(s_[i]))
            ++i;
        const qsizetype inizio = p_;
        Token t = chiudi(tipo, da, i);
        t.inizio = inizio;
        return t;
    }

    Token simbolo()
    {
        static const QStringList doppi{"<>", "!=", "<=", ">=", "||", "=="};
        const QString due = s_.mid(p_, 2);
        return chiudi(TipoToken::Simbolo, p_, p_ + (doppi.contains(due) ? 2 : 1));
    }

    Token chiudi(TipoToken tipo, qsizetype da, qsizetype a)
    {
        Token t{tipo, s_.mid(da, a - da), p_, a};
        p_ = a;
        return t;
    }

    const QString& s_;
    qsizetype p_ = 0;
};

} // namespace

QList<Token> Tokenizzatore::dividi(const QString& testo)
{
    return Lettore(testo).tutti();
}

bool Tokenizzatore::simboloNoto(const QString& simbolo)
{
    static const QStringList noti{"(", ")", ",", ".", "=", "<>", "!=", "<", ">", "<=", ">=",
                                  "==", "||", "+", "-", "*", "/", "%"};
    return noti.contains(simbolo);
}

} // namespace tabelle::sql
