#pragma once
// Fields of a dataset and the field, index and parameter definitions of
// tables and queries.
#include "tabelle/tipi.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tabelle {

class TDataSet;

// A value as read from storage turned into the field kind's value type
// (whole numbers for integer fields, reals, booleans, dates and times).
QVariant ValoreLetto(TFieldType tipo, const QVariant& valore);

// One column of the dataset's current row.
class TField {
public:
    TField(TDataSet& dataset, int indice, const QString& nome, TFieldType tipo, int dimensione);

    const QString& FieldName() const { return nome_; }
    TFieldType DataType() const { return tipo_; }
    int Size() const { return dimensione_; }
    int Index() const { return indice_; }
    int FieldNo() const { return indice_ + 1; }
    TDataSet& DataSet() const { return dataset_; }
    bool IsBlob() const { return TipoBlob(tipo_); }

    bool IsNull() const;
    QVariant Value() const;
    // The value before the edit in progress (or the pending cached update).
    QVariant OldValue() const;
    void SetValue(const QVariant& valore);
    void Clear() { SetValue(QVariant()); }

    QString AsString() const;
    void SetAsString(const QString& testo);
    qint64 AsInteger() const;
    void SetAsInteger(qint64 valore) { SetValue(QVariant(valore)); }
    double AsFloat() const;
    void SetAsFloat(double valore) { SetValue(QVariant(valore)); }
    bool AsBoolean() const;
    void SetAsBoolean(bool valore) { SetValue(QVariant(valore)); }
    QDateTime AsDateTime() const;
    void SetAsDateTime(const QDateTime& valore) { SetValue(QVariant(valore)); }
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray& valore) { SetValue(QVariant(valore)); }
    // The text shown for the value (DisplayFormat applied by the grid).
    QString DisplayText() const { return AsString(); }

    // Display settings, used by the grids.
    QString DisplayLabel;
    int DisplayWidth = 0;
    QString DisplayFormat;
    QString EditFormat;
    bool Visible = true;
    bool ReadOnly = false;
    bool Required = false;

    // Turns a value into the form the field stores: alpha right-trimmed and
    // cut to its size, a blank as NULL, numbers from "." text.
    QVariant Normalizza(const QVariant& valore) const;
    // Plain text of a stored value of this field's kind.
    QString Testo(const QVariant& valore) const;

private:
    TDataSet& dataset_;
    int indice_;
    QString nome_;
    TFieldType tipo_;
    int dimensione_;
};

struct TFieldDef {
    QString Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;
    bool Required = false;
};

class TFieldDefs : public QList<TFieldDef> {
public:
    void Add(const QString& nome, TFieldType tipo, int dimensione = 0, bool richiesto = false)
    {
        append(TFieldDef{nome, tipo, dimensione, richiesto});
    }
    void Clear() { clear(); }
    int IndexOf(const QString& nome) const;
};

enum TIndexOption { ixPrimary = 1, ixUnique = 2, ixDescending = 4, ixCaseInsensitive = 8 };

struct TIndexDef {
    QString Name;
    QString Fields; // names separated by ";"
    int Options = 0;
};

class TIndexDefs : public QList<TIndexDef> {
public:
    void Add(const QString& nome, const QString& campi, int opzioni)
    {
        append(TIndexDef{nome, campi, opzioni});
    }
    void Clear() { clear(); }
    const TIndexDef* Find(const QString& nome) const;
};

// A named parameter of a query (":nome").
struct TParam {
    QString Name;
    QVariant Value;
    TFieldType DataType = TFieldType::ftUnknown;
    void SetAsString(const QString& s) { Value = s; DataType = TFieldType::ftString; }
    void SetAsInteger(qint64 v) { Value = v; DataType = TFieldType::ftInteger; }
    void SetAsFloat(double v) { Value = v; DataType = TFieldType::ftFloat; }
    void Clear() { Value = QVariant(); }
};

class TParams : public QList<TParam> {
public:
    // The parameter of that name (case-blind); throws when there is none.
    TParam& ParamByName(const QString& nome);
    TParam* FindParam(const QString& nome);
};

} // namespace tabelle
