#include "app/configurazione.h"

#include "registro/treginifile.h"
#include "registro/tregistry.h"

namespace tratte {

namespace {

// Reading a setting never creates its key: a registry that cannot be
// written still reads, a missing key gives the default.
QString Leggi(const QString& chiave, const QString& sezione, const QString& nome, const QString& predefinito)
{
    registro::TRegistry registro;
    if (!registro.OpenKeyReadOnly('\\' + chiave + '\\' + sezione) || !registro.ValueExists(nome))
        return predefinito;
    return registro.ReadString(nome);
}

} // namespace

void ApriChiaveProgramma() { registro::TRegIniFile chiave(ChiaveProgramma); }

bool VisualizzaAvviso()
{
    // A number, any but 0 true; other text reads as the default.
    bool numero = false;
    const int valore = Leggi(ChiaveProgramma, QString(), QStringLiteral("VisualizzaFinestra"), QString()).trimmed().toInt(&numero);
    return numero ? valore != 0 : true;
}

void ScriviVisualizzaFinestra(bool mostra)
{
    registro::TRegIniFile(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77\\Tratte"))
        .WriteString(QString(), QStringLiteral("VisualizzaFinestra"), mostra ? QStringLiteral("1") : QStringLiteral("0"));
}

QString LeggiPathArchivi()
{
    return Leggi(ChiaveProgramma, QString(), QStringLiteral("PathArchivi"), QString());
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
    return {Leggi(ChiaveProgramma, SezioneValoriIniziali, QStringLiteral("InitProv"), QString()),
            Leggi(ChiaveProgramma, SezioneValoriIniziali, QStringLiteral("InitCom"), QString()),
            Leggi(ChiaveProgramma, SezioneValoriIniziali, QStringLiteral("IntestazioneStampe"), QString())};
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
    return Leggi(QStringLiteral("\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE"), SezioneValoriIniziali, QStringLiteral("PathPregeo752"),
                 PercorsoPregeoPredefinito);
}

void ScriviPercorsoPregeo(const QString& percorso)
{
    registro::TRegIniFile(QStringLiteral("\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE"))
        .WriteString(SezioneValoriIniziali, QStringLiteral("PathPregeo752"), percorso.isEmpty() ? PercorsoPregeoPredefinito : percorso);
}

QString LeggiCartellaArchivioComuni()
{
    QString file = Leggi(ChiaveDirectory, QStringLiteral("Archivi"), QStringLiteral("FileNameArchivioComuni"), QString());
    file.replace('\\', '/');
    const int barra = file.lastIndexOf('/');
    return barra < 0 ? QString() : file.left(barra + 1);
}

} // namespace tratte
