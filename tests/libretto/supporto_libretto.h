#pragma once
// A temporary installation for the survey-book search: the directory and
// the survey-book manager registered, PathArchivi on the installation,
// the work tables, provinces and archive rows; books written by hand.
#include "app/configurazione.h"
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "supporto_ricerca.h"

#include <QDir>
#include <QFile>

namespace prova {

struct InstallazioneLibretto {
    CartellaTemporanea cartella;
    QString programma = cartella.sottocartella("Tratte");
    QString pregeo = cartella.sottocartella("Pregeo");

    InstallazioneLibretto()
    {
        CopiaTabelleLavoro(programma);
        RegistraDirectory();
        EXPECT_EQ(componenti::RegistraServer(QStringLiteral(LIBRERIA_PREGEO)), componenti::S_OK);
        registro::TRegIniFile programmaChiave(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77"));
        programmaChiave.WriteString("Tratte", "PathArchivi", programma);
        tratte::ScriviPercorsoPregeo(pregeo);
        registro::TRegIniFile(tratte::ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    }

    void Carica(const QList<QPair<QString, QString>>& province, const QList<TrattaProva>& tratte)
    {
        tabelle::TSession s;
        CaricaProvince(s, programma, province);
        if (!tratte.isEmpty())
            ScriviTratte(programma, tratte, province.isEmpty() ? QStringLiteral("RM") : province.front().first);
    }

    QString Libretto(const QString& nome, const QByteArray& testo) const
    {
        const QString file = QDir(pregeo).filePath(nome + ".out");
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(testo);
        return QDir(pregeo).filePath(nome);
    }
};

} // namespace prova
