#pragma once
// Local transactions of the editing: the writes to the stored tables and
// to the undo journal between the start and Conferma are all or nothing.
// When one is given up the journal reads its rows again, so that it holds
// no entry the rollback took away.
#include <memory>

namespace tabelle {
class TSession;
class PuntoDiRipristino;
} // namespace tabelle

namespace gridkit {

class TUndoTable;

class TransazioneGiornale {
public:
    TransazioneGiornale(tabelle::TSession& sessione, TUndoTable* giornale);
    ~TransazioneGiornale();
    TransazioneGiornale(const TransazioneGiornale&) = delete;
    TransazioneGiornale& operator=(const TransazioneGiornale&) = delete;
    void Conferma();

private:
    std::unique_ptr<tabelle::PuntoDiRipristino> punto_;
    TUndoTable* giornale_;
    bool confermata_ = false;
};

// Around a write that is all or nothing by itself (the apply of cached
// updates): when it did not succeed, the journal reads its rows again.
class GiornaleRiletto {
public:
    explicit GiornaleRiletto(TUndoTable* giornale) : giornale_(giornale) {}
    ~GiornaleRiletto();
    GiornaleRiletto(const GiornaleRiletto&) = delete;
    GiornaleRiletto& operator=(const GiornaleRiletto&) = delete;
    void Riuscito() { riuscito_ = true; }

private:
    TUndoTable* giornale_;
    bool riuscito_ = false;
};

} // namespace gridkit
