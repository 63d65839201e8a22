#pragma once
// TNewDBGrid as its editing sees it (see modifica/modificagriglia.h).
#include "gridkit/griglia/grigliatitoli.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/modifica/modificagriglia.h"

#include <QItemSelectionModel>

namespace gridkit {

// What the editing needs of the grid.
class TNewDBGrid::OspiteModifica : public IGrigliaModifica {
public:
    explicit OspiteModifica(TNewDBGrid& griglia) : g_(griglia) {}

    tabelle::TDataSet* DataSetGriglia() const override { return g_.DataSet(); }
    bool SorgenteAttiva() const override { return g_.DatiAttivi(); }
    bool SelezioneMultipla() const override { return g_.Options().contiene(TDBGridOption::dgMultiSelect); }
    QList<int> RigheSelezionate() const override { return g_.RigheSelezionate(); }
    TBookmarkList SegnalibriSelezionati() const override { return g_.SelectedRows(); }
    void PulisciSelezione() override { g_.selectionModel()->clearSelection(); }
    QWidget* FinestraDomande() const override { return &g_; }
    const TNewGridBeforeEvent& EventoPrima() const override { return g_.OnBeforeOperation; }
    const TNewGridAfterEvent& EventoDopo() const override { return g_.OnAfterOperation; }
    const TNewGridBeforeIncolla& EventoPrimaIncolla() const override { return g_.OnBeforeincolla; }
    void RipristinaOrdinamento(const QString& campo, bool discendente) override
    {
        g_.CampoOrdine = campo;
        g_.Ordinamento = discendente ? TOrdine::Down : TOrdine::Up;
        g_.ApplicaOrdinamento();
        g_.Titoli().viewport()->update();
    }

private:
    TNewDBGrid& g_;
};

} // namespace gridkit
