#pragma once
// What the printing tests share: a protected print table of test rows, a
// report file over it, and the reading of a PDF (its pages and its text,
// with pdftotext and pdfinfo).
#include "tabelle/connessione.h"
#include "tabelle/protezione.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace prova {

// StampaProva.db in `cartella`: Nome, Numero, Valore; row i (from 1) is
// "RIGA i", i, i * 1.5; the value of every seventh row is empty.
inline void CreaTabellaProva(tabelle::TSession& s, const QString& cartella, int righe, const QString& nome = "StampaProva.db")
{
    s.AddPassword("tulp41");
    tabelle::TTable t(nullptr, &s);
    t.DatabaseName = cartella;
    t.TableName = nome;
    t.FieldDefs.Add("Nome", tabelle::TFieldType::ftString, 20);
    t.FieldDefs.Add("Numero", tabelle::TFieldType::ftInteger);
    t.FieldDefs.Add("Valore", tabelle::TFieldType::ftFloat);
    t.CreateTable();
    t.Open();
    {
        tabelle::PuntoDiRipristino tutto(s.connessione());
        for (int i = 1; i <= righe; ++i) {
            t.Append();
            t.FieldByName("Nome")->SetAsString(QStringLiteral("RIGA %1").arg(i));
            t.FieldByName("Numero")->SetAsInteger(i);
            if (i % 7 != 0)
                t.FieldByName("Valore")->SetAsFloat(i * 1.5);
            t.Post();
        }
        tutto.Conferma();
    }
    t.Close();
    tabelle::ImpostaPasswordTabella(s, cartella + "/" + nome, "tulp41");
}

inline QString RapportoProva(const QString& gruppo = "{StampaProva.Numero}", const QString& direzione = "crescente")
{
    return QStringLiteral(R"([rapporto]
titolo = Elenco di prova
margini = 10 10 10 10
altezza_riga = 5

[tabella]
nome = StampaProva.db
password = tulp41

[intestazione]
testo = Prove di stampa
data = Data di stampa: {data}

[colonna]
campo = Nome
titolo = Nome della riga
larghezza = 40

[colonna]
campo = Numero
titolo = Numero
larghezza = 20
allineamento = destra
formato = 0

[colonna]
campo = Valore
titolo = Valore
larghezza = 30
allineamento = destra
formato = 0.000

[gruppo]
campo = %1
direzione = %2
)").arg(gruppo, direzione);
}

inline void Scrivi(const QString& percorso, const QString& testo)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo.toUtf8());
}

// The output of a tool on a PDF.
inline QString Strumento(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(60000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int PaginePdf(const QString& pdf)
{
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(Strumento("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of the pages (all when 0), laid out as on the page.
inline QString TestoPdf(const QString& pdf, int da = 0, int a = 0)
{
    QStringList argomenti{"-layout"};
    if (da > 0)
        argomenti << "-f" << QString::number(da) << "-l" << QString::number(a);
    return Strumento("pdftotext", argomenti << pdf << "-");
}

} // namespace prova
