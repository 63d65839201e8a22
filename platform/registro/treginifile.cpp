#include "registro/treginifile.h"

#include "registro/alveare.h"

namespace registro {

TRegIniFile::TRegIniFile(const QString& percorsoChiave, Radice radice)
    : chiave_(percorsoChiave), radice_(radice)
{
    TRegistry registro(radice_);
    registro.OpenKey(percorso(QString()), true);
}

QString TRegIniFile::percorso(const QString& sezione) const
{
    return QLatin1Char('\\') + chiave_ + QLatin1Char('\\') + sezione;
}

QString TRegIniFile::ReadString(const QString& sezione, const QString& nome, const QString& predefinito) const
{
    TRegistry registro(radice_);
    if (!registro.OpenKeyReadOnly(percorso(sezione)) || !registro.ValueExists(nome))
        return predefinito;
    return registro.ReadString(nome);
}

void TRegIniFile::WriteString(const QString& sezione, const QString& nome, const QString& valore)
{
    TRegistry registro(radice_);
    registro.OpenKey(percorso(sezione), true);
    registro.WriteString(nome, valore);
}

int TRegIniFile::ReadInteger(const QString& sezione, const QString& nome, int predefinito) const
{
    bool ok = false;
    const int valore = ReadString(sezione, nome, QString()).trimmed().toInt(&ok);
    return ok ? valore : predefinito;
}

void TRegIniFile::WriteInteger(const QString& sezione, const QString& nome, int valore)
{
    WriteString(sezione, nome, QString::number(valore));
}

bool TRegIniFile::ReadBool(const QString& sezione, const QString& nome, bool predefinito) const
{
    return ReadInteger(sezione, nome, predefinito ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const QString& sezione, const QString& nome, bool valore)
{
    WriteString(sezione, nome, valore ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TRegIniFile::ValueExists(const QString& sezione, const QString& nome) const
{
    TRegistry registro(radice_);
    return registro.OpenKeyReadOnly(percorso(sezione)) && registro.ValueExists(nome);
}

bool TRegIniFile::SectionExists(const QString& sezione) const
{
    return TRegistry(radice_).KeyExists(percorso(sezione));
}

void TRegIniFile::DeleteKey(const QString& sezione, const QString& nome)
{
    TRegistry registro(radice_);
    if (registro.OpenKey(percorso(sezione), false))
        registro.DeleteValue(nome);
}

void TRegIniFile::EraseSection(const QString& sezione)
{
    if (!Alveare::nomi(sezione).isEmpty())
        TRegistry(radice_).DeleteKey(percorso(sezione));
}

QStringList TRegIniFile::ReadSections() const
{
    TRegistry registro(radice_);
    return registro.OpenKeyReadOnly(percorso(QString())) ? registro.GetKeyNames() : QStringList();
}

QStringList TRegIniFile::ReadSection(const QString& sezione) const
{
    TRegistry registro(radice_);
    return registro.OpenKeyReadOnly(percorso(sezione)) ? registro.GetValueNames() : QStringList();
}

} // namespace registro
