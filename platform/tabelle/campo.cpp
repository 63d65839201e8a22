#include "tabelle/campo.h"

#include "tabelle/dataset.h"
#include "tabelle/errore.h"

#include <QLocale>
#include <cmath>

namespace tabelle {
namespace {

const QLocale& Numeri()
{
    static const QLocale c = QLocale::c();
    return c;
}

QString TestoReale(double v)
{
    // General form, 15 significant digits, "." as the decimal separator.
    QString s = QString::number(v, 'g', 15);
    if (s.contains('e')) {
        const int e = s.indexOf('e');
        QString mantissa = s.left(e);
        QString esponente = s.mid(e + 1);
        const bool negativo = esponente.startsWith('-');
        esponente.remove(0, esponente.startsWith('-') || esponente.startsWith('+') ? 1 : 0);
        while (esponente.size() > 1 && esponente.startsWith('0'))
            esponente.remove(0, 1);
        s = mantissa + 'E' + (negativo ? "-" : "+") + esponente.rightJustified(2, '0');
    }
    return s;
}

} // namespace

QVariant ValoreLetto(TFieldType tipo, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (tipo) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
        return v.typeId() == QMetaType::Double ? QVariant(qint64(std::llround(v.toDouble()))) : QVariant(v.toLongLong());
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return v.typeId() == QMetaType::QString ? v : QVariant(v.toDouble());
    case TFieldType::ftBoolean:
        return QVariant(v.toLongLong() != 0);
    case TFieldType::ftDate:
        return QVariant(QDate::fromString(v.toString().left(10), "yyyy-MM-dd"));
    case TFieldType::ftTime:
        return QVariant(QTime::fromString(v.toString(), "hh:mm:ss.zzz"));
    case TFieldType::ftDateTime:
        return QVariant(QDateTime::fromString(v.toString(), "yyyy-MM-dd hh:mm:ss.zzz"));
    default:
        return v;
    }
}

TField::TField(TDataSet& dataset, int indice, const QString& nome, TFieldType tipo, int dimensione)
    : dataset_(dataset), indice_(indice), nome_(nome), tipo_(tipo), dimensione_(dimensione)
{
}

bool TField::IsNull() const { return Value().isNull(); }
QVariant TField::Value() const { return dataset_.ValoreCampo(indice_); }
QVariant TField::OldValue() const { return dataset_.ValoreVecchio(indice_); }
void TField::SetValue(const QVariant& valore) { dataset_.ImpostaCampo(indice_, valore); }
QString TField::AsString() const { return Testo(Value()); }
void TField::SetAsString(const QString& testo) { SetValue(QVariant(testo)); }

qint64 TField::AsInteger() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qint64(std::llround(v.toDouble()));
    return v.toLongLong();
}

double TField::AsFloat() const
{
    const QVariant v = Value();
    return v.isNull() ? 0.0 : v.toDouble();
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    return !v.isNull() && v.toLongLong() != 0;
}

QDateTime TField::AsDateTime() const
{
    const QVariant v = Normalizza(Value());
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    if (v.typeId() == QMetaType::QTime)
        return QDateTime(QDate(1899, 12, 30), v.toTime());
    return v.toDateTime();
}

QByteArray TField::AsBytes() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QString)
        return v.toString().toUtf8();
    return v.toByteArray();
}

QVariant TField::Normalizza(const QVariant& valore) const
{
    if (!valore.isValid() || valore.isNull())
        return QVariant();
    const bool testo = valore.typeId() == QMetaType::QString;
    const QString s = testo ? valore.toString() : QString();
    if (testo && s.trimmed().isEmpty() && tipo_ != TFieldType::ftMemo && tipo_ != TFieldType::ftFmtMemo)
        return QVariant();
    auto nonValido = [&] {
        return EDBEngineError(QStringLiteral("'%1' non è un valore valido per il campo '%2'.").arg(valore.toString(), nome_));
    };
    switch (tipo_) {
    case TFieldType::ftString: {
        QString t = valore.toString();
        while (!t.isEmpty() && t.back().isSpace())
            t.chop(1);
        if (dimensione_ > 0 && t.size() > dimensione_)
            t.truncate(dimensione_);
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc: {
        bool ok = true;
        qint64 n;
        if (testo)
            n = Numeri().toLongLong(s.trimmed(), &ok);
        else if (valore.typeId() == QMetaType::Double)
            n = qint64(std::llround(valore.toDouble()));
        else
            n = valore.toLongLong(&ok);
        if (!ok)
            throw nonValido();
        if (tipo_ == TFieldType::ftSmallint && (n < -32768 || n > 32767))
            throw nonValido();
        return QVariant(n);
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: {
        bool ok = true;
        const double d = testo ? Numeri().toDouble(s.trimmed(), &ok) : valore.toDouble(&ok);
        if (!ok)
            throw nonValido();
        return QVariant(d);
    }
    case TFieldType::ftBoolean: {
        if (testo) {
            const QString t = s.trimmed().toUpper();
            if (t == "TRUE" || t == "VERO" || t == "T" || t == "1" || t == "S" || t == "SI")
                return QVariant(true);
            if (t == "FALSE" || t == "FALSO" || t == "F" || t == "0" || t == "N" || t == "NO")
                return QVariant(false);
            throw nonValido();
        }
        return QVariant(valore.toLongLong() != 0);
    }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime: {
        if (!testo)
            return valore;
        for (const char* forma : {"yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-dd hh:mm:ss", "dd/MM/yyyy hh:mm:ss", "dd/MM/yyyy", "yyyy-MM-dd"}) {
            const QDateTime d = QDateTime::fromString(s.trimmed(), QString::fromLatin1(forma));
            if (d.isValid())
                return tipo_ == TFieldType::ftDate ? QVariant(d.date()) : QVariant(d);
            const QDate g = QDate::fromString(s.trimmed(), QString::fromLatin1(forma));
            if (g.isValid())
                return QVariant(g);
        }
        for (const char* forma : {"hh:mm:ss.zzz", "hh:mm:ss", "hh:mm"}) {
            const QTime t = QTime::fromString(s.trimmed(), QString::fromLatin1(forma));
            if (t.isValid())
                return QVariant(t);
        }
        throw nonValido();
    }
    default:
        if (testo && IsBlob() && tipo_ != TFieldType::ftMemo && tipo_ != TFieldType::ftFmtMemo)
            return QVariant(s.toUtf8());
        return valore;
    }
}

QString TField::Testo(const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (tipo_) {
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return TestoReale(v.toDouble());
    case TFieldType::ftBoolean:
        return v.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
        return QString::number(v.typeId() == QMetaType::Double ? qint64(std::llround(v.toDouble())) : v.toLongLong());
    case TFieldType::ftDate: {
        const QVariant n = Normalizza(v);
        return n.toDate().toString("dd/MM/yyyy");
    }
    case TFieldType::ftTime:
        return Normalizza(v).toTime().toString("hh:mm:ss");
    case TFieldType::ftDateTime: {
        const QVariant n = Normalizza(v);
        if (n.typeId() == QMetaType::QDate)
            return n.toDate().toString("dd/MM/yyyy");
        return n.toDateTime().toString("dd/MM/yyyy hh:mm:ss");
    }
    default:
        if (v.typeId() == QMetaType::QByteArray)
            return QString::fromUtf8(v.toByteArray());
        return v.toString();
    }
}

int TFieldDefs::IndexOf(const QString& nome) const
{
    for (int i = 0; i < size(); ++i)
        if (at(i).Name.compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const TIndexDef* TIndexDefs::Find(const QString& nome) const
{
    for (const TIndexDef& d : *this)
        if (d.Name.compare(nome, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

TParam* TParams::FindParam(const QString& nome)
{
    const QString n = nome.startsWith(':') ? nome.mid(1) : nome;
    for (TParam& p : *this)
        if (p.Name.compare(n, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

TParam& TParams::ParamByName(const QString& nome)
{
    if (TParam* p = FindParam(nome))
        return *p;
    throw EDBEngineError(QStringLiteral("Parametro '%1' non trovato.").arg(nome));
}

} // namespace tabelle
