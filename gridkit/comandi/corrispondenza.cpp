#include "gridkit/comandi/corrispondenza.h"

#include "tabelle/campo.h"
#include "tabelle/dataset.h"

#include <QLocale>
#include <cmath>

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

int TrovaRiga(const tabelle::TDataSet& dati, const QList<tabelle::TField*>& campi, const QString& s,
              OpzioniRicerca opzioni, int inizio, bool giu)
{
    // Fields that can match no row are not read: blobs, numbers for a text
    // that is no number, and numbers of fields not visible.
    bool numero = false;
    QLocale::c().toDouble(s.trimmed(), &numero);
    QList<tabelle::TField*> letti;
    for (tabelle::TField* campo : campi) {
        const TFieldType tipo = campo->DataType();
        if (TipoBlob(tipo) || (!ConfrontoTestuale(tipo) && (!numero || !campo->Visible)))
            continue;
        letti << campo;
    }
    const int righe = dati.RecordCount();
    const int passo = giu ? 1 : -1;
    for (int r = inizio; !letti.isEmpty() && r >= 0 && r < righe; r += passo) {
        for (tabelle::TField* campo : std::as_const(letti)) {
            const QString v = campo->Testo(dati.ValoreRiga(r, campo->Index()));
            if (Corrisponde(campo->DataType(), campo->Visible, s, v, opzioni))
                return r;
        }
    }
    return -1;
}

} // namespace gridkit
