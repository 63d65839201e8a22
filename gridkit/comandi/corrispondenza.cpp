#include "gridkit/comandi/corrispondenza.h"

#include "tabelle/campo.h"
#include "tabelle/dataset.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

using tabelle::TFieldType;

QString TestoBooleano(const QString& s)
{
    const QString m = s.toUpper();
    if (m == "VERO" || m == "SI" || m == "YES")
        return QStringLiteral("True");
    if (m == "FALSO" || m == "NO")
        return QStringLiteral("False");
    return s;
}

bool ConfrontoTestuale(TFieldType tipo)
{
    switch (tipo) {
    case TFieldType::ftString:
    case TFieldType::ftBoolean:
    case TFieldType::ftDate:
        return true;
    default:
        return false;
    }
}

bool CorrispondeTesto(const QString& s, const QString& v, OpzioniRicerca opzioni)
{
    // Without regard to case through Qt's case folding: the same answer as
    // comparing both in upper case, without making an upper-case copy of
    // every value read.
    if (opzioni.parolaIntera)
        return opzioni.maiuscoleMinuscole ? v == s : v.compare(s, Qt::CaseInsensitive) == 0;
    return v.contains(s, opzioni.maiuscoleMinuscole ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool CorrispondeNumero(const QString& s, const QString& v)
{
    if (v.isEmpty())
        return false;
    const QLocale c = QLocale::c();
    bool okS = false, okV = false;
    const double numS = c.toDouble(s.trimmed(), &okS);
    const double numV = c.toDouble(v.trimmed(), &okV);
    if (!okS || !okV)
        return false;
    // nearbyint rounds half to even in the default rounding mode.
    const double arrotondato = std::nearbyint(numV * 10000.0) / 10000.0;
    return numS == arrotondato;
}

bool Corrisponde(TFieldType tipo, bool visibile, const QString& s, const QString& v, OpzioniRicerca opzioni)
{
    if (tipo == TFieldType::ftBoolean)
        return CorrispondeTesto(TestoBooleano(s), v, opzioni);
    if (ConfrontoTestuale(tipo))
        return CorrispondeTesto(s, v, opzioni);
    if (TipoBlob(tipo))
        return false;
    return visibile && CorrispondeNumero(s, v);
}

namespace {

// How one field is tested in every row, settled once per search: whole
// numbers and booleans compare their stored value with what the text
// rules give for their text (the same answer, without making the text).
struct ProvaCampo {
    enum class Modo { Testo, Intero, Reale, Booleano } modo = Modo::Testo;
    double reale = 0;
    double scarto = 0; // how far a real value may lie from `reale` and still match
    tabelle::TField* campo = nullptr;
    qint64 intero = 0;
    bool vero = false, falso = false;
};

bool CampoIntero(TFieldType tipo)
{
    return tipo == TFieldType::ftSmallint || tipo == TFieldType::ftInteger || tipo == TFieldType::ftWord
           || tipo == TFieldType::ftAutoInc;
}

bool SoloAscii(std::string_view testo)
{
    return std::all_of(testo.begin(), testo.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char MinuscolaAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// A quick look at the stored values of a row, before it is read whole:
// false only where the rules cannot find the text in any field. Values
// that are not plain ASCII text, and numbers stored as text, are always
// looked at whole, so the answer never differs from reading every row.
class Preselezione {
public:
    // Empty when some field cannot be looked at so (dates and other texts
    // made from the value, or a text whose case folding reaches beyond
    // ASCII): then every row is read.
    static std::optional<Preselezione> Per(const QList<ProvaCampo>& prove, const QString& s, OpzioniRicerca opzioni)
    {
        Preselezione p;
        p.ago_ = s.toStdString();
        p.maiuscole_ = opzioni.maiuscoleMinuscole;
        if (!p.maiuscole_) {
            if (!SoloAscii(p.ago_))
                return std::nullopt;
            std::transform(p.ago_.begin(), p.ago_.end(), p.ago_.begin(), MinuscolaAscii);
        }
        for (const ProvaCampo& prova : prove) {
            if (prova.modo == ProvaCampo::Modo::Testo && prova.campo->DataType() != TFieldType::ftString)
                return std::nullopt;
            p.prove_.push_back(&prova);
        }
        return p;
    }

    bool operator()(const tabelle::RigaGrezza& riga) const
    {
        for (const ProvaCampo* prova : prove_) {
            const int c = prova->campo->Index();
            if (riga.Nulla(c))
                continue;
            switch (prova->modo) {
            case ProvaCampo::Modo::Testo:
                if (!riga.Testuale(c) || ContieneAgo(riga.Testo(c)))
                    return true;
                break;
            case ProvaCampo::Modo::Intero:
                if (riga.Testuale(c) || (riga.Intera(c) ? riga.Intero(c) == prova->intero
                                                        : std::fabs(riga.Numero(c) - double(prova->intero)) <= 0.5))
                    return true;
                break;
            case ProvaCampo::Modo::Reale:
                if (riga.Testuale(c) || std::fabs(riga.Numero(c) - prova->reale) <= prova->scarto * 1.000001 + 1e-12)
                    return true;
                break;
            case ProvaCampo::Modo::Booleano:
                return true;
            }
        }
        return false;
    }

private:
    // Whether a text may hold the searched one: any text beyond ASCII may
    // (case folding and malformed bytes are left to the rules).
    bool ContieneAgo(std::string_view v) const
    {
        if (!SoloAscii(v))
            return true;
        if (maiuscole_)
            return v.find(ago_) != std::string_view::npos;
        const auto uguali = [](char a, char b) { return MinuscolaAscii(a) == b; };
        return std::search(v.begin(), v.end(), ago_.begin(), ago_.end(), uguali) != v.end();
    }

    std::string ago_;
    bool maiuscole_ = false;
    std::vector<const ProvaCampo*> prove_;
};

bool ProvaRiga(const tabelle::TDataSet& dati, const QList<ProvaCampo>& prove, int r, const QString& s,
               OpzioniRicerca opzioni)
{
    for (const ProvaCampo& prova : prove) {
        const QVariant v = dati.ValoreRiga(r, prova.campo->Index());
        bool trovata = false;
        switch (prova.modo) {
        case ProvaCampo::Modo::Intero:
            trovata = !v.isNull() && v.isValid()
                      && (v.typeId() == QMetaType::Double ? qint64(std::llround(v.toDouble())) : v.toLongLong())
                             == prova.intero;
            break;
        case ProvaCampo::Modo::Reale:
            // A value farther than a rounding step from the number cannot
            // match; one near it is judged by its text, as the rule says.
            if (v.isNull() || !v.isValid() || std::fabs(v.toDouble() - prova.reale) > prova.scarto)
                break;
            trovata = CorrispondeNumero(s, prova.campo->Testo(v));
            break;
        case ProvaCampo::Modo::Booleano:
            trovata = !v.isNull() && v.isValid() && (v.toLongLong() != 0 ? prova.vero : prova.falso);
            break;
        case ProvaCampo::Modo::Testo:
            trovata = Corrisponde(prova.campo->DataType(), prova.campo->Visible, s, prova.campo->Testo(v), opzioni);
            break;
        }
        if (trovata)
            return true;
    }
    return false;
}

} // namespace

int TrovaRiga(const tabelle::TDataSet& dati, const QList<tabelle::TField*>& campi, const QString& s,
              OpzioniRicerca opzioni, int inizio, bool giu)
{
    // Fields that can match no row are not read: blobs, numbers for a text
    // that is no number (whole numbers for one with decimals), and numbers
    // of fields not visible.
    bool numero = false;
    const double valore = QLocale::c().toDouble(s.trimmed(), &numero);
    QList<ProvaCampo> prove;
    for (tabelle::TField* campo : campi) {
        const TFieldType tipo = campo->DataType();
        if (TipoBlob(tipo) || (!ConfrontoTestuale(tipo) && (!numero || !campo->Visible)))
            continue;
        ProvaCampo prova;
        prova.campo = campo;
        if (CampoIntero(tipo)) {
            if (valore != std::trunc(valore) || std::fabs(valore) > 9e15)
                continue;
            prova.modo = ProvaCampo::Modo::Intero;
            prova.intero = qint64(valore);
        } else if (tipo == TFieldType::ftFloat || tipo == TFieldType::ftCurrency || tipo == TFieldType::ftBCD) {
            prova.modo = ProvaCampo::Modo::Reale;
            prova.reale = valore;
            prova.scarto = 1e-4 + 1e-9 * std::max(1.0, std::fabs(valore));
        } else if (tipo == TFieldType::ftBoolean) {
            prova.modo = ProvaCampo::Modo::Booleano;
            prova.vero = Corrisponde(tipo, true, s, QStringLiteral("True"), opzioni);
            prova.falso = Corrisponde(tipo, true, s, QStringLiteral("False"), opzioni);
            if (!prova.vero && !prova.falso)
                continue;
        }
        prove << prova;
    }
    const int righe = dati.RecordCount();
    if (prove.isEmpty() || inizio < 0 || inizio >= righe)
        return -1;
    // Storage is first asked which rows may match; only those are read
    // whole, in the dataset's order. In the order of the keys, the pass
    // stops at the first row that matches; in another order it lists them all.
    std::optional<std::vector<qint64>> candidate;
    if (const std::optional<Preselezione> preselezione = Preselezione::Per(prove, s, opzioni)) {
        const std::optional<int> prima = dati.PrimaCandidata(std::cref(*preselezione), inizio, giu,
                                                             [&](int r) { return ProvaRiga(dati, prove, r, s, opzioni); });
        if (prima)
            return *prima;
        candidate = dati.ChiaviCandidate(std::cref(*preselezione));
    }
    if (candidate && candidate->empty())
        return -1;
    const int passo = giu ? 1 : -1;
    for (int r = inizio; r >= 0 && r < righe; r += passo) {
        if (candidate && !std::binary_search(candidate->begin(), candidate->end(), dati.ChiaveRiga(r)))
            continue;
        if (ProvaRiga(dati, prove, r, s, opzioni))
            return r;
    }
    return -1;
}

} // namespace gridkit
