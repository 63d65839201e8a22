#include "directory/archiviocomunimodins.h"

#include "directory/hjgenericnumedit.h"
#include "directory/registroborgal.h"
#include "tabelle/campo.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QComboBox>
#include <QGridLayout>

namespace borgal {

namespace {

constexpr int AltezzaClient = 261;

THJGenericNumEdit* NuovoNumEdit(QWidget* genitore, const QString& nome, int cifre)
{
    auto* edit = new THJGenericNumEdit(genitore);
    edit->setObjectName(nome);
    edit->SetAccettaSegno(false);
    edit->SetDecimali(0);
    edit->SetInteri(cifre);
    return edit;
}

// Fills a sorted list with an empty first entry and `voci`, then selects
// `scelta` by its exact text (none when it is not there).
void Riempi(QComboBox& lista, QStringList voci, const QString& scelta)
{
    voci.sort();
    lista.clear();
    lista.addItem(QString());
    lista.addItems(voci);
    lista.setCurrentIndex(scelta.isEmpty() ? -1 : lista.findText(scelta, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

QStringList Valori(tabelle::TQuery& query, const QString& colonna)
{
    QStringList valori;
    query.Open();
    const int indice = query.FieldByName(colonna)->Index();
    for (int riga = 0; riga < query.RecordCount(); ++riga)
        valori << query.ValoreRiga(riga, indice).toString();
    query.Close();
    return valori;
}

} // namespace

TArchivioComuniModIns_Form::TArchivioComuniModIns_Form(QWidget* genitore)
    : TArchivioModIns_Form(genitore, AltezzaClient), Regioni_Query(this, &tabelle::Session()),
      Province_Query(this, &tabelle::Session())
{
    setObjectName(QStringLiteral("ArchivioComuniModIns_Form"));
    NomeComune_HJGenericEdit = NuovoEdit(QStringLiteral("NomeComune_HJGenericEdit"), 40);
    Regioni_ComboBox = new QComboBox(this);
    Regioni_ComboBox->setObjectName(QStringLiteral("Regioni_ComboBox"));
    Province_ComboBox = new QComboBox(this);
    Province_ComboBox->setObjectName(QStringLiteral("Province_ComboBox"));
    CAP_HJGenericNumEdit = NuovoNumEdit(this, QStringLiteral("CAP_HJGenericNumEdit"), 5);
    PrefissoTelefonico_HJGenericNumEdit = NuovoNumEdit(this, QStringLiteral("PrefissoTelefonico_HJGenericNumEdit"), 4);
    CodiceFiscale_HJGenericEdit = NuovoEdit(QStringLiteral("CodiceFiscale_HJGenericEdit"), 5);
    CodiceCatastale_HJGenericEdit = NuovoEdit(QStringLiteral("CodiceCatastale_HJGenericEdit"), 5);

    AggiungiRiga(QStringLiteral("Nome comune"), NomeComune_HJGenericEdit, 230);
    AggiungiRiga(QStringLiteral("Regione"), Regioni_ComboBox, 190);
    AggiungiRiga(QStringLiteral("Prov"), Province_ComboBox, 60);
    AggiungiRiga(QStringLiteral("CAP"), CAP_HJGenericNumEdit, 50);
    AggiungiRiga(QStringLiteral("Prefisso\ntelefonico"), PrefissoTelefonico_HJGenericNumEdit, 44);
    AggiungiRiga(QStringLiteral("Codice\nfiscale"), CodiceFiscale_HJGenericEdit, 50);
    AggiungiRiga(QStringLiteral("Codice\ncatastale"), CodiceCatastale_HJGenericEdit, 50);

    connect(Regioni_ComboBox, &QComboBox::currentIndexChanged, this, [this] { Regioni_ComboBoxChange(); });
}

TArchivioComuniModIns_Form::~TArchivioComuniModIns_Form() = default;

QString TArchivioComuniModIns_Form::MessaggioNome() const
{
    return QStringLiteral("Il campo \"Nome comune\" è obbligatorio!");
}

QString TArchivioComuniModIns_Form::MessaggioCodiceFiscale() const
{
    return QStringLiteral("Il campo \"Codice fiscale è obbligatorio!");
}

QString TArchivioComuniModIns_Form::MessaggioDuplicato() const { return QStringLiteral("Codice catastale già presente!"); }

void TArchivioComuniModIns_Form::RiempiRegioni()
{
    Regioni_Query.Close();
    Regioni_Query.SQL = QStringList{QStringLiteral("SELECT DISTINCT Regione"),
                                    QStringLiteral("From '%1'").arg(LeggiFileArchivioProvince())};
    const QSignalBlocker blocco(Regioni_ComboBox);
    Riempi(*Regioni_ComboBox, Valori(Regioni_Query, QStringLiteral("Regione")), Regioni_ComboBox->currentText());
}

void TArchivioComuniModIns_Form::RiempiProvince()
{
    const QString provincia = Province_ComboBox->currentText();
    const QString percorso = LeggiFileArchivioProvince();
    Province_Query.Close();
    Province_Query.SQL = QStringList{QStringLiteral("SELECT * "), QStringLiteral("FROM '%1'").arg(percorso)};
    const QString regione = Regioni_ComboBox->currentText();
    if (!regione.isEmpty())
        Province_Query.SQL << QStringLiteral("WHERE '%1'.Regione = \"%2\"").arg(percorso, regione);
    Riempi(*Province_ComboBox, Valori(Province_Query, QStringLiteral("SIGLA")), provincia);
}

void TArchivioComuniModIns_Form::PreparaInserimento()
{
    for (THJGenericEdit* e : {NomeComune_HJGenericEdit, static_cast<THJGenericEdit*>(CAP_HJGenericNumEdit),
                              static_cast<THJGenericEdit*>(PrefissoTelefonico_HJGenericNumEdit),
                              CodiceFiscale_HJGenericEdit, CodiceCatastale_HJGenericEdit})
        e->clear();
    Regioni_ComboBox->setCurrentIndex(-1);
    Province_ComboBox->setCurrentIndex(-1);
    RiempiRegioni();
    Regioni_ComboBox->setCurrentIndex(-1);
    RiempiProvince();
}

void TArchivioComuniModIns_Form::LeggiRecord(const tabelle::TTable& tabella)
{
    const auto valore = [&tabella](const char* colonna) { return tabella.FieldByName(colonna)->AsString(); };
    NomeComune_HJGenericEdit->SetText(valore("NomeComune"));
    RiempiRegioni();
    {
        const QSignalBlocker blocco(Regioni_ComboBox);
        Regioni_ComboBox->setCurrentIndex(
            Regioni_ComboBox->findText(valore("Regione"), Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
    Province_ComboBox->clear();
    Province_ComboBox->addItem(valore("Provincia"));
    Province_ComboBox->setCurrentIndex(0);
    RiempiProvince();
    CAP_HJGenericNumEdit->SetText(valore("CAP"));
    PrefissoTelefonico_HJGenericNumEdit->SetText(valore("PrefissoTelefonico"));
    CodiceFiscale_HJGenericEdit->SetText(valore("CodiceFiscale"));
    CodiceCatastale_HJGenericEdit->SetText(valore("CodiceCatastale"));
}

void TArchivioComuniModIns_Form::ScriviRecord(tabelle::TTable& tabella)
{
    const auto scrivi = [&tabella](const char* colonna, const QString& testo) {
        tabella.FieldByName(colonna)->SetAsString(testo);
    };
    scrivi("NomeComune", NomeComune_HJGenericEdit->Text());
    scrivi("Provincia", Province_ComboBox->currentText());
    scrivi("Regione", Regioni_ComboBox->currentText());
    scrivi("CAP", CAP_HJGenericNumEdit->Text());
    scrivi("PrefissoTelefonico", PrefissoTelefonico_HJGenericNumEdit->Text());
    scrivi("CodiceFiscale", CodiceFiscale_HJGenericEdit->Text());
    scrivi("CodiceCatastale", CodiceCatastale_HJGenericEdit->Text());
}

} // namespace borgal
