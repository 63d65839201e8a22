#pragma once
// TArchivioComuniModIns_Form (module KWArchivioComuniModIns): the editor of
// one comune. The region is chosen among those of the provinces table
// (KWProvince.db), the province among the provinces of that region.
#include "directory/archiviomodins.h"
#include "tabelle/query.h"

class QComboBox;

namespace borgal {

class THJGenericNumEdit;

class TArchivioComuniModIns_Form : public TArchivioModIns_Form {
    Q_OBJECT
public:
    explicit TArchivioComuniModIns_Form(QWidget* genitore = nullptr);
    ~TArchivioComuniModIns_Form() override;

    // The region list: an empty entry, then every region of the provinces table.
    void RiempiRegioni();
    // The province list of the region chosen (all without one), keeping the
    // province shown when it is still there.
    void RiempiProvince();
    void Regioni_ComboBoxChange() { RiempiProvince(); }

    THJGenericEdit* NomeComune_HJGenericEdit;
    QComboBox* Regioni_ComboBox;
    QComboBox* Province_ComboBox;
    THJGenericNumEdit* CAP_HJGenericNumEdit;
    THJGenericNumEdit* PrefissoTelefonico_HJGenericNumEdit;
    THJGenericEdit* CodiceFiscale_HJGenericEdit;
    THJGenericEdit* CodiceCatastale_HJGenericEdit;
    tabelle::TQuery Regioni_Query;
    tabelle::TQuery Province_Query;

protected:
    THJGenericEdit* CampoNome() const override { return NomeComune_HJGenericEdit; }
    THJGenericEdit* CampoCodiceFiscale() const override { return CodiceFiscale_HJGenericEdit; }
    THJGenericEdit* CampoCodiceCatastale() const override { return CodiceCatastale_HJGenericEdit; }
    QString MessaggioNome() const override;
    QString MessaggioCodiceFiscale() const override;
    QString MessaggioDuplicato() const override;
    void PreparaInserimento() override;
    void LeggiRecord(const tabelle::TTable& tabella) override;
    void ScriviRecord(tabelle::TTable& tabella) override;
};

} // namespace borgal
