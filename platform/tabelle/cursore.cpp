#include "tabelle/cursore.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"

#include <sqlite3.h>

#include <algorithm>

namespace tabelle {
namespace {
// A page is read in one short read transaction: the larger it is, the
// fewer times the files are locked and checked; a screen of the grid
// still costs one page.
constexpr int RighePagina = 256;
constexpr size_t MassimoPagine = 32;
} // namespace

Cursore::Cursore(std::unique_ptr<Istruzione> lettura, int tabelle, ElencoChiavi chiavi,
                 std::function<QVariant(int, const QVariant&)> converti, std::unique_ptr<Istruzione> intervallo)
    : lettura_(std::move(lettura)), intervallo_(std::move(intervallo)), tabelle_(std::max(1, tabelle)), chiavi_(std::move(chiavi)),
      converti_(std::move(converti))
{
    if (tabelle_ != 1)
        intervallo_.reset();
    if (intervallo_) {
        indiceDa_ = intervallo_->IndiceParametro(QStringLiteral(":__da"));
        indiceA_ = intervallo_->IndiceParametro(QStringLiteral(":__a"));
    }
    // The keys are bound by name: the statement may hold other parameters too.
    for (int t = 0; t < tabelle_; ++t)
        indiciChiavi_.push_back(lettura_->IndiceParametro(QStringLiteral(":__k%1").arg(t + 1)));
}

Cursore::~Cursore() = default;

bool RigaGrezza::Nulla(int campo) const { return sqlite3_column_type(stmt_, prima_ + campo) == SQLITE_NULL; }

bool RigaGrezza::Testuale(int campo) const
{
    const int tipo = sqlite3_column_type(stmt_, prima_ + campo);
    return tipo == SQLITE_TEXT || tipo == SQLITE_BLOB;
}

std::string_view RigaGrezza::Testo(int campo) const
{
    const auto* testo = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, prima_ + campo));
    return testo ? std::string_view(testo, size_t(sqlite3_column_bytes(stmt_, prima_ + campo))) : std::string_view();
}

bool RigaGrezza::Intera(int campo) const { return sqlite3_column_type(stmt_, prima_ + campo) == SQLITE_INTEGER; }

qint64 RigaGrezza::Intero(int campo) const { return sqlite3_column_int64(stmt_, prima_ + campo); }

double RigaGrezza::Numero(int campo) const { return sqlite3_column_double(stmt_, prima_ + campo); }

namespace {
// Short runs of keys, each in its own read transaction, so that a writer
// in another process never waits long for a whole pass.
constexpr qint64 PassoCandidate = 32768;
} // namespace

bool Cursore::IntervalloLeggibile() const
{
    if (!intervallo_ || !inMemoria_.empty())
        return false;
    if (chiavi_.empty())
        return true;
    const auto [minima, massima] = std::minmax_element(chiavi_.begin(), chiavi_.end());
    // Rows of other results lying between the keys are read for nothing:
    // beyond a few times the rows of this one, looking at each row costs less.
    return *massima - *minima <= 4 * qint64(chiavi_.size()) + 4096;
}

void Cursore::CandidateTra(const std::function<bool(const RigaGrezza&)>& prova, qint64 da, qint64 a, std::vector<qint64>& trovate)
{
    LetturaBreve transazione(intervallo_->connessione());
    intervallo_->LegaIntero(indiceDa_, da);
    intervallo_->LegaIntero(indiceA_, a);
    try {
        const RigaGrezza riga(intervallo_->stmt(), 1);
        while (intervallo_->Passo())
            if (prova(riga))
                trovate.push_back(intervallo_->Intero(0));
    } catch (...) {
        intervallo_->Riavvolgi();
        throw;
    }
    intervallo_->Riavvolgi();
}

std::optional<std::vector<qint64>> Cursore::ChiaviCandidate(const std::function<bool(const RigaGrezza&)>& prova)
{
    if (!IntervalloLeggibile())
        return std::nullopt;
    std::vector<qint64> trovate;
    if (chiavi_.empty())
        return trovate;
    const auto [minima, massima] = std::minmax_element(chiavi_.begin(), chiavi_.end());
    for (qint64 inizio = *minima; inizio <= *massima; inizio += PassoCandidate)
        CandidateTra(prova, inizio, std::min(*massima, inizio + PassoCandidate - 1), trovate);
    return trovate;
}

std::optional<int> Cursore::PrimaCandidata(const std::function<bool(const RigaGrezza&)>& prova, int riga, bool avanti,
                                           const std::function<bool(int)>& accetta)
{
    if (!IntervalloLeggibile() || riga < 0 || riga >= Conta() || !std::is_sorted(chiavi_.begin(), chiavi_.end()))
        return std::nullopt;
    const qint64 prima = chiavi_.front(), ultima = chiavi_.back();
    qint64 da = avanti ? Chiave(riga) : std::max(prima, Chiave(riga) - PassoCandidate + 1);
    qint64 a = avanti ? std::min(ultima, Chiave(riga) + PassoCandidate - 1) : Chiave(riga);
    std::vector<qint64> trovate;
    while (da <= a) {
        trovate.clear();
        CandidateTra(prova, da, a, trovate);
        if (!avanti)
            std::reverse(trovate.begin(), trovate.end());
        // The rows are looked at once the run's transaction is over.
        for (qint64 chiave : trovate) {
            const int r = PosizioneOrdinata(chiave);
            if (r < Conta() && Chiave(r) == chiave && accetta(r))
                return r;
        }
        if (avanti) {
            da = a + 1;
            a = std::min(ultima, a + PassoCandidate);
        } else {
            a = da - 1;
            da = std::max(prima, da - PassoCandidate);
        }
    }
    return -1;
}

std::vector<qint64> Cursore::Chiavi(int riga) const
{
    const auto inizio = chiavi_.begin() + ptrdiff_t(size_t(riga) * size_t(tabelle_));
    return std::vector<qint64>(inizio, inizio + tabelle_);
}

int Cursore::Cerca(const std::vector<qint64>& chiavi, int vicino) const
{
    if (int(chiavi.size()) != tabelle_)
        return -1;
    const int n = Conta();
    auto uguale = [&](int r) {
        return std::equal(chiavi.begin(), chiavi.end(), chiavi_.begin() + ptrdiff_t(size_t(r) * size_t(tabelle_)));
    };
    vicino = std::clamp(vicino, 0, std::max(0, n - 1));
    for (int d = 0; d < 3 && n > 0; ++d) {
        if (vicino + d < n && uguale(vicino + d))
            return vicino + d;
        if (vicino - d >= 0 && uguale(vicino - d))
            return vicino - d;
    }
    for (int r = 0; r < n; ++r)
        if (uguale(r))
            return r;
    return -1;
}

int Cursore::CercaChiave(qint64 chiave) const
{
    const int n = Conta();
    for (int r = 0; r < n; ++r)
        if (Chiave(r) == chiave)
            return r;
    return -1;
}

int Cursore::PosizioneOrdinata(qint64 chiave) const
{
    int basso = 0, alto = Conta();
    while (basso < alto) {
        const int medio = (basso + alto) / 2;
        if (Chiave(medio) < chiave)
            basso = medio + 1;
        else
            alto = medio;
    }
    return basso;
}

const QVector<QVariant>& Cursore::Riga(int riga)
{
    if (riga < 0 || riga >= Conta())
        return vuota_;
    if (!inMemoria_.empty()) {
        auto m = inMemoria_.find(Chiave(riga));
        if (m != inMemoria_.end())
            return m->second;
    }
    const int pagina = riga / RighePagina;
    // A row is read field by field, and rows mostly one after the other:
    // the page of the last call is at hand without a look-up.
    if (pagina != paginaRecente_) {
        auto it = pagine_.find(pagina);
        if (it == pagine_.end()) {
            LeggiPagina(pagina);
            it = pagine_.find(pagina);
        }
        usoPagine_[pagina] = ++orologio_;
        paginaRecente_ = pagina;
        righeRecenti_ = &it->second;
    }
    return (*righeRecenti_)[size_t(riga % RighePagina)];
}

void Cursore::LeggiPagina(int pagina)
{
    paginaRecente_ = -1;
    if (pagine_.size() >= MassimoPagine) {
        auto vecchia = std::min_element(usoPagine_.begin(), usoPagine_.end(),
                                        [](const auto& a, const auto& b) { return a.second < b.second; });
        pagine_.erase(vecchia->first);
        usoPagine_.erase(vecchia);
    }
    const int inizio = pagina * RighePagina;
    const int fine = std::min(Conta(), inizio + RighePagina);
    std::vector<QVector<QVariant>> righe;
    righe.reserve(size_t(fine - inizio));
    LetturaBreve transazione(lettura_->connessione());
    if (!LeggiIntervallo(inizio, fine, righe)) {
        const int colonne = lettura_->Colonne();
        for (int r = inizio; r < fine; ++r) {
            for (int t = 0; t < tabelle_; ++t)
                lettura_->LegaIntero(indiciChiavi_[size_t(t)], chiavi_[size_t(r) * size_t(tabelle_) + size_t(t)]);
            QVector<QVariant> valori(colonne);
            if (lettura_->Passo()) {
                for (int c = 0; c < colonne; ++c)
                    valori[c] = converti_(c, lettura_->Valore(c));
            }
            lettura_->Riavvolgi();
            righe.push_back(std::move(valori));
        }
    }
    pagine_[pagina] = std::move(righe);
}

bool Cursore::LeggiIntervallo(int inizio, int fine, std::vector<QVector<QVariant>>& righe)
{
    if (!intervallo_ || fine <= inizio)
        return false;
    // Keys in ascending order, with few rows between them that the page
    // does not show (a comune's rows were loaded together): one pass over
    // the run costs far less than a look-up for each row.
    for (int r = inizio + 1; r < fine; ++r)
        if (chiavi_[size_t(r)] <= chiavi_[size_t(r - 1)])
            return false;
    const qint64 da = chiavi_[size_t(inizio)], a = chiavi_[size_t(fine - 1)];
    if (a - da >= 2 * qint64(fine - inizio) + 64)
        return false;
    intervallo_->LegaIntero(indiceDa_, da);
    intervallo_->LegaIntero(indiceA_, a);
    const int colonne = intervallo_->Colonne() - 1;
    int r = inizio;
    try {
        while (r < fine && intervallo_->Passo()) {
            const qint64 chiave = intervallo_->Intero(0);
            // A row gone since the keys were read stays empty.
            for (; r < fine && chiavi_[size_t(r)] < chiave; ++r)
                righe.emplace_back(colonne);
            if (r < fine && chiavi_[size_t(r)] == chiave) {
                QVector<QVariant> valori(colonne);
                for (int c = 0; c < colonne; ++c)
                    valori[c] = converti_(c, intervallo_->Valore(c + 1));
                righe.push_back(std::move(valori));
                ++r;
            }
        }
    } catch (...) {
        intervallo_->Riavvolgi();
        throw;
    }
    intervallo_->Riavvolgi();
    for (; r < fine; ++r)
        righe.emplace_back(colonne);
    return true;
}

void Cursore::Inserisci(int riga, const std::vector<qint64>& chiavi)
{
    riga = std::clamp(riga, 0, Conta());
    chiavi_.insert(chiavi_.begin() + ptrdiff_t(size_t(riga) * size_t(tabelle_)), chiavi.begin(), chiavi.begin() + tabelle_);
    DimenticaDa(riga);
}

void Cursore::Rimuovi(int riga)
{
    if (riga < 0 || riga >= Conta())
        return;
    inMemoria_.erase(Chiave(riga));
    const auto inizio = chiavi_.begin() + ptrdiff_t(size_t(riga) * size_t(tabelle_));
    chiavi_.erase(inizio, inizio + tabelle_);
    DimenticaDa(riga);
}

void Cursore::DimenticaDa(int riga)
{
    paginaRecente_ = -1;
    // Rows before `riga` keep their places: so do their pages.
    const int prima = riga / RighePagina;
    for (auto it = pagine_.begin(); it != pagine_.end();) {
        if (it->first >= prima) {
            usoPagine_.erase(it->first);
            it = pagine_.erase(it);
        } else {
            ++it;
        }
    }
}

void Cursore::Sostituisci(int riga, const QVector<QVariant>& valori)
{
    if (riga >= 0 && riga < Conta())
        inMemoria_[Chiave(riga)] = valori;
}

void Cursore::Memorizza(qint64 chiave, const QVector<QVariant>& valori) { inMemoria_[chiave] = valori; }

void Cursore::DimenticaMemoria() { inMemoria_.clear(); }

void Cursore::Ripristina(int riga)
{
    if (riga >= 0 && riga < Conta())
        inMemoria_.erase(Chiave(riga));
}

void Cursore::Dimentica(int riga)
{
    if (riga < 0 || riga >= Conta())
        return;
    const int pagina = riga / RighePagina;
    paginaRecente_ = -1;
    pagine_.erase(pagina);
    usoPagine_.erase(pagina);
}

void Cursore::DimenticaTutto()
{
    paginaRecente_ = -1;
    pagine_.clear();
    usoPagine_.clear();
}

} // namespace tabelle
