#pragma once
// The types of TNewDBGrid's published properties and events: the sort
// direction, the commands its context menu may offer and their help
// contexts, the operation codes of its editing and the event signatures.
#include "gridkit/griglia/grigliainsieme.h"

#include <QList>
#include <QByteArray>
#include <functional>

class QObject;

namespace tabelle {
class TDataSet;
}

namespace gridkit {

enum class TOrdine { Up, Down };

enum class TOptionMenu {
    opm_OrdCrescente, opm_OrdDecrescente, opm_OrdOriginale, opm_Adatta, opm_Taglia, opm_Copia,
    opm_Incolla, opm_Elimina, opm_VisCampi, opm_Annulla, opm_Trova
};
using TNewDBGridOptionsMenu = Insieme<TOptionMenu>;

// Every command of the menu (the default of OptionMenu).
inline constexpr TNewDBGridOptionsMenu TutteLeOpzioniMenu = TNewDBGridOptionsMenu::FinoA(TOptionMenu::opm_Trova);

// The help contexts of the menu items, owned by the grid.
class THelpContextOptionMenu {
public:
    int hc_OrdCrescente() const { return ordCrescente_; }
    void Sethc_OrdCrescente(int v) { ordCrescente_ = v; }
    int hc_OrdDeCrescente() const { return ordDecrescente_; }
    void Sethc_OrdDeCrescente(int v) { ordDecrescente_ = v; }
    int hc_OrdOriginale() const { return ordOriginale_; }
    void Sethc_OrdOriginale(int v) { ordOriginale_ = v; }
    int hc_Adatta() const { return adatta_; }
    void Sethc_Adatta(int v) { adatta_ = v; }
    int hc_Taglia() const { return taglia_; }
    void Sethc_Taglia(int v) { taglia_ = v; }
    int hc_Copia() const { return copia_; }
    void Sethc_Copia(int v) { copia_ = v; }
    int hc_Incolla() const { return incolla_; }
    void Sethc_Incolla(int v) { incolla_ = v; }
    int hc_Elimina() const { return elimina_; }
    void Sethc_Elimina(int v) { elimina_ = v; }
    int hc_VisCampi() const { return visCampi_; }
    void Sethc_VisCampi(int v) { visCampi_ = v; }
    int hc_Annulla() const { return annulla_; }
    void Sethc_Annulla(int v) { annulla_ = v; }
    int hc_Trova() const { return trova_; }
    void Sethc_Trova(int v) { trova_ = v; }

private:
    int ordCrescente_ = 50001;
    int ordDecrescente_ = 50002;
    int ordOriginale_ = 50003;
    int adatta_ = 50004;
    // The three clipboard items share one topic.
    int taglia_ = 50005;
    int copia_ = 50005;
    int incolla_ = 50005;
    int elimina_ = 50006;
    int visCampi_ = 50009;
    int annulla_ = 50010;
    int trova_ = 50000;
};

// The operation the grid is running, as its events receive it.
enum class TipoOp { top_Nessuna, top_Modifica, top_InizioModifica, top_InizioInserimento, top_Aggiunta, top_Cancella, top_Elimina, top_Taglia };

// What a paste does with the row it is about to write.
enum class TCancelOP { cop_Continua, cop_Salta, cop_Interrompi };

// Bookmarks of the selected rows.
using TBookmarkList = QList<QByteArray>;

using TNotifyEvent = std::function<void(QObject* mittente)>;
using TNewGridBeforeEvent = std::function<void(TipoOp tipo, const TBookmarkList* lista, tabelle::TDataSet& dataSet, bool& cancel)>;
using TNewGridAfterEvent = std::function<void(TipoOp tipo, tabelle::TDataSet& dataSet)>;
using TNewGridBeforeIncolla = std::function<void(tabelle::TDataSet& t, int totRec, int posRec, TCancelOP& cancel)>;

} // namespace gridkit
