#pragma once
// Small text helpers shared by the translator's parts: how identifiers and
// literals are written in SQLite text, which words are keywords, and the
// error for a statement that cannot be read.
#include <QString>

namespace tabelle::sql {

// Keywords of the local SQL the translator knows: never an alias or a bare
// table name, written in upper case.
bool parolaRiservata(const QString& parola);

// The name as an SQLite identifier, double-quoted only when needed.
QString identificatore(const QString& nome);
// The name always double-quoted ("" inside).
QString identificatoreQuotato(const QString& nome);
// The text as an SQLite string literal ('' inside).
QString letterale(const QString& testo);

// The source text from `da`, blanks simplified, cut after 60 characters.
QString estrattoDa(const QString& sorgente, qsizetype da);

// Throws EDBEngineError "Istruzione SQL non valida: <motivo>", followed by
// the source text from `da` (simplified, cut) when `da` is inside it.
[[noreturn]] void istruzioneNonValida(const QString& motivo, const QString& sorgente, qsizetype da);

} // namespace tabelle::sql
