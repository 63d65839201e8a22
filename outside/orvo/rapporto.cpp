#include "rapporto.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QStringList>

namespace orvo {

namespace {

struct Lettore {
    QString nome;
    int riga = 0;

    [[noreturn]] void Errore(const QString& motivo) const
    {
        throw ErroreRapporto(QStringLiteral("%1, riga %2: %3").arg(nome).arg(riga).arg(motivo));
    }

    double Numero(const QString& valore) const
    {
        bool ok = false;
        const double n = valore.toDouble(&ok);
        if (!ok || n < 0)
            Errore(QStringLiteral("numero non valido \"%1\"").arg(valore));
        return n;
    }
};

} // namespace

QString Gruppo::NomeCampo() const
{
    QString nome = campo.trimmed();
    if (nome.startsWith('{') && nome.endsWith('}'))
        nome = nome.mid(1, nome.size() - 2);
    const qsizetype punto = nome.lastIndexOf('.');
    return punto >= 0 ? nome.mid(punto + 1) : nome;
}

QString Rapporto::PercorsoTabella() const { return QFileInfo(file).absoluteDir().filePath(tabella); }

Rapporto LeggiRapporto(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        throw ErroreRapporto(QStringLiteral("File del rapporto non leggibile: %1").arg(percorso));
    Rapporto r = LeggiTestoRapporto(QString::fromUtf8(f.readAll()), percorso);
    r.file = QFileInfo(percorso).absoluteFilePath();
    return r;
}

Rapporto LeggiTestoRapporto(const QString& testo, const QString& nome)
{
    Rapporto r;
    r.file = nome;
    Lettore l{nome};
    QString sezione;
    QStringList viste;
    for (const QString& grezza : testo.split('\n')) {
        ++l.riga;
        const QString linea = grezza.trimmed();
        if (linea.isEmpty() || linea.startsWith('#'))
            continue;
        if (linea.startsWith('[')) {
            if (!linea.endsWith(']'))
                l.Errore(QStringLiteral("intestazione di sezione non chiusa"));
            sezione = linea.mid(1, linea.size() - 2).trimmed().toLower();
            static const QStringList note{"rapporto", "tabella", "intestazione", "colonna", "gruppo", "piede"};
            if (!note.contains(sezione))
                l.Errore(QStringLiteral("sezione sconosciuta [%1]").arg(sezione));
            if (sezione == "colonna")
                r.colonne.append(Colonna{});
            else if (sezione == "gruppo")
                r.gruppi.append(Gruppo{});
            else if (viste.contains(sezione))
                l.Errore(QStringLiteral("sezione [%1] ripetuta").arg(sezione));
            viste << sezione;
            continue;
        }
        const qsizetype uguale = linea.indexOf('=');
        if (uguale < 0)
            l.Errore(QStringLiteral("atteso chiave = valore"));
        if (sezione.isEmpty())
            l.Errore(QStringLiteral("impostazione fuori da una sezione"));
        const QString chiave = linea.left(uguale).trimmed().toLower();
        const QString valore = linea.mid(uguale + 1).trimmed();
        auto sconosciuta = [&] { l.Errore(QStringLiteral("chiave sconosciuta \"%1\" in [%2]").arg(chiave, sezione)); };
        if (sezione == "rapporto") {
            if (chiave == "titolo")
                r.titolo = valore;
            else if (chiave == "pagina") {
                static const QList<QPair<QString, QPageSize::PageSizeId>> formati{
                    {"A4", QPageSize::A4}, {"A3", QPageSize::A3}, {"A5", QPageSize::A5},
                    {"LETTER", QPageSize::Letter}, {"LEGAL", QPageSize::Legal}};
                bool trovato = false;
                for (const auto& [n, id] : formati)
                    if (n == valore.toUpper()) {
                        r.pagina = id;
                        trovato = true;
                    }
                if (!trovato)
                    l.Errore(QStringLiteral("formato di pagina sconosciuto \"%1\"").arg(valore));
            } else if (chiave == "orientamento") {
                if (valore == "verticale")
                    r.orientamento = QPageLayout::Portrait;
                else if (valore == "orizzontale")
                    r.orientamento = QPageLayout::Landscape;
                else
                    l.Errore(QStringLiteral("orientamento sconosciuto \"%1\"").arg(valore));
            } else if (chiave == "margini") {
                const QStringList parti = valore.split(' ', Qt::SkipEmptyParts);
                if (parti.size() != 4)
                    l.Errore(QStringLiteral("attesi quattro margini"));
                for (int i = 0; i < 4; ++i)
                    r.margini[i] = l.Numero(parti[i]);
            } else if (chiave == "carattere")
                r.carattere = valore;
            else if (chiave == "dimensione")
                r.dimensione = l.Numero(valore);
            else if (chiave == "altezza_riga")
                r.altezzaRiga = l.Numero(valore);
            else
                sconosciuta();
        } else if (sezione == "tabella") {
            if (chiave == "nome")
                r.tabella = valore;
            else if (chiave == "password")
                r.password = valore;
            else
                sconosciuta();
        } else if (sezione == "intestazione") {
            if (chiave == "testo")
                r.intestazione = valore;
            else if (chiave == "data")
                r.data = valore;
            else
                sconosciuta();
        } else if (sezione == "colonna") {
            Colonna& c = r.colonne.last();
            if (chiave == "campo")
                c.campo = valore;
            else if (chiave == "titolo")
                c.titolo = valore;
            else if (chiave == "larghezza")
                c.larghezza = l.Numero(valore);
            else if (chiave == "allineamento") {
                if (valore == "sinistra")
                    c.allineamento = Allineamento::Sinistra;
                else if (valore == "destra")
                    c.allineamento = Allineamento::Destra;
                else if (valore == "centro")
                    c.allineamento = Allineamento::Centro;
                else
                    l.Errore(QStringLiteral("allineamento sconosciuto \"%1\"").arg(valore));
            } else if (chiave == "formato") {
                if (valore.isEmpty())
                    c.decimali = -1;
                else if (valore == "0")
                    c.decimali = 0;
                else if (valore.startsWith("0.") && valore.mid(2).count('0') == valore.size() - 2)
                    c.decimali = int(valore.size() - 2);
                else
                    l.Errore(QStringLiteral("formato numerico sconosciuto \"%1\"").arg(valore));
            } else
                sconosciuta();
        } else if (sezione == "gruppo") {
            Gruppo& g = r.gruppi.last();
            if (chiave == "campo")
                g.campo = valore;
            else if (chiave == "direzione") {
                if (valore == "crescente")
                    g.discendente = false;
                else if (valore == "decrescente")
                    g.discendente = true;
                else
                    l.Errore(QStringLiteral("direzione sconosciuta \"%1\"").arg(valore));
            } else
                sconosciuta();
        } else if (sezione == "piede") {
            if (chiave == "testo")
                r.piede = valore;
            else
                sconosciuta();
        }
    }
    l.riga = 0;
    auto finale = [&](const QString& motivo) { throw ErroreRapporto(QStringLiteral("%1: %2").arg(nome, motivo)); };
    if (r.tabella.isEmpty())
        finale(QStringLiteral("manca la tabella ([tabella] nome)"));
    if (r.colonne.isEmpty())
        finale(QStringLiteral("nessuna colonna"));
    for (Colonna& c : r.colonne) {
        if (c.campo.isEmpty() || c.larghezza <= 0)
            finale(QStringLiteral("ogni colonna vuole campo e larghezza"));
        if (c.titolo.isEmpty())
            c.titolo = c.campo;
    }
    for (const Gruppo& g : std::as_const(r.gruppi))
        if (g.NomeCampo().isEmpty())
            finale(QStringLiteral("un gruppo senza campo"));
    if (r.altezzaRiga <= 0 || r.dimensione <= 0)
        finale(QStringLiteral("altezza della riga e dimensione del carattere vanno date maggiori di zero"));
    return r;
}

} // namespace orvo
