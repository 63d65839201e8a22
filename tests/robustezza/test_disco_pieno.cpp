// A disk that fills up half way through a load, a deletion, the making of a
// print table and a registry store: the largest file the process may write
// (RLIMIT_FSIZE) is set below what the operation needs, so that its writes
// start to fail part way, as on a full file system. Each ends with an
// Italian message that names what could not be written; what was stored
// before is all there, and the operation works once there is room again.
#include "supporto_robustezza.h"

#include "app/caricamento/caricamento.h"
#include "app/stampa/stampatratte.h"
#include "registro/errore.h"
#include "registro/treginifile.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

// The file size limit for the object's lifetime; the signal that going past
// it would send is ignored, so a write fails with EFBIG instead.
class LimiteFile {
public:
    explicit LimiteFile(qint64 byte)
    {
        getrlimit(RLIMIT_FSIZE, &precedente_);
        segnale_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit nuovo = precedente_;
        nuovo.rlim_cur = rlim_t(byte);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &nuovo), 0);
    }
    ~LimiteFile()
    {
        setrlimit(RLIMIT_FSIZE, &precedente_);
        std::signal(SIGXFSZ, segnale_);
    }

private:
    rlimit precedente_{};
    void (*segnale_)(int) = nullptr;
};

qint64 Dimensione(const QString& file) { return QFileInfo(file).size(); }

} // namespace

class DiscoPienoTest : public ProvaRobustezza {
protected:
    QString dati = programma + "/Archivi";

    // Runs `operazione` with the limit; returns the engine's message.
    QString ErroreConLimite(qint64 limite, const std::function<void()>& operazione)
    {
        LimiteFile l(limite);
        try {
            operazione();
        } catch (const tabelle::EDBEngineError& e) {
            return e.messaggio();
        }
        ADD_FAILURE() << "nessun errore con il limite di " << limite << " byte";
        return QString();
    }

    tratte::TCaricamentoProvincia::Esito Carica(const QString& serie)
    {
        tabelle::TSession sessione;
        tratte::TArchivioDati archivio(programma, nullptr, &sessione);
        archivio.Prepara();
        archivio.CartellaArchivioComuni = QStringLiteral(ARCHIVIO_COMUNI "/");
        tratte::TCaricamentoProvincia::Interfaccia interfaccia;
        interfaccia.ConfermaSostituzione = [](const QString&) { return true; };
        tratte::TCaricamentoProvincia caricamento(archivio, interfaccia);
        return caricamento.CaricaDaCartella(serie);
    }

    bool Elimina(const QString& sigla)
    {
        tabelle::TSession sessione;
        tratte::TArchivioDati archivio(programma, nullptr, &sessione);
        archivio.Prepara();
        tratte::TCaricamentoProvincia caricamento(archivio, {});
        return caricamento.EliminaProvincia(sigla);
    }
};

TEST_F(DiscoPienoTest, UnCaricamentoNonPerdeNulla)
{
    // Enough rows that the archive must grow well beyond its size.
    QList<QPair<QString, QList<QByteArray>>> file;
    const QString riga = QString(75, ' ');
    QList<QByteArray> righe;
    for (int i = 0; i < 3000; ++i) {
        QByteArray r = riga.toLatin1();
        r.replace(0, 4, "M082").replace(18, 4, "M082");
        r.replace(6, 4, QByteArray::number(i / 90 + 1).rightJustified(4, '0'));
        r.replace(24, 4, QByteArray::number(i / 90 + 1).rightJustified(4, '0'));
        r.replace(15, 2, QByteArray::number(i % 90 + 1).rightJustified(2, '0'));
        r.replace(33, 2, QByteArray::number(i % 90 + 2).rightJustified(2, '0'));
        r.replace(36, 13, "VT2026/000001").replace(50, 12, "     100.000").replace(63, 12, "       0.010");
        righe << r;
    }
    const QString serie = Serie("viterbo-grande", {{"vt122601.dis", righe}});
    const QStringList prima = Stato(programma);
    const qint64 archivio = Dimensione(dati + "/Tratte.db");

    const QString messaggio = ErroreConLimite(archivio + 100 * 1024, [&] { Carica(serie); });
    EXPECT_TRUE(messaggio.startsWith("Spazio su disco esaurito: impossibile scrivere")) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains("Tratte.db")) << messaggio.toStdString();
    EXPECT_EQ(Stato(programma), prima);
    EXPECT_EQ(Journal(programma), QStringList());

    ASSERT_EQ(Carica(serie), tratte::TCaricamentoProvincia::Esito::Completato);
    EXPECT_EQ(Stato(programma).filter("VT2026/000001").size(), 3000);
}

TEST_F(DiscoPienoTest, UnEliminazioneNonPerdeNulla)
{
    const QStringList prima = Stato(programma);
    // The deletion's journal needs room for the pages it changes.
    const QString messaggio = ErroreConLimite(8192, [&] { Elimina("RM"); });
    EXPECT_TRUE(messaggio.startsWith("Spazio su disco esaurito: impossibile scrivere")) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains("Tratte.db") || messaggio.contains("PRV.DB")) << messaggio.toStdString();
    EXPECT_EQ(Stato(programma), prima);
    EXPECT_EQ(Journal(programma), QStringList());

    ASSERT_TRUE(Elimina("RM"));
    EXPECT_TRUE(Stato(programma).filter("VECCHIA").isEmpty());
    // Its 10 rows and its line of PRV.DB.
    EXPECT_EQ(Stato(programma).filter("MILANO").size(), 11);
}

TEST_F(DiscoPienoTest, UnaTabellaDiStampaNonToccaLArchivio)
{
    const QStringList prima = Stato(programma);
    tabelle::TSession sessione;
    tratte::TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    tratte::TOrvo orvo;
    tratte::TStampaTratte stampa(orvo, programma, sessione);
    tabelle::TQuery vista(nullptr, &sessione);
    vista.DatabaseName = "Database";
    vista.SQL << "Select * From \"Tratte.db\" Where ID_001_TABLE > 1";
    vista.Open();
    const QString messaggio = ErroreConLimite(16 * 1024, [&] { stampa.PreparaTabella(vista, tratte::TVistaStampa::Archivio); });
    EXPECT_TRUE(messaggio.startsWith("Spazio su disco esaurito: impossibile scrivere")) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains("StampaTratte.db")) << messaggio.toStdString();
    EXPECT_EQ(Stato(programma), prima);

    stampa.PreparaTabella(vista, tratte::TVistaStampa::Archivio);
    EXPECT_EQ(stampa.RigheCopiate(), 50);
}

TEST_F(DiscoPienoTest, IlRegistroTieneIlContenutoPrecedente)
{
    registro::TRegIniFile chiave("\\Software\\Quintor\\Tratte");
    chiave.WriteString("Percorsi", "Dati", "/dati");
    const QString hive = qEnvironmentVariable("TRATTE_REGISTRO") + "/HKEY_CURRENT_USER.reg";
    QFile f(hive);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray prima = f.readAll();
    f.close();
    try {
        LimiteFile l(prima.size() + 100);
        chiave.WriteString("Percorsi", "Lungo", QString(4000, 'x'));
        FAIL();
    } catch (const registro::ERegistryException& e) {
        EXPECT_TRUE(e.messaggio().startsWith("Impossibile scrivere il registro «" + hive + "» (spazio su disco esaurito)"))
            << e.messaggio().toStdString();
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), prima);
    f.close();
    EXPECT_EQ(chiave.ReadString("Percorsi", "Dati", ""), "/dati");
    chiave.WriteString("Percorsi", "Lungo", QString(4000, 'x'));
    EXPECT_EQ(chiave.ReadString("Percorsi", "Lungo", "").size(), 4000);
}
