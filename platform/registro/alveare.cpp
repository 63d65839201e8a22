#include "registro/alveare.h"

#include <utility>

namespace registro {

namespace {
bool stessoNome(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

const ValoreReg* ChiaveReg::valore(const QString& nome) const
{
    for (const ValoreReg& v : valori)
        if (stessoNome(v.nome, nome))
            return &v;
    return nullptr;
}

void ChiaveReg::imposta(const QString& nome, const QString& testo)
{
    for (ValoreReg& v : valori)
        if (stessoNome(v.nome, nome)) {
            v.tipo = ValoreReg::Tipo::Stringa;
            v.dato = testo;
            return;
        }
    valori.append({nome, ValoreReg::Tipo::Stringa, testo});
}

bool ChiaveReg::rimuovi(const QString& nome)
{
    return valori.removeIf([&](const ValoreReg& v) { return stessoNome(v.nome, nome); }) > 0;
}

Alveare::Alveare()
{
    chiavi_.emplace(QString(), ChiaveReg{});
}

QStringList Alveare::nomi(const QString& percorso)
{
    return percorso.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString Alveare::indice(const QStringList& nomi)
{
    return nomi.join(QLatin1Char('\\')).toCaseFolded();
}

const ChiaveReg* Alveare::trova(const QString& percorso) const
{
    auto it = chiavi_.find(indice(nomi(percorso)));
    return it == chiavi_.end() ? nullptr : &it->second;
}

ChiaveReg* Alveare::trova(const QString& percorso)
{
    return const_cast<ChiaveReg*>(std::as_const(*this).trova(percorso));
}

ChiaveReg& Alveare::crea(const QString& percorso)
{
    const QStringList parti = nomi(percorso);
    ChiaveReg* chiave = &chiavi_.at(QString());
    for (qsizetype i = 0; i < parti.size(); ++i) {
        const QString genitore = chiave->percorso;
        auto [it, nuova] = chiavi_.try_emplace(indice(parti.mid(0, i + 1)));
        if (nuova)
            it->second.percorso = genitore.isEmpty() ? parti[i] : genitore + QLatin1Char('\\') + parti[i];
        chiave = &it->second;
    }
    return *chiave;
}

bool Alveare::elimina(const QString& percorso)
{
    const QString radice = indice(nomi(percorso));
    if (radice.isEmpty() || !chiavi_.contains(radice))
        return false;
    const QString prefisso = radice + QLatin1Char('\\');
    std::erase_if(chiavi_, [&](const auto& voce) {
        return voce.first == radice || voce.first.startsWith(prefisso);
    });
    return true;
}

QStringList Alveare::sottochiavi(const QString& percorso) const
{
    const QString base = indice(nomi(percorso));
    const QString prefisso = base.isEmpty() ? QString() : base + QLatin1Char('\\');
    QStringList risultato;
    for (const auto& [chiave, dati] : chiavi_) {
        if (chiave.isEmpty() || !chiave.startsWith(prefisso))
            continue;
        if (chiave.indexOf(QLatin1Char('\\'), prefisso.size()) < 0)
            risultato.append(dati.percorso.mid(dati.percorso.lastIndexOf(QLatin1Char('\\')) + 1));
    }
    return risultato;
}

} // namespace registro
