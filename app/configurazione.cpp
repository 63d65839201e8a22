#include "app/configurazione.h"

#include "registro/treginifile.h"

namespace tratte {
bool VisualizzaAvviso()
{
    return registro::TRegIniFile(ChiaveProgramma).ReadBool(QString(), QStringLiteral("VisualizzaFinestra"), true);
}

void ScriviVisualizzaFinestra(bool mostra)
{
    registro::TRegIniFile(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77\\Tratte"))
        .WriteString(QString(), QStringLiteral("VisualizzaFinestra"), mostra ? QStringLiteral("1") : QStringLiteral("0"));
}

QString LeggiPathArchivi()
{
    return registro::TRegIniFile(ChiaveProgramma).ReadString(QString(), QStringLiteral("PathArchivi"), QString());
}

QString CartellaDatiDaPathArchivi()
{
    const QString percorso = LeggiPathArchivi();
    if (percorso.endsWith('\\') || percorso.endsWith('/'))
        return percorso + QStringLiteral("Archivi");
    return percorso + QStringLiteral("/Archivi");
}

ValoriIniziali LeggiValoriIniziali()
{
    const registro::TRegIniFile chiave(ChiaveProgramma);
    return {chiave.ReadString(SezioneValoriIniziali, QStringLiteral("InitProv"), QString()),
            chiave.ReadString(SezioneValoriIniziali, QStringLiteral("InitCom"), QString()),
            chiave.ReadString(SezioneValoriIniziali, QStringLiteral("IntestazioneStampe"), QString())};
}

void ScriviValoriIniziali(const ValoriIniziali& valori)
{
    registro::TRegIniFile chiave(ChiaveProgramma);
    chiave.WriteString(SezioneValoriIniziali, QStringLiteral("InitProv"), valori.provincia);
    chiave.WriteString(SezioneValoriIniziali, QStringLiteral("InitCom"), valori.comune);
    chiave.WriteString(SezioneValoriIniziali, QStringLiteral("IntestazioneStampe"), valori.intestazione.left(40));
}

QString LeggiPercorsoPregeo()
{
    return registro::TRegIniFile(QStringLiteral("\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE"))
        .ReadString(SezioneValoriIniziali, QStringLiteral("PathPregeo752"), PercorsoPregeoPredefinito);
}

void ScriviPercorsoPregeo(const QString& percorso)
{
    registro::TRegIniFile(QStringLiteral("\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE"))
        .WriteString(SezioneValoriIniziali, QStringLiteral("PathPregeo752"), percorso.isEmpty() ? PercorsoPregeoPredefinito : percorso);
}

QString LeggiCartellaArchivioComuni()
{
    QString file = registro::TRegIniFile(ChiaveDirectory).ReadString(QStringLiteral("Archivi"), QStringLiteral("FileNameArchivioComuni"), QString());
    file.replace('\\', '/');
    const int barra = file.lastIndexOf('/');
    return barra < 0 ? QString() : file.left(barra + 1);
}

} // namespace tratte
