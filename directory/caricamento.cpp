#include "directory/caricamento.h"

#include "aiuto/applicazione.h"
#include "aiuto/htmlhelp.h"
#include "directory/formati.h"
#include "directory/serviziocomponente.h"
#include "gridkit/comune/avviografico.h"
#include "messaggi/messaggi.h"
#include "tabelle/chiave.h"
#include "tabelle/sessione.h"

#include <QCoreApplication>

#include <memory>
#include <optional>

namespace borgal {

namespace {

void AllaFineDellApplicazione();

class Caricamento {
public:
    Caricamento()
    {
        // What the steps change is made before this object, so it is still
        // there when this object is destroyed at unload.
        (void)aiuto::HelpFile();
        (void)tabelle::Session();
        (void)messaggi::Servizio();
        (void)Formati();
    }
    ~Caricamento() { Annulla(); }
    Caricamento(const Caricamento&) = delete;
    Caricamento& operator=(const Caricamento&) = delete;

    void Assicura()
    {
        if (inVigore_)
            return;
        messaggi::ImpostaServizio(&servizio_);
        // The library's own copy of the wait cursor shows on the host's screen.
        grafica_.emplace();
        log_ = LogDebug(ImpostazioniLogDebug::Leggi());
        aiuto_ = std::make_unique<aiuto::TVTRHtmlHelp>();
        formatiPrecedenti_ = Formati();
        ImpostaFormati({QStringLiteral("dd/MM/yyyy"), QLatin1Char('.')});
        tabelle::RicordaChiaveGrezza(QString::fromLatin1(PasswordTabelle), ChiaveTabelle);
        tabelle::Session().AddPassword(QString::fromLatin1(PasswordTabelle));
        qAddPostRoutine(AllaFineDellApplicazione);
        inVigore_ = true;
    }

    void Annulla()
    {
        if (!inVigore_)
            return;
        inVigore_ = false;
        qRemovePostRoutine(AllaFineDellApplicazione);
        tabelle::Session().RemovePassword(QString::fromLatin1(PasswordTabelle));
        ImpostaFormati(formatiPrecedenti_);
        aiuto_.reset();
        log_ = LogDebug();
        grafica_.reset();
        messaggi::ImpostaServizio(nullptr);
    }

    bool InVigore() const { return inVigore_; }
    const LogDebug& Log() const { return log_; }

private:
    bool inVigore_ = false;
    ServizioMessaggiComponente servizio_;
    std::optional<gridkit::AvvioGrafico> grafica_;
    LogDebug log_;
    std::unique_ptr<aiuto::TVTRHtmlHelp> aiuto_;
    FormatiComponente formatiPrecedenti_;
};

Caricamento& Stato()
{
    static Caricamento caricamento;
    return caricamento;
}

void AllaFineDellApplicazione() { Stato().Annulla(); }

} // namespace

void AssicuraCaricamento() { Stato().Assicura(); }

void AnnullaCaricamento() { Stato().Annulla(); }

bool CaricamentoInVigore() { return Stato().InVigore(); }

const LogDebug& LogDebugComponente() { return Stato().Log(); }

} // namespace borgal
