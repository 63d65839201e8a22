// The command line of tratte-cli: the global options, the commands with
// their options and arguments, and the help of each, read with
// QCommandLineParser. Help and version go to standard output with exit 0;
// a command line that is not valid gives a message on standard error
// naming the fault, and exit 2.
#include "comandi.h"

#include "app/installazione.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QRegularExpression>

namespace cli {

namespace {

struct Comando {
    QString nome;
    QString argomenti;      // as the usage line names them
    int minimo, massimo;    // how many arguments; massimo -1: no limit
    QString descrizione;
    QList<QCommandLineOption> opzioni;
    int (*esegui)(Contesto&, const QCommandLineParser&);
};

QCommandLineOption OpzioneProgramma()
{
    return {QStringLiteral("programma"), QStringLiteral("La cartella del programma (se manca, quella di tratte-cli)."),
            QStringLiteral("CARTELLA")};
}
QCommandLineOption OpzioneAiuto()
{
    return {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra l'aiuto ed esce.")};
}
QCommandLineOption OpzioneVersione()
{
    return {QStringLiteral("version"), QStringLiteral("Mostra la versione ed esce.")};
}

const QList<Comando>& Comandi()
{
    using O = QCommandLineOption;
    static const QList<Comando> comandi = {
        {"registra", "", 0, 0,
         "Registra le librerie dei componenti e, dove mancano, i percorsi dell'archivio comuni, come fa "
         "l'installazione; stampa i valori scritti. Un'installazione che l'utente non può scrivere lavora "
         "nella cartella dell'utente (XDG_DATA_HOME/tratte), preparata e registrata al primo avvio.",
         {O("macchina", "Registra le librerie dei componenti nel registro delle classi della macchina, per "
                        "tutti gli utenti (lo fa il pacchetto dopo l'installazione)."),
          O("cancella", "Con --macchina, cancella quella registrazione.")},
         Registra},
        {"province", "", 0, 0,
         "Crea le tabelle mancanti ed elenca le province caricate: sigla, nome e data della distribuzione.", {},
         Province},
        {"comune", "TESTO", 1, 1,
         "Cerca un comune per codice fiscale, codice catastale o nome (\"ROM*\": un nome che inizia così) e ne "
         "stampa i dati, una riga NOME=VALORE ciascuno; esce con 1 se non trova nulla. Quando più nomi "
         "iniziano così stampa i candidati, uno per riga (nome, provincia e codice catastale separati da "
         "tabulazioni), ed esce con 3.",
         {O("stati", "Cerca anche tra gli stati esteri, dopo i comuni."),
          O("solo-stati", "Cerca solo tra gli stati esteri.")},
         Comune},
        {"tratte", "", 0, 0,
         "Le tratte che la finestra principale mostra per la provincia e il comune dati, separate da "
         "tabulazioni sotto una riga d'intestazione.",
         {O("provincia", "La provincia (se manca, tutte).", "TESTO"), O("comune", "Il comune (se manca, tutti).", "TESTO")},
         Tratte},
        {"cerca", "PUNTO [PUNTO ...]", 1, -1,
         "Le distanze archiviate tra i punti fiduciali dati; con un punto solo, quelle che lo hanno a un "
         "estremo. PUNTO: COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF, per esempio H501,,12,,5.",
         {}, Cerca},
        {"carica", "CARTELLA", 1, 1,
         "Carica la serie di file .dis di una cartella e stampa la sigla e le righe caricate; una provincia "
         "già caricata resta com'è (uscita 3) se non si dà --sostituisci. Su un terminale mostra "
         "l'avanzamento sullo standard error.",
         {O("sostituisci", "Sostituisce la provincia se è già caricata.")}, Carica},
        {"elimina", "SIGLA", 1, 1,
         "Elimina i dati di una provincia caricata (uscita 1 se non è caricata). Su un terminale mostra "
         "l'avanzamento sullo standard error.",
         {}, Elimina},
        {"stampa", "", 0, 0,
         "Stampa in un PDF, con il motore di stampa e il rapporto dell'archivio, le tratte che tratte mostra per "
         "la provincia e il comune dati o, con --punto, quelle che cerca trova tra i punti dati; ordinate come "
         "un clic sul titolo di una colonna. Stampa il numero delle pagine.",
         {O("pdf", "Il file PDF da scrivere.", "FILE"), O("provincia", "La provincia (se manca, tutte).", "TESTO"),
          O("comune", "Il comune (se manca, tutti).", "TESTO"),
          O("punto", "Un punto della ricerca (COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF); si ripete.", "PUNTO"),
          O("ordina", "La colonna per cui ordinare.", "CAMPO"), O("discendente", "Ordine decrescente."),
          O("pagine", "Solo le pagine da DA ad A.", "DA-A"), O("copie", "Il numero delle copie (da 1 a 65535).", "N")},
         Stampa},
        {"libretti", "[CARTELLA]", 0, 1,
         "Elenca i libretti elaborati correttamente della cartella (se manca, quella di Pregeo delle impostazioni), "
         "uno per riga, senza estensione; esce con 1 se non ce n'è.",
         {}, Libretti},
        {"libretto", "FILE", 1, 1,
         "La ricerca su libretto: legge i punti fiduciali e le distanze del libretto FILE (con o senza .out), cerca "
         "le tratte archiviate tra i punti e stampa i risultati separati da tabulazioni sotto una riga "
         "d'intestazione; con --pdf li stampa anche con il rapporto dei libretti. Esce con 3 se non trova "
         "corrispondenze, con 1 per un libretto non elaborato o non valido, un archivio vuoto o PRV.DB mancante.",
         {O("pdf", "Il file PDF da scrivere con i risultati.", "OUT")}, Libretto},
        {"tolleranza", "ARCHIVIATA MISURATA ZONA", 3, 3,
         "Il controllo della tolleranza della distanza misurata rispetto a quella archiviata, nella zona 0 "
         "(urbana), 1 (extraurbana pianeggiante) o 2 (extraurbana sfavorevole): stampa Differenza=, "
         "Tolleranza= ed Esito=.",
         {}, Tolleranza},
    };
    return comandi;
}

const Comando* TrovaComando(const QString& nome)
{
    for (const Comando& comando : Comandi())
        if (comando.nome == nome)
            return &comando;
    return nullptr;
}

QString NomeOpzione(const QString& nome) { return (nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nome; }

// "comune TESTO [--stati] [--solo-stati]"
QString Sintassi(const Comando& comando)
{
    QStringList parti{comando.nome};
    for (const QCommandLineOption& o : comando.opzioni)
        parti << QStringLiteral("[%1%2]").arg(NomeOpzione(o.names().constLast()),
                                              o.valueName().isEmpty() ? QString() : u' ' + o.valueName());
    if (!comando.argomenti.isEmpty())
        parti << comando.argomenti;
    return parti.join(u' ');
}

// The options, one a line, their descriptions in a column.
QString TestoOpzioni(const QList<QCommandLineOption>& opzioni)
{
    QStringList nomi;
    qsizetype larghezza = 0;
    for (const QCommandLineOption& o : opzioni) {
        QStringList forme;
        for (const QString& n : o.names())
            forme << NomeOpzione(n);
        nomi << forme.join(QStringLiteral(", ")) + (o.valueName().isEmpty() ? QString() : u' ' + o.valueName());
        larghezza = qMax(larghezza, nomi.constLast().size());
    }
    QString testo;
    for (qsizetype i = 0; i < opzioni.size(); ++i)
        testo += QStringLiteral("  %1  %2\n").arg(nomi[i].leftJustified(larghezza), opzioni[i].description());
    return testo;
}

const QString Uscite = QStringLiteral(
    "Uscita: 0 riuscito; 1 non trovato, o errore (il messaggio sullo standard error); 2 riga di comando "
    "non valida, o intervallo di pagine errato (stampa); 3 più candidati (comune), provincia già caricata (carica), "
    "nessuna corrispondenza (libretto).\n");

QString AiutoProgramma()
{
    QString testo = QStringLiteral("Uso: tratte-cli [--programma CARTELLA] COMANDO [ARGOMENTI]\n"
                                   "     tratte-cli COMANDO --help\n\n"
                                   "Tratte da riga di comando, sul codice del programma.\n\n"
                                   "Opzioni:\n")
        + TestoOpzioni({OpzioneProgramma(), OpzioneAiuto(), OpzioneVersione()}) + QStringLiteral("\nComandi:\n");
    for (const Comando& comando : Comandi())
        testo += QStringLiteral("  %1\n").arg(Sintassi(comando));
    return testo + u'\n' + Uscite;
}

QString AiutoComando(const Comando& comando)
{
    return QStringLiteral("Uso: tratte-cli [--programma CARTELLA] %1\n\n%2\n\nOpzioni:\n")
               .arg(Sintassi(comando), comando.descrizione)
        + TestoOpzioni(comando.opzioni + QList<QCommandLineOption>{OpzioneProgramma(), OpzioneAiuto()}) + u'\n'
        + Uscite;
}

// The fault of a command line the parser refused, and exit 2.
int RigaNonValida(Contesto& c, const QCommandLineParser& parser, const QStringList& argomenti,
                  const QList<QCommandLineOption>& opzioni, const QString& aiuto)
{
    QString messaggio;
    if (!parser.unknownOptionNames().isEmpty()) {
        QStringList nomi;
        for (const QString& n : parser.unknownOptionNames())
            nomi << NomeOpzione(n);
        messaggio = QStringLiteral("Opzione sconosciuta: %1").arg(nomi.join(QStringLiteral(", ")));
    } else {
        for (const QCommandLineOption& o : opzioni)
            for (const QString& n : o.names())
                if (!o.valueName().isEmpty() && !argomenti.isEmpty() && argomenti.constLast() == NomeOpzione(n))
                    messaggio = QStringLiteral("Opzione %1 senza %2.").arg(NomeOpzione(n), o.valueName().toLower());
        if (messaggio.isEmpty())
            messaggio = QStringLiteral("Riga di comando non valida (%1)").arg(parser.errorText());
    }
    c.errori << messaggio << '\n' << "Aiuto: " << aiuto << '\n';
    return 2;
}

} // namespace

int Esegui(Contesto& c, const QStringList& argomenti)
{
    // The global options stand before the command; everything after it is
    // the command's.
    const QList<QCommandLineOption> globali{OpzioneProgramma(), OpzioneAiuto(), OpzioneVersione()};
    QCommandLineParser programma;
    programma.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    programma.addOptions(globali);
    if (!programma.parse(QStringList{QStringLiteral("tratte-cli")} + argomenti))
        return RigaNonValida(c, programma, argomenti, globali, QStringLiteral("tratte-cli --help"));
    if (programma.isSet(QStringLiteral("version"))) {
        c.uscita << "tratte-cli " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    if (programma.isSet(QStringLiteral("programma")))
        c.cartellaProgramma = QDir(programma.value(QStringLiteral("programma"))).absolutePath();
    const QStringList posizionali = programma.positionalArguments();
    if (programma.isSet(QStringLiteral("help"))) {
        const Comando* comando = TrovaComando(posizionali.value(0));
        c.uscita << (comando ? AiutoComando(*comando) : AiutoProgramma());
        return 0;
    }
    const Comando* comando = TrovaComando(posizionali.value(0));
    if (!comando) {
        c.errori << (posizionali.isEmpty() ? QStringLiteral("Comando mancante.")
                                           : QStringLiteral("Comando sconosciuto: %1").arg(posizionali.front()))
                 << '\n'
                 << "Aiuto: tratte-cli --help\n";
        return 2;
    }

    const QString aiuto = QStringLiteral("tratte-cli %1 --help").arg(comando->nome);
    const QList<QCommandLineOption> opzioni = comando->opzioni + QList<QCommandLineOption>{OpzioneProgramma(), OpzioneAiuto()};
    QCommandLineParser proprio;
    proprio.addOptions(opzioni);
    QStringList resto = posizionali.mid(1);
    // A minus and a digit begin a number ("-5", a distance to be refused
    // as such), not an option.
    static const QRegularExpression numero(QStringLiteral("^-\\.?\\d.*"));
    const qsizetype primoNumero = resto.indexOf(numero);
    if (primoNumero >= 0)
        resto.insert(primoNumero, QStringLiteral("--"));
    if (!proprio.parse(QStringList{QStringLiteral("tratte-cli")} + resto))
        return RigaNonValida(c, proprio, resto, opzioni, aiuto);
    if (proprio.isSet(QStringLiteral("help"))) {
        c.uscita << AiutoComando(*comando);
        return 0;
    }
    if (proprio.isSet(QStringLiteral("programma")))
        c.cartellaProgramma = QDir(proprio.value(QStringLiteral("programma"))).absolutePath();
    c.cartellaInstallazione = c.cartellaProgramma;
    const qsizetype n = proprio.positionalArguments().size();
    if (n < comando->minimo || (comando->massimo >= 0 && n > comando->massimo)) {
        c.errori << "Uso: tratte-cli " << Sintassi(*comando) << '\n' << "Aiuto: " << aiuto << '\n';
        return 2;
    }
    // The machine's registration (run by the package as root) makes no
    // per-user folder.
    if (comando->nome != QLatin1String("registra") || !proprio.isSet(QStringLiteral("macchina")))
        c.cartellaProgramma = tratte::CartellaDiLavoro(c.cartellaInstallazione);
    return comando->esegui(c, proprio);
}

} // namespace cli
