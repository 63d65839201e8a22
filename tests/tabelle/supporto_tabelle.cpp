#include "supporto_tabelle.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tabelle;

namespace prova {

TFieldDefs CampiArchivio()
{
    TFieldDefs campi;
    campi.Add("ID_001_TABLE", TFieldType::ftAutoInc);
    campi.Add("Comune", TFieldType::ftString, 4);
    campi.Add("Sezione", TFieldType::ftString, 1);
    campi.Add("Foglio", TFieldType::ftInteger);
    campi.Add("PF", TFieldType::ftInteger);
    campi.Add("Distanza", TFieldType::ftFloat);
    campi.Add("Note", TFieldType::ftString, 20);
    return campi;
}

void CreaTabella(TSession& s, const QString& cartella, const QString& nome, const TFieldDefs& campi, const TIndexDefs& indici,
                 const QList<QVariantList>& righe)
{
    TTable t(nullptr, &s);
    t.DatabaseName = cartella;
    t.TableName = nome;
    t.FieldDefs = campi;
    t.IndexDefs = indici;
    t.CreateTable();
    if (righe.isEmpty())
        return;
    t.Open();
    s.connessione().IniziaTransazione();
    for (const QVariantList& riga : righe) {
        t.Append();
        int v = 0;
        for (int i = 0; i < t.FieldCount() && v < riga.size(); ++i)
            if (t.Fields(i)->DataType() != TFieldType::ftAutoInc)
                t.Fields(i)->SetValue(riga[v++]);
        t.Post();
    }
    s.connessione().ConfermaTransazione();
}

void CreaArchivio(TSession& s, const QString& cartella, const QString& nome, const QList<QVariantList>& righe)
{
    TIndexDefs indici;
    indici.Add("", "ID_001_TABLE", ixPrimary | ixUnique);
    CreaTabella(s, cartella, nome, CampiArchivio(), indici, righe);
}

QByteArray Contenuto(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ScriviContenuto(const QString& percorso, const QByteArray& byte)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(byte);
}

QString ErroreDi(const std::function<void()>& azione)
{
    try {
        azione();
    } catch (const EDBEngineError& e) {
        return e.messaggio();
    }
    ADD_FAILURE() << "nessun errore del motore";
    return QString();
}

QStringList Righe(TSession& s, const QString& cartella, const QString& sql, const QVariantMap& parametri)
{
    TQuery q(nullptr, &s);
    q.DatabaseName = cartella;
    q.SQL << sql;
    for (auto it = parametri.begin(); it != parametri.end(); ++it)
        q.ParamByName(it.key()).Value = it.value();
    q.Open();
    QStringList righe;
    for (q.First(); !q.Eof(); q.Next()) {
        QStringList valori;
        for (int i = 0; i < q.FieldCount(); ++i)
            valori << q.Fields(i)->AsString();
        righe << valori.join('|');
    }
    return righe;
}

QStringList Colonna(TDataSet& d, const QString& campo)
{
    QStringList valori;
    for (d.First(); !d.Eof(); d.Next())
        valori << d.FieldByName(campo)->AsString();
    return valori;
}

} // namespace prova
