#include "directory/archiviostatimodins.h"

#include "directory/hjgenericedit.h"
#include "tabelle/campo.h"
#include "tabelle/tabella.h"

namespace borgal {

namespace {

constexpr int AltezzaClient = 214;

} // namespace

TArchivioStatiModIns_Form::TArchivioStatiModIns_Form(QWidget* genitore) : TArchivioModIns_Form(genitore, AltezzaClient)
{
    setObjectName(QStringLiteral("ArchivioStatiModIns_Form"));
    NomeStato_HJGenericEdit = NuovoEdit(QStringLiteral("NomeStato_HJGenericEdit"), 40);
    CodiceFiscale_HJGenericEdit = NuovoEdit(QStringLiteral("CodiceFiscale_HJGenericEdit"), 5);
    CodiceCatastale_HJGenericEdit = NuovoEdit(QStringLiteral("CodiceCatastale_HJGenericEdit"), 5);
    AggiungiRiga(QStringLiteral("Nome stato"), NomeStato_HJGenericEdit, 230);
    AggiungiRiga(QStringLiteral("Codice\nfiscale"), CodiceFiscale_HJGenericEdit, 50);
    AggiungiRiga(QStringLiteral("Codice\ncatastale"), CodiceCatastale_HJGenericEdit, 50);
}

TArchivioStatiModIns_Form::~TArchivioStatiModIns_Form() = default;

QString TArchivioStatiModIns_Form::MessaggioNome() const { return QStringLiteral("Il campo \"Nome stato\" è obbligatorio!"); }

QString TArchivioStatiModIns_Form::MessaggioCodiceFiscale() const
{
    return QStringLiteral("Il campo \"Codice fiscale\" è obbligatorio!");
}

QString TArchivioStatiModIns_Form::MessaggioDuplicato() const { return QStringLiteral("Comune già presente!"); }

void TArchivioStatiModIns_Form::PreparaInserimento()
{
    for (THJGenericEdit* e : {NomeStato_HJGenericEdit, CodiceFiscale_HJGenericEdit, CodiceCatastale_HJGenericEdit})
        e->clear();
}

void TArchivioStatiModIns_Form::LeggiRecord(const tabelle::TTable& tabella)
{
    NomeStato_HJGenericEdit->SetText(tabella.FieldByName("NomeStato")->AsString());
    CodiceFiscale_HJGenericEdit->SetText(tabella.FieldByName("CodiceFiscale")->AsString());
    CodiceCatastale_HJGenericEdit->SetText(tabella.FieldByName("CodiceCatastale")->AsString());
}

void TArchivioStatiModIns_Form::ScriviRecord(tabelle::TTable& tabella)
{
    tabella.FieldByName("NomeStato")->SetAsString(NomeStato_HJGenericEdit->Text());
    tabella.FieldByName("CodiceFiscale")->SetAsString(CodiceFiscale_HJGenericEdit->Text());
    tabella.FieldByName("CodiceCatastale")->SetAsString(CodiceCatastale_HJGenericEdit->Text());
}

} // namespace borgal
