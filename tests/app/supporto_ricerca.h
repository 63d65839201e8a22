#pragma once
// A temporary installation for the point search: the delivered work tables
// copied from the build into its data folder, and archive rows written
// into its Tratte.db.
#include "app/archiviodati.h"
#include "app/ricerca/ricercapf.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace prova {

// The two work tables of the build in `programma`/Archivi.
inline void CopiaTabelleLavoro(const QString& programma)
{
    QDir().mkpath(programma + "/Archivi");
    for (const QString& nome : {tratte::TabellaRicerchePF, tratte::TabellaCombinazioni})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TABELLE_LAVORO) + "/" + nome, programma + "/Archivi/" + nome)) << nome.toStdString();
}

// One archived distance: its two points and its distance.
struct TrattaProva {
    tratte::PuntoFiduciale pf1, pf2;
    double distanza = 0;
};

// Written through a session of its own.
inline void ScriviTratte(const QString& programma, const QList<TrattaProva>& tratte, const QString& provincia = QStringLiteral("RM"))
{
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    tabelle::TTable t(nullptr, &s);
    t.DatabaseName = "Database";
    t.TableName = "Tratte.db";
    t.Open();
    int protocollo = 0;
    for (const TrattaProva& r : tratte) {
        t.Append();
        for (const auto& [p, n] : {std::pair{&r.pf1, "1"}, std::pair{&r.pf2, "2"}}) {
            t.FieldByName(QStringLiteral("ComunePF") + n)->SetAsString(p->Comune);
            if (!p->Sezione.isEmpty())
                t.FieldByName(QStringLiteral("SezionePF") + n)->SetAsString(p->Sezione);
            t.FieldByName(QStringLiteral("FoglioPF") + n)->SetAsInteger(p->Foglio);
            if (!p->Allegato.isEmpty())
                t.FieldByName(QStringLiteral("AllegatoPF") + n)->SetAsString(p->Allegato);
            t.FieldByName(QStringLiteral("PF") + n)->SetAsInteger(p->PF);
        }
        t.FieldByName("Protocollo")->SetAsString(QStringLiteral("P%1").arg(++protocollo));
        t.FieldByName("Distanza")->SetAsFloat(r.distanza);
        t.FieldByName("Provincia")->SetAsString(provincia);
        t.Post();
    }
}

} // namespace prova

namespace tratte {
inline void PrintTo(const PuntoFiduciale& p, std::ostream* os)
{
    *os << QStringLiteral("%1,%2,%3,%4,%5").arg(p.Comune, p.Sezione).arg(p.Foglio).arg(p.Allegato).arg(p.PF).toStdString();
}
} // namespace tratte
