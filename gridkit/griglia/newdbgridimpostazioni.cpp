#include "gridkit/griglia/newdbgridimpostazioni.h"

#include "messaggi/messaggi.h"
#include "registro/errore.h"

namespace gridkit {

QString ImpostazioniGriglia::MessaggioIniMancante() const
{
    return luoghi_.IniFileName + QStringLiteral("--File di inizializzazione inesistente.");
}

void ImpostazioniGriglia::Salva(const QList<DescrizioneColonna>& colonne) const
{
    const QByteArray flusso = SerializzaLayout(colonne);
    if (luoghi_.Registro()) {
        try {
            ArchivioLayoutRegistro(luoghi_.RegPathName, luoghi_.RegKey).Scrivi(flusso);
        } catch (const registro::ERegistryException& e) {
            messaggi::ShowMessage(e.messaggio());
        }
    }
    if (luoghi_.Ini()) {
        ArchivioLayoutIni ini(luoghi_.IniFileName, luoghi_.IniKey);
        if (!ini.Esiste()) {
            messaggi::ShowMessage(MessaggioIniMancante());
            return;
        }
        try {
            ini.Scrivi(flusso);
        } catch (const ErroreLayoutIni& e) {
            messaggi::ShowMessage(e.messaggio());
        }
    }
}

std::optional<QList<DescrizioneColonna>> ImpostazioniGriglia::LeggiRegistro() const
{
    ArchivioLayoutRegistro archivio(luoghi_.RegPathName, luoghi_.RegKey);
    try {
        const std::optional<QByteArray> flusso = archivio.Leggi();
        if (flusso && flusso->isEmpty())
            return std::nullopt;
        if (flusso)
            if (auto colonne = DeserializzaLayout(*flusso))
                return colonne;
        messaggi::ShowMessage(QStringLiteral("Impossibile leggere struttura, Reg File corrotto."));
        archivio.Cancella();
    } catch (const registro::ERegistryException& e) {
        messaggi::ShowMessage(e.messaggio());
    }
    return std::nullopt;
}

std::optional<QList<DescrizioneColonna>> ImpostazioniGriglia::LeggiIni() const
{
    ArchivioLayoutIni ini(luoghi_.IniFileName, luoghi_.IniKey);
    if (!ini.Esiste()) {
        messaggi::ShowMessage(MessaggioIniMancante());
        return std::nullopt;
    }
    try {
        const std::optional<QByteArray> flusso = ini.Leggi();
        if (flusso && flusso->isEmpty())
            return std::nullopt;
        if (flusso)
            if (auto colonne = DeserializzaLayout(*flusso))
                return colonne;
        messaggi::ShowMessage(QStringLiteral("Impossibile leggere struttura, File ini corrotto."));
    } catch (const ErroreLayoutIni& e) {
        messaggi::ShowMessage(e.messaggio());
    }
    return std::nullopt;
}

std::optional<QList<DescrizioneColonna>> ImpostazioniGriglia::Leggi() const
{
    std::optional<QList<DescrizioneColonna>> letto;
    if (luoghi_.Registro())
        letto = LeggiRegistro();
    if (luoghi_.Ini())
        if (auto ini = LeggiIni())
            letto = ini;
    // A layout without columns would leave the grid empty: not applied.
    if (letto && letto->isEmpty())
        return std::nullopt;
    return letto;
}

} // namespace gridkit
