#pragma once
// The search form of a comune or state name, as the directory's lookups
// compare names that are not found as spelt. The archive spells a final
// accented vowel with its accent (FORLÌ, CANTÙ, AGLIÈ); users and older
// archives write it as the vowel and an apostrophe (FORLI') or as the bare
// vowel (FORLI). In the search form all three read alike:
//   - an accented letter is the plain letter (À Á → A, È É → E, Ì Í → I,
//     Ò Ó → O, Ù Ú → U, in either case, and so any other accent);
//   - a typographic apostrophe (’) is the plain one;
//   - an apostrophe that closes a word after a vowel (FORLI', CITTA' DI
//     CASTELLO) is dropped; one of elision (SANT'ANTONIO, D'ACQUI) stays.
// Nothing else changes: no upper case, no blanks removed. The form is never
// longer than the name.
//
// Two names of one search form may still be two comuni (PATERNO in PZ,
// PATERNÒ in CT): FormaAccentata tells which of them a key was written
// for, reading a final apostrophe as the accent it stands for.
//
// Header only: the tool that writes the archive stores the search form
// beside each name (column NomeRicerca), the directory computes it for the
// key.
#include <QString>

namespace borgal {

// The column of the archive tables that holds the search form of the name.
inline const QString ColonnaNomeRicerca = QStringLiteral("NomeRicerca");

namespace dettaglio {

inline bool Vocale(QChar c) { return QStringView(u"AEIOUaeiou").contains(c); }

// An apostrophe (’ read as ') that closes a word after a vowel.
inline bool ApostrofoFinale(const QString& nome, qsizetype i, QChar precedente)
{
    const bool apostrofo = nome[i] == u'\'' || nome[i] == QChar(0x2019);
    const bool fineParola = i + 1 == nome.size() || !nome[i + 1].isLetterOrNumber();
    return apostrofo && fineParola && Vocale(precedente);
}

} // namespace dettaglio

inline QString NomeRicerca(const QString& nome)
{
    // Qt's canonical decomposition splits an accented letter into the
    // letter and its accent; the accents are then left out.
    const QString scomposto = nome.normalized(QString::NormalizationForm_D);
    QString forma;
    forma.reserve(scomposto.size());
    for (qsizetype i = 0; i < scomposto.size(); ++i) {
        const QChar c = scomposto[i];
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (!forma.isEmpty() && dettaglio::ApostrofoFinale(scomposto, i, forma.back()))
            continue;
        forma += c == QChar(0x2019) ? QChar(u'\'') : c;
    }
    return forma;
}

// The name with every accent written one way: a vowel and a final
// apostrophe as the vowel with a grave accent (PATERNO' as PATERNÒ, VO' as
// VÒ), an acute accent as the grave one (PERCHÉ as PERCHÈ).
inline QString FormaAccentata(const QString& nome)
{
    const auto grave = [](QChar c) -> QChar {
        switch (c.unicode()) {
        case u'A': return QChar(0x00C0);
        case u'E': case 0x00C9: return QChar(0x00C8);
        case u'I': case 0x00CD: return QChar(0x00CC);
        case u'O': case 0x00D3: return QChar(0x00D2);
        case u'U': case 0x00DA: return QChar(0x00D9);
        case 0x00C1: return QChar(0x00C0);
        case u'a': case 0x00E1: return QChar(0x00E0);
        case u'e': case 0x00E9: return QChar(0x00E8);
        case u'i': case 0x00ED: return QChar(0x00EC);
        case u'o': case 0x00F3: return QChar(0x00F2);
        case u'u': case 0x00FA: return QChar(0x00F9);
        default: return c;
        }
    };
    QString forma;
    forma.reserve(nome.size());
    for (qsizetype i = 0; i < nome.size(); ++i) {
        if (!forma.isEmpty() && dettaglio::ApostrofoFinale(nome, i, forma.back())) {
            forma.back() = grave(forma.back());
            continue;
        }
        const QChar c = nome[i];
        // Acute accents as grave ones; plain vowels stay plain.
        forma += dettaglio::Vocale(c) ? c : grave(c);
    }
    return forma;
}

} // namespace borgal
