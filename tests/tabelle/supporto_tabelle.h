#pragma once
// Helpers shared by the table engine tests: a sample archive table with
// given rows, a file's bytes, the text of the engine error an action
// throws, and the rows of a query as text.
#include "supporto/cartella_temporanea.h"
#include "tabelle/campo.h"
#include "tabelle/dataset.h"
#include "tabelle/sessione.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

#include <ostream>

// Readable strings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace prova {

// The sample archive: ID_001_TABLE (auto-increment, primary key), Comune
// (alpha 4), Sezione (alpha 1), Foglio and PF (long integers), Distanza
// (number), Note (alpha 20).
tabelle::TFieldDefs CampiArchivio();

// Writes a new table `nome` in `cartella` and appends the rows, values in
// field order; an auto-increment field takes no value from a row.
void CreaTabella(tabelle::TSession& s, const QString& cartella, const QString& nome, const tabelle::TFieldDefs& campi,
                 const tabelle::TIndexDefs& indici, const QList<QVariantList>& righe);

// The sample archive with rows {Comune, Sezione, Foglio, PF, Distanza, Note}.
void CreaArchivio(tabelle::TSession& s, const QString& cartella, const QString& nome, const QList<QVariantList>& righe);

QByteArray Contenuto(const QString& percorso);
void ScriviContenuto(const QString& percorso, const QByteArray& byte);

// The text of the engine error `azione` throws; empty (and a test failure)
// when it throws none.
QString ErroreDi(const std::function<void()>& azione);

// The rows of a query, each as its values joined with "|".
QStringList Righe(tabelle::TSession& s, const QString& cartella, const QString& sql, const QVariantMap& parametri = {});

// The values of one field, row by row from the first.
QStringList Colonna(tabelle::TDataSet& d, const QString& campo);

} // namespace prova
