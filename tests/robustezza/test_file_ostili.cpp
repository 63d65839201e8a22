// Hostile files in the data folder at start-up: a table file truncated,
// zeroed, emptied or replaced by another table's file, and a registry hive
// full of garbage. The program opens with its windows, says in a message
// which file it cannot use, and the other tables work.
#include "supporto_robustezza.h"

#include "app/caricamento/taggform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/ricerca/tformricinspf.h"
#include "app/ricerca/ttratteform.h"
#include "registro/treginifile.h"
#include "tabelle/tabella.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <functional>

namespace {

QByteArray Leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Scrivi(const QString& percorso, const QByteArray& byte)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(byte), byte.size());
}

QByteArray Rumore(int quanti)
{
    QByteArray b(quanti, '\0');
    QRandomGenerator generatore(20261209);
    for (char& c : b)
        c = char(generatore.bounded(256));
    return b;
}

// The ways a table file is found damaged: cut short, zeroed, noise, or
// replaced by another table's file (`nomeAltro`, `altro`).
QList<QPair<QString, QByteArray>> Danni(const QByteArray& integro, const QString& nomeAltro, const QByteArray& altro)
{
    return {
        {"troncato", integro.left(integro.size() / 2)},
        {"troncato dentro la prima pagina", integro.left(100)},
        {"vuoto", QByteArray()},
        {"azzerato", QByteArray(integro.size(), '\0')},
        {"rumore", Rumore(int(integro.size()))},
        {"sostituito da " + nomeAltro, altro},
    };
}

} // namespace

class FileOstiliTest : public ProvaRobustezza {
protected:
    void SetUp() override
    {
        ProvaRobustezza::SetUp();
        registro::TRegIniFile(tratte::ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    }

    // Starts the program on the installation as main() does and lets it
    // settle; then hands the window to `verifica`.
    void Avvia(const std::function<void(tratte::TMainForm&)>& verifica)
    {
        finto.mostrati.clear();
        tratte::TMainForm finestra(programma);
        tratte::TTratteForm tratteForm(finestra);
        tratte::TFormRicInsPF formRicInsPF(finestra);
        tratte::TAggForm aggiornamento(finestra);
        tratte::TDelPrvForm eliminazione(finestra);
        finestra.show();
        QApplication::processEvents();
        verifica(finestra);
    }

    QString Messaggi() const { return Testi().join('\n'); }
    // Rows of a table of the data folder, read in the window's session.
    static int Righe(tratte::TMainForm& f, const QString& tabella)
    {
        tabelle::TTable t(nullptr, &f.Archivio.sessione());
        t.DatabaseName = "Database";
        t.TableName = tabella;
        t.Open();
        return t.RecordCount();
    }
};

TEST_F(FileOstiliTest, UnArchivioDanneggiatoNonFermaIlProgramma)
{
    const QString tratte = programma + "/Archivi/Tratte.db";
    const QByteArray integro = Leggi(tratte);
    const QByteArray prv = Leggi(programma + "/Archivi/PRV.DB");
    for (const auto& [caso, contenuto] : Danni(integro, "PRV.DB", prv)) {
        if (contenuto.isEmpty())
            continue; // an empty file is a new, empty archive
        SCOPED_TRACE(caso.toStdString());
        Scrivi(tratte, contenuto);
        Avvia([&](tratte::TMainForm& f) {
            EXPECT_TRUE(f.isVisible());
            EXPECT_TRUE(Messaggi().contains("Tratte.db")) << Messaggi().toStdString();
            // The provinces come from PRV.DB, which is sound.
            EXPECT_EQ(f.ProvinceCB->count(), 3) << Messaggi().toStdString();
            EXPECT_EQ(Righe(f, "PRV.DB"), 2);
            EXPECT_NO_THROW(Righe(f, "Combinazioni.db"));
        });
    }
    // The sound file back: everything as before.
    Scrivi(tratte, integro);
    Avvia([&](tratte::TMainForm& f) {
        EXPECT_FALSE(Messaggi().contains("Tratte.db")) << Messaggi().toStdString();
        EXPECT_EQ(Righe(f, "Tratte.db"), 51);
    });
}

TEST_F(FileOstiliTest, UnElencoDelleProvinceDanneggiato)
{
    const QString prv = programma + "/Archivi/PRV.DB";
    const QByteArray integro = Leggi(prv);
    const QByteArray tratte = Leggi(programma + "/Archivi/Tratte.db");
    for (const auto& [caso, contenuto] : Danni(integro, "Tratte.db", tratte)) {
        SCOPED_TRACE(caso.toStdString());
        Scrivi(prv, contenuto);
        Avvia([&](tratte::TMainForm& f) {
            EXPECT_TRUE(f.isVisible());
            EXPECT_TRUE(Messaggi().contains("PRV.DB", Qt::CaseInsensitive)) << Messaggi().toStdString();
            // The archive itself is there and readable.
            EXPECT_EQ(Righe(f, "Tratte.db"), 51);
        });
    }
}

TEST_F(FileOstiliTest, UnaTabellaDeiRisultatiDanneggiata)
{
    const QString risultati = programma + "/Archivi/TratteLibretto.db";
    Avvia([](tratte::TMainForm&) {});
    const QByteArray integro = Leggi(risultati);
    ASSERT_FALSE(integro.isEmpty());
    for (const auto& [caso, contenuto] : Danni(integro, "Tratte.db", Leggi(programma + "/Archivi/Tratte.db"))) {
        if (contenuto.isEmpty())
            continue;
        SCOPED_TRACE(caso.toStdString());
        Scrivi(risultati, contenuto);
        Avvia([&](tratte::TMainForm& f) {
            EXPECT_TRUE(f.isVisible());
            EXPECT_TRUE(Messaggi().contains("TratteLibretto.db")) << Messaggi().toStdString();
            EXPECT_EQ(Righe(f, "Tratte.db"), 51);
            EXPECT_EQ(f.ProvinceCB->count(), 3);
        });
        // The file is left for the user to restore, never made again over it.
        EXPECT_EQ(Leggi(risultati), contenuto);
    }
}

TEST_F(FileOstiliTest, UnRegistroPienoDiRumore)
{
    const QString hive = qEnvironmentVariable("TRATTE_REGISTRO") + "/HKEY_CURRENT_USER.reg";
    const QByteArray integro = Leggi(hive);
    for (const QByteArray& contenuto : {Rumore(20000), QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\r\n\"x\"=hex(2):zz\r\n\0\0\0", 84),
                                        integro.left(integro.size() / 2) + Rumore(300)}) {
        Scrivi(hive, contenuto);
        Avvia([&](tratte::TMainForm& f) {
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(f.ProvinceCB->count(), 3) << Messaggi().toStdString();
        });
    }
}
