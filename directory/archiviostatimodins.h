#pragma once
// TArchivioStatiModIns_Form (module KWArchivioStatiModIns): the editor of
// one foreign state.
#include "directory/archiviomodins.h"

namespace borgal {

class TArchivioStatiModIns_Form : public TArchivioModIns_Form {
    Q_OBJECT
public:
    explicit TArchivioStatiModIns_Form(QWidget* genitore = nullptr);
    ~TArchivioStatiModIns_Form() override;

    THJGenericEdit* NomeStato_HJGenericEdit;
    THJGenericEdit* CodiceFiscale_HJGenericEdit;
    THJGenericEdit* CodiceCatastale_HJGenericEdit;

protected:
    THJGenericEdit* CampoNome() const override { return NomeStato_HJGenericEdit; }
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
