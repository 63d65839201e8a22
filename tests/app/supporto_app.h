#pragma once
// What the program's tests set up the same way: the directory component
// registered and pointed at an archive, and provinces loaded in PRV.DB.
#include "app/archiviodati.h"
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "tabelle/tabella.h"

#include <QList>
#include <QPair>
#include <gtest/gtest.h>

namespace prova {

// The directory's archive values point at `cartella` (the delivered archive
// when omitted).
inline void PuntaArchivioComuni(const QString& cartella = QStringLiteral(ARCHIVIO_COMUNI))
{
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", cartella + "/KWArchivioComuni.db");
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", cartella + "/KWEsteri.db");
    chiave.WriteString("Archivi", "FileNameArchivioProvince", cartella + "/KWProvince.db");
}

// libborgal.so registered in the test's classes hive, over the delivered archive.
inline void RegistraDirectory()
{
    ASSERT_EQ(componenti::RegistraServer(QStringLiteral(LIBRERIA_BORGAL)), componenti::S_OK);
    PuntaArchivioComuni();
}

// Provinces (code, name) appended to PRV.DB of the installation in `programma`.
inline void CaricaProvince(tabelle::TSession& s, const QString& programma, const QList<QPair<QString, QString>>& province)
{
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    tabelle::TTable prv(nullptr, &s);
    prv.DatabaseName = "Database";
    prv.TableName = "PRV.DB";
    prv.Open();
    for (const auto& [codice, nome] : province) {
        prv.Append();
        prv.FieldByName("CODEPRV")->SetAsString(codice);
        prv.FieldByName("PROVINCIA")->SetAsString(nome);
        prv.Post();
    }
}

} // namespace prova
