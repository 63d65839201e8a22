#pragma once
// The program's settings in the registry of the current user: every value
// of the program key and of the directory component's key that the program
// reads or writes, with its default. Nothing is cached: each reader opens
// the key, reads and closes it. Readers never create a key, so they work on
// a registry that cannot be written; they throw registro::ERegistryException
// only when the registry cannot be read. Writers throw it when it cannot be
// written.
#include <QString>

namespace tratte {

// "Software\Quintor\ORBIS77\Tratte" and its section of the start-up values.
inline const QString ChiaveProgramma = QStringLiteral("Software\\Quintor\\ORBIS77\\Tratte");
inline const QString SezioneValoriIniziali = QStringLiteral("VALORI INIZIALI");
// The directory component's key; its section "Archivi" locates its tables.
inline const QString ChiaveDirectory = QStringLiteral("Software\\Quintor\\Common\\Borgal");
inline const QString PercorsoPregeoPredefinito = QStringLiteral("C:\\Pregeo\\dati");

// Opens the program's key, creating it when it is missing: throws
// registro::ERegistryException when the registry cannot be read or written.
void ApriChiaveProgramma();

// VisualizzaFinestra: show the start-up notice (default true).
bool VisualizzaAvviso();
// Written by the notice's check box: "0" when ticked, "1" when cleared.
void ScriviVisualizzaFinestra(bool mostra);

// PathArchivi: the installation folder that holds the data folder.
QString LeggiPathArchivi();
// That folder followed by Archivi, whether or not the value ends with a
// path separator.
QString CartellaDatiDaPathArchivi();

// InitProv, InitCom and IntestazioneStampe, read and written together.
struct ValoriIniziali {
    QString provincia;
    QString comune;
    QString intestazione;
};
ValoriIniziali LeggiValoriIniziali();
void ScriviValoriIniziali(const ValoriIniziali& valori);

// PathPregeo752 (default "C:\Pregeo\dati"); an empty text is written as
// the default.
QString LeggiPercorsoPregeo();
void ScriviPercorsoPregeo(const QString& percorso);

// FileNameArchivioComuni's folder, with its closing separator; empty when
// the value is missing.
QString LeggiCartellaArchivioComuni();

} // namespace tratte
