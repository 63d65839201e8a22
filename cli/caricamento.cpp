// tratte-cli carica and elimina: the folder series loaded, and a province
// deleted, by the update procedure's own code.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "avanzamento.h"
#include "tabelle/tabella.h"

#include <QCommandLineParser>

namespace cli {

namespace {

// On a terminal, the deletion of a province's rows (one statement that
// tells nothing while it runs) shows the time elapsed.
void MostraCancellazione(tratte::TCaricamentoProvincia::Interfaccia& interfaccia, Avanzamento& avanzamento,
                         const QString& testo)
{
    interfaccia.Cancellazione = [&avanzamento, testo](bool, bool fine) {
        if (fine)
            avanzamento.Cancella();
        else
            avanzamento.MostraAttesa(testo);
    };
}

// The progress line of a load: file, comune and share of the file read, as
// the dialog's fields and bar show them (a line's nominal length is 68
// bytes), and the deletion of an older release.
struct RigaCaricamento {
    explicit RigaCaricamento(Avanzamento& a) : avanzamento(a) {}

    Avanzamento& avanzamento;
    qsizetype file = 0;
    int numero = 0;
    QString nome, comune = QStringLiteral("-");
    qint64 dimensione = 0, righe = 0;

    void Mostra(bool subito)
    {
        const qint64 percento = dimensione > 0 ? qMin<qint64>(100, righe * 68 * 100 / dimensione) : 100;
        avanzamento.Mostra(
            QStringLiteral("File %1/%2 %3  comune %4  %5%").arg(numero).arg(file).arg(nome, comune).arg(percento), subito);
    }

    void Collega(tratte::TCaricamentoProvincia::Interfaccia& interfaccia, const QString& cartella)
    {
        file = tratte::TCaricamentoProvincia::FileDis(cartella).size();
        interfaccia.InizioFile = [this](const QString& n, qint64 d, int) {
            ++numero;
            nome = n;
            dimensione = d;
            righe = 0;
            Mostra(true);
        };
        interfaccia.MostraComune = [this](const QString& codice) {
            comune = codice;
            Mostra(false);
        };
        interfaccia.RigaLetta = [this](qint64 riga) {
            righe = riga;
            Mostra(false);
        };
        MostraCancellazione(interfaccia, avanzamento, QStringLiteral("Cancellazione dei dati precedenti in corso..."));
    }
};

} // namespace

int Carica(Contesto& c, const QCommandLineParser& riga)
{
    const bool sostituisci = riga.isSet(QStringLiteral("sostituisci"));
    const QString cartella = riga.positionalArguments().front();
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    tratte::TCaricamentoProvincia::Interfaccia interfaccia;
    Avanzamento avanzamento;
    interfaccia.ConfermaSostituzione = [&](const QString& domanda) {
        avanzamento.Cancella();
        c.errori << domanda << (sostituisci ? " OK\n" : " Annulla (per sostituire: --sostituisci)\n");
        c.errori.flush();
        return sostituisci;
    };
    RigaCaricamento rigaCaricamento(avanzamento);
    if (avanzamento.Attivo())
        rigaCaricamento.Collega(interfaccia, cartella);
    tratte::TCaricamentoProvincia caricamento(archivio, interfaccia);
    const tratte::TCaricamentoProvincia::Esito esito = caricamento.CaricaDaCartella(cartella);
    avanzamento.Cancella();
    switch (esito) {
    case tratte::TCaricamentoProvincia::Esito::Completato:
        c.uscita << caricamento.CodiceProvincia << '\t' << caricamento.RigheCaricate << '\n';
        return 0;
    case tratte::TCaricamentoProvincia::Esito::Rifiutato:
        c.errori << "Provincia " << caricamento.CodiceProvincia << " già caricata: nessuna modifica.\n";
        return 3;
    case tratte::TCaricamentoProvincia::Esito::Interrotto:
        break;
    }
    return 1;
}

int Elimina(Contesto& c, const QCommandLineParser& riga)
{
    const QString sigla = riga.positionalArguments().front().toUpper();
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    {
        tabelle::TTable prv;
        prv.DatabaseName = QStringLiteral("Database");
        prv.TableName = QStringLiteral("PRV.DB");
        prv.Open();
        if (!prv.FindKey({sigla})) {
            c.errori << "Provincia non caricata: " << sigla << '\n';
            return 1;
        }
    }
    tratte::TCaricamentoProvincia::Interfaccia interfaccia;
    Avanzamento avanzamento;
    MostraCancellazione(interfaccia, avanzamento, QStringLiteral("Cancellazione dei dati di %1 in corso...").arg(sigla));
    tratte::TCaricamentoProvincia(archivio, interfaccia).EliminaProvincia(sigla);
    avanzamento.Cancella();
    c.uscita << sigla << "\teliminata\n";
    return 0;
}

} // namespace cli
