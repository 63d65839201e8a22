#include "registro/tregistry.h"

#include "registro/archivio_alveare.h"
#include "registro/errore.h"

namespace registro {

namespace {

// A name with a line break or a null character cannot be written into the
// hive's file without corrupting it.
void controllaNome(const QString& nome, const QString& cosa)
{
    if (nome.contains(QLatin1Char('\n')) || nome.contains(QLatin1Char('\r')) || nome.contains(QChar(0)))
        throw ERegistryException(
            QStringLiteral("Il nome %1 «%2» non è valido: contiene un a capo o un carattere nullo.")
                .arg(cosa, QString(nome).replace(QChar(0), QLatin1Char(' ')).simplified()));
}

} // namespace

TRegistry::TRegistry(Radice radice) : radice_(radice) {}

void TRegistry::SetRootKey(Radice radice)
{
    CloseKey();
    radice_ = radice;
}

QString TRegistry::risolvi(const QString& chiave) const
{
    if (chiave.startsWith(QLatin1Char('\\')))
        return chiave;
    return corrente_ + QLatin1Char('\\') + chiave;
}

bool TRegistry::apri(const QString& chiave, bool creaSeManca, bool solaLettura)
{
    const QString percorso = risolvi(chiave);
    const ArchivioAlveare archivio(radice_);
    const Alveare alveare = archivio.leggi();
    QString ortografia;
    if (const ChiaveReg* esistente = alveare.trova(percorso)) {
        ortografia = esistente->percorso;
    } else if (!creaSeManca) {
        return false;
    } else {
        controllaNome(percorso, QStringLiteral("della chiave"));
        archivio.modifica([&](Alveare& alveare) {
            const bool nuova = alveare.trova(percorso) == nullptr;
            ortografia = alveare.crea(percorso).percorso;
            return nuova;
        });
    }
    solaLettura_ = solaLettura;
    corrente_ = ortografia;
    return true;
}

bool TRegistry::OpenKey(const QString& chiave, bool creaSeManca)
{
    return apri(chiave, creaSeManca, false);
}

bool TRegistry::OpenKeyReadOnly(const QString& chiave)
{
    return apri(chiave, false, true);
}

void TRegistry::CloseKey()
{
    solaLettura_ = false;
    corrente_.clear();
}

bool TRegistry::KeyExists(const QString& chiave) const
{
    return ArchivioAlveare(radice_).leggi().trova(risolvi(chiave)) != nullptr;
}

bool TRegistry::DeleteKey(const QString& chiave)
{
    if (Alveare::nomi(chiave).isEmpty())
        return false; // neither the root nor the open key itself
    const QString percorso = risolvi(chiave);
    bool eliminata = false;
    ArchivioAlveare(radice_).modifica([&](Alveare& alveare) {
        eliminata = alveare.elimina(percorso);
        return eliminata;
    });
    return eliminata;
}

bool TRegistry::ValueExists(const QString& nome) const
{
    const Alveare alveare = ArchivioAlveare(radice_).leggi();
    const ChiaveReg* chiave = alveare.trova(corrente_);
    return chiave && chiave->valore(nome);
}

bool TRegistry::DeleteValue(const QString& nome)
{
    if (solaLettura_)
        return false;
    bool eliminato = false;
    ArchivioAlveare(radice_).modifica([&](Alveare& alveare) {
        ChiaveReg* chiave = alveare.trova(corrente_);
        eliminato = chiave && chiave->rimuovi(nome);
        return eliminato;
    });
    return eliminato;
}

QString TRegistry::ReadString(const QString& nome) const
{
    const Alveare alveare = ArchivioAlveare(radice_).leggi();
    const ChiaveReg* chiave = alveare.trova(corrente_);
    const ValoreReg* valore = chiave ? chiave->valore(nome) : nullptr;
    if (!valore || valore->tipo == ValoreReg::Tipo::Altro)
        return {};
    return valore->dato;
}

void TRegistry::WriteString(const QString& nome, const QString& valore)
{
    if (solaLettura_)
        throw ERegistryException(
            QStringLiteral("Impossibile scrivere il valore «%1»: la chiave «%2» è aperta in sola lettura.")
                .arg(nome, corrente_));
    controllaNome(nome, QStringLiteral("del valore"));
    ArchivioAlveare(radice_).modifica([&](Alveare& alveare) {
        ChiaveReg* chiave = alveare.trova(corrente_);
        // A key of the machine's classes hive gets the user's value in the user's hive.
        if (!chiave && radice_ == Radice::HKEY_CLASSES_ROOT && ArchivioAlveare(radice_).leggi().trova(corrente_))
            chiave = &alveare.crea(corrente_);
        if (!chiave)
            throw ERegistryException(
                QStringLiteral("Impossibile scrivere il valore «%1»: la chiave «%2» non esiste più.").arg(nome, corrente_));
        const ValoreReg* attuale = chiave->valore(nome);
        if (attuale && attuale->tipo == ValoreReg::Tipo::Stringa && attuale->dato == valore)
            return false;
        chiave->imposta(nome, valore);
        return true;
    });
}

QStringList TRegistry::GetKeyNames() const
{
    return ArchivioAlveare(radice_).leggi().sottochiavi(corrente_);
}

QStringList TRegistry::GetValueNames() const
{
    const Alveare alveare = ArchivioAlveare(radice_).leggi();
    QStringList nomi;
    if (const ChiaveReg* chiave = alveare.trova(corrente_))
        for (const ValoreReg& valore : chiave->valori)
            nomi.append(valore.nome);
    return nomi;
}

} // namespace registro
