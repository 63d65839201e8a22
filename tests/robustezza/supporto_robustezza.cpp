#include "supporto_robustezza.h"

#include "app/caricamento/caricamento.h"
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "tabelle/campo.h"
#include "tabelle/query.h"

#include <QDir>
#include <QFile>

namespace {

// A line of a distribution file, every column in its place.
QByteArray Riga(const QByteArray& comune, int foglio, int pf1, int pf2, const QByteArray& protocollo, double distanza)
{
    QByteArray r(75, ' ');
    auto metti = [&r](int colonna, const QByteArray& testo) { r.replace(colonna - 1, testo.size(), testo); };
    for (int base : {1, 19})
        metti(base, comune);
    metti(7, QByteArray::number(foglio).rightJustified(4, '0'));
    metti(25, QByteArray::number(foglio).rightJustified(4, '0'));
    metti(16, QByteArray::number(pf1).rightJustified(2, '0'));
    metti(34, QByteArray::number(pf2).rightJustified(2, '0'));
    metti(37, protocollo.leftJustified(13, ' ', true));
    metti(51, QByteArray::number(distanza, 'f', 3).rightJustified(12, ' '));
    metti(64, QByteArray("0.010").rightJustified(12, ' '));
    return r;
}

QList<QByteArray> Righe(const QByteArray& comune, int foglio, int quante, const QByteArray& protocollo)
{
    QList<QByteArray> righe;
    for (int i = 1; i <= quante; ++i)
        righe << Riga(comune, foglio, i, i + 1, protocollo, 100.0 + i);
    return righe;
}

} // namespace

void ProvaRobustezza::SetUp()
{
    ASSERT_EQ(componenti::RegistraServer(QStringLiteral(LIBRERIA_BORGAL)), componenti::S_OK);
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", QStringLiteral(ARCHIVIO_COMUNI "/KWArchivioComuni.db"));
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", QStringLiteral(ARCHIVIO_COMUNI "/KWEsteri.db"));
    chiave.WriteString("Archivi", "FileNameArchivioProvince", QStringLiteral(ARCHIVIO_COMUNI "/KWProvince.db"));

    QDir(programma).mkpath("Archivi");
    for (const QString& nome : QDir(QStringLiteral(TABELLE_LAVORO)).entryList({"*.db", "*.rpt"}, QDir::Files))
        QFile::copy(QStringLiteral(TABELLE_LAVORO "/") + nome, programma + "/Archivi/" + nome);
    tabelle::TSession sessione;
    tratte::TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    archivio.CartellaArchivioComuni = QStringLiteral(ARCHIVIO_COMUNI "/");
    tratte::TCaricamentoProvincia::Interfaccia interfaccia;
    interfaccia.ConfermaSostituzione = [](const QString&) { return true; };
    for (const QString& serie :
         {Serie("roma", {{"rm099901.dis", Righe("H501", 1, 20, "VECCHIA")}, {"rm099902.dis", Righe("H501", 2, 20, "VECCHIA")}}),
          Serie("milano", {{"mi099901.dis", Righe("F205", 1, 10, "MILANO")}})}) {
        tratte::TCaricamentoProvincia caricamento(archivio, interfaccia);
        ASSERT_EQ(caricamento.CaricaDaCartella(serie), tratte::TCaricamentoProvincia::Esito::Completato);
    }
}

QString ProvaRobustezza::Serie(const QString& nome, const QList<QPair<QString, QList<QByteArray>>>& file) const
{
    const QString serie = cartella.sottocartella("serie-" + nome);
    for (const auto& [nomeFile, righe] : file) {
        QFile f(serie + "/" + nomeFile);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QByteArray& r : righe)
            f.write(r + "\r\n");
    }
    return serie;
}

QString ProvaRobustezza::NuovaSerieRoma() const
{
    return Serie("roma-nuova", {{"rm122601.dis", Righe("H501", 3, 20, "NUOVA")},
                                {"rm122602.dis", Righe("H501", 4, 20, "NUOVA")},
                                {"rm122603.dis", Righe("H501", 5, 20, "NUOVA")}});
}

QString ProvaRobustezza::SerieViterbo() const
{
    return Serie("viterbo", {{"vt122601.dis", Righe("M082", 1, 15, "VITERBO")}, {"vt122602.dis", Righe("M082", 2, 15, "VITERBO")}});
}

QStringList ProvaRobustezza::Stato(const QString& programma)
{
    tabelle::TSession sessione;
    tratte::TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    QStringList righe;
    for (const char* tabella : {"Tratte.db", "PRV.DB", "TratteLibretto.db"}) {
        tabelle::TQuery q(nullptr, &sessione);
        q.DatabaseName = "Database";
        q.SQL << QStringLiteral("Select * From \"%1\"").arg(QLatin1String(tabella));
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList campi{QLatin1String(tabella)};
            for (int i = 0; i < q.FieldCount(); ++i)
                if (q.Fields(i)->FieldName() != QLatin1String("ID_001_TABLE"))
                    campi << q.Fields(i)->AsString();
            righe << campi.join('|');
        }
    }
    righe.sort();
    return righe;
}

QString ProvaRobustezza::Copia(const QString& nome) const
{
    const QString nuovo = cartella.sottocartella(nome);
    QDir().mkpath(nuovo + "/Archivi");
    for (const QString& f : QDir(programma + "/Archivi").entryList(QDir::Files))
        EXPECT_TRUE(QFile::copy(programma + "/Archivi/" + f, nuovo + "/Archivi/" + f));
    return nuovo;
}

QStringList ProvaRobustezza::Journal(const QString& programma)
{
    return QDir(programma + "/Archivi").entryList({"*-journal", "*-mj*", "*-wal"}, QDir::Files);
}

QStringList ProvaRobustezza::Testi() const
{
    QStringList testi;
    for (const auto& m : finto.mostrati)
        testi << m.testo;
    return testi;
}
