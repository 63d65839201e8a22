#include "aiuto/applicazione.h"
#include "aiuto/finestraguida.h"
#include "aiuto/pagineguida.h"
#include "aiuto/visualizzatoreguida.h"
#include "supporto/cartella_temporanea.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace aiuto;

namespace {

void Scrivi(const QString& percorso, const QString& testo)
{
    QFile file(percorso);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(testo.toUtf8());
}

QString Leggi(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString Pagina(const QString& titolo, const QString& corpo)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>%2</body></html>")
        .arg(titolo, corpo);
}

// A help folder with three pages, beside a help file that need not exist.
class GuidaDiProva : public ::testing::Test {
protected:
    void SetUp() override
    {
        cartella = dir.sottocartella("Guida");
        fileGuida = dir.file("Tratte.hlp");
        Scrivi(cartella + "/contesti.txt", "# argomenti\n1=principale.html\n\n 31 = principale.html#inserimento \n"
                                           "44=manca.html\nxx=principale.html\n12\n");
        Scrivi(cartella + "/indice.html", Pagina("Indice", "<p>Indice della prova</p>"));
        Scrivi(cartella + "/principale.html",
               Pagina("Principale", "<p>Pagina principale: è così</p><p><a href=\"altra.html\">altra</a></p>"
                                    "<h2 id=\"inserimento\">Inserimento</h2>"));
        Scrivi(cartella + "/altra.html", Pagina("Altra", "<p>Seconda pagina</p>"));
    }

    static QString Testo(const VisualizzatoreGuida& v) { return v.Finestra()->Browser()->toPlainText(); }
    static QUrl Sorgente(const VisualizzatoreGuida& v) { return v.Finestra()->Browser()->source(); }

    CartellaTemporanea dir;
    QString cartella;
    QString fileGuida;
};

} // namespace

TEST_F(GuidaDiProva, MostraLaPaginaDelContestoInUnaSolaFinestra)
{
    VisualizzatoreGuida guida;
    EXPECT_EQ(guida.Finestra(), nullptr);

    EXPECT_TRUE(guida.Mostra(nullptr, fileGuida, HH_HELP_CONTEXT, 1));
    FinestraGuida* finestra = guida.Finestra();
    ASSERT_NE(finestra, nullptr);
    EXPECT_TRUE(finestra->isVisible());
    EXPECT_EQ(Sorgente(guida), QUrl::fromLocalFile(cartella + "/principale.html"));
    EXPECT_TRUE(Testo(guida).contains(QStringLiteral("Pagina principale: è così"))) << Testo(guida).toStdString();

    // Relative links are followed inside the window: Tab selects the link,
    // Enter follows it.
    QTest::keyClick(finestra->Browser(), Qt::Key_Tab);
    QTest::keyClick(finestra->Browser(), Qt::Key_Return);
    EXPECT_EQ(Sorgente(guida), QUrl::fromLocalFile(cartella + "/altra.html"));
    EXPECT_TRUE(Testo(guida).contains("Seconda pagina"));

    // A context with an anchor, the contents, the index and context 0 all
    // reuse the same window.
    EXPECT_TRUE(guida.Mostra(nullptr, fileGuida, HH_HELP_CONTEXT, 31));
    EXPECT_EQ(Sorgente(guida).fragment(), "inserimento");
    EXPECT_EQ(Sorgente(guida).adjusted(QUrl::RemoveFragment), QUrl::fromLocalFile(cartella + "/principale.html"));
    for (auto [comando, dati] : {std::pair{HH_DISPLAY_TOC, 0}, {HH_DISPLAY_INDEX, 0}, {HH_HELP_CONTEXT, 0}}) {
        finestra->hide();
        EXPECT_TRUE(guida.Mostra(nullptr, fileGuida, comando, quintptr(dati)));
        EXPECT_EQ(Sorgente(guida), QUrl::fromLocalFile(cartella + "/indice.html")) << comando;
        EXPECT_TRUE(finestra->isVisible());
    }
    EXPECT_EQ(guida.Finestra(), finestra);

    // A page edited while shown is read again when asked for again.
    guida.Mostra(nullptr, fileGuida, HH_HELP_CONTEXT, 1);
    Scrivi(cartella + "/principale.html", Pagina("Principale", "<p>Versione nuova</p>"));
    guida.Mostra(nullptr, fileGuida, HH_HELP_CONTEXT, 1);
    EXPECT_TRUE(Testo(guida).contains("Versione nuova"));
}

TEST_F(GuidaDiProva, UnaPaginaMancanteMostraUnAvviso)
{
    VisualizzatoreGuida guida;
    const QUrl indice = QUrl::fromLocalFile(cartella + "/indice.html");

    // A command the viewer does not know shows nothing.
    EXPECT_FALSE(guida.Mostra(nullptr, fileGuida, 18, 0));
    EXPECT_EQ(guida.Finestra(), nullptr);

    struct Caso {
        QString file;
        int contesto;
        QString attesa;
        bool conIndice;
    };
    const QList<Caso> casi = {
        {fileGuida, 99, "argomento numero 99", true},
        {fileGuida, 12, "argomento numero 12", true}, // a malformed line lists nothing
        {fileGuida, 44, "\"manca.html\"", true},
        {dir.file("vuota/Tratte.hlp"), 1, "non esiste", false},
        {QString(), 1, "non ha impostato il file della guida", false},
    };
    for (const Caso& caso : casi) {
        EXPECT_FALSE(guida.Mostra(nullptr, caso.file, HH_HELP_CONTEXT, quintptr(caso.contesto)));
        ASSERT_NE(guida.Finestra(), nullptr);
        EXPECT_TRUE(guida.Finestra()->isVisible());
        const QString testo = Testo(guida);
        EXPECT_TRUE(testo.contains("Pagina della guida non disponibile")) << testo.toStdString();
        EXPECT_TRUE(testo.contains(caso.attesa)) << testo.toStdString();
        EXPECT_EQ(testo.contains("Vai all'indice della guida"), caso.conIndice) << testo.toStdString();
    }

    // The notice's link leads to the index.
    guida.Mostra(nullptr, fileGuida, HH_HELP_CONTEXT, 99);
    const QString html = guida.Finestra()->Browser()->toHtml();
    EXPECT_TRUE(html.contains(indice.toString(QUrl::FullyEncoded))) << html.toStdString();

    // Without an index page the contents are a notice as well.
    QFile::remove(cartella + "/indice.html");
    EXPECT_FALSE(guida.Mostra(nullptr, fileGuida, HH_DISPLAY_TOC, 0));
    EXPECT_TRUE(Testo(guida).contains("\"indice.html\""));
}

// The delivered pages: a page for every context the program uses, every
// link and anchor resolved, every page reachable from the index.
TEST(PagineDellaGuida, OgniContestoEOgniCollegamentoPortanoAUnaPagina)
{
    const QString cartella = QStringLiteral(TRATTE_DATI "/Guida");
    const PagineGuida pagine(QStringLiteral(TRATTE_DATI "/Tratte.hlp"));
    ASSERT_EQ(QFileInfo(pagine.Cartella()).canonicalFilePath(), QFileInfo(cartella).canonicalFilePath());

    for (int contesto : {1, 4, 10, 11, 12, 13, 14, 15, 17, 26, 27, 29, 31, 70, 50000, 50005, 50010}) {
        const EsitoPagina esito = pagine.PaginaContesto(contesto);
        EXPECT_TRUE(esito.Trovata()) << contesto << ": " << esito.errore.toStdString();
    }
    ASSERT_TRUE(pagine.PaginaIndice().Trovata());

    const QStringList nomi = QDir(cartella).entryList({"*.html"}, QDir::Files);
    ASSERT_FALSE(nomi.isEmpty());
    static const QRegularExpression collegamento(R"re((?:href|src)\s*=\s*"([^"]*)")re");
    static const QRegularExpression ancora(R"re(\b(?:id|name)\s*=\s*"([^"]+)")re");
    QHash<QString, QSet<QString>> ancore;
    QHash<QString, QStringList> collegamenti;
    for (const QString& nome : nomi) {
        const QString testo = Leggi(cartella + "/" + nome);
        EXPECT_TRUE(testo.contains(QRegularExpression("<title>[^<]+</title>"))) << nome.toStdString();
        EXPECT_TRUE(testo.contains("href=\"guida.css\"")) << nome.toStdString();
        for (const auto& m : ancora.globalMatch(testo))
            ancore[nome].insert(m.captured(1));
        for (const auto& m : collegamento.globalMatch(testo))
            collegamenti[nome].append(m.captured(1));
    }

    auto verifica = [&](const QString& da, const QString& destinazione) -> QString {
        if (QUrl(destinazione).scheme().size() > 1) // http:, mailto: ...
            return {};
        const qsizetype cancelletto = destinazione.indexOf('#');
        QString file = cancelletto < 0 ? destinazione : destinazione.left(cancelletto);
        if (file.isEmpty())
            file = da;
        // The pictures of the windows are rendered by the build beside the pages;
        // those of the directory's archive dialog by that dialog's own build,
        // checked once it renders them.
        static const QStringList dellArchivio = {"immagini/archivio-comuni.png", "immagini/archivio-stati.png",
                                                 "immagini/modifica-comune.png", "immagini/modifica-stato.png"};
        const bool costruita = file.startsWith("immagini/");
        const QString percorso = (costruita ? QStringLiteral(TRATTE_GUIDA_COSTRUITA) : cartella) + "/" + file;
        EXPECT_TRUE(QFileInfo::exists(percorso) || (dellArchivio.contains(file) && !QFileInfo::exists(QStringLiteral(
                        TRATTE_GUIDA_COSTRUITA "/immagini/archivio-comuni.png"))))
            << da.toStdString() << " -> " << destinazione.toStdString();
        if (cancelletto >= 0) {
            EXPECT_TRUE(ancore[file].contains(destinazione.mid(cancelletto + 1)))
                << da.toStdString() << " -> " << destinazione.toStdString();
        }
        return file;
    };

    // Every line of contesti.txt.
    const QHash<int, QString> contesti = PagineGuida::LeggiContesti(cartella + "/contesti.txt");
    EXPECT_GE(contesti.size(), 13);
    for (auto it = contesti.cbegin(); it != contesti.cend(); ++it)
        verifica("contesti.txt", it.value());

    // Every link of every page, and every page reachable from the index.
    QSet<QString> raggiunte{"indice.html"};
    QStringList daVisitare{"indice.html"};
    while (!daVisitare.isEmpty()) {
        const QString pagina = daVisitare.takeFirst();
        for (const QString& destinazione : collegamenti.value(pagina)) {
            const QString file = verifica(pagina, destinazione);
            if (file.endsWith(".html") && !raggiunte.contains(file)) {
                raggiunte.insert(file);
                daVisitare.append(file);
            }
        }
    }
    for (const QString& nome : nomi)
        EXPECT_TRUE(raggiunte.contains(nome)) << nome.toStdString() << " is not reachable from the index";
}

TEST(PagineDellaGuida, IlVisualizzatoreMostraLePagineConsegnate)
{
    VisualizzatoreGuida guida;
    const QString file = QStringLiteral(TRATTE_DATI "/Tratte.hlp");
    ASSERT_TRUE(guida.Mostra(nullptr, file, HH_HELP_CONTEXT, 1));
    QTextBrowser* browser = guida.Finestra()->Browser();
    EXPECT_EQ(browser->documentTitle(), "La finestra principale");
    // UTF-8 text decoded, the shared style sheet loaded.
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Se l'archivio è vuoto")));
    EXPECT_TRUE(browser->toHtml().contains("#1d5c2e", Qt::CaseInsensitive));

    ASSERT_TRUE(guida.Mostra(nullptr, file, HH_DISPLAY_TOC, 0));
    EXPECT_EQ(browser->documentTitle(), "Guida di TrattePF");
}

// An installation's help folder, the pages and the pictures the build
// rendered: the pages of the step-by-step operations show the pictures.
TEST(PagineDellaGuida, LeImmaginiDelleFinestreSiVedonoNellePagine)
{
    CartellaTemporanea dir;
    const QString guida = dir.sottocartella("Guida");
    QDir().mkpath(guida + "/immagini");
    for (const auto& [da, a] : {std::pair{QStringLiteral(TRATTE_DATI "/Guida"), guida},
                                {QStringLiteral(TRATTE_GUIDA_COSTRUITA "/immagini"), guida + "/immagini"}})
        for (const QString& nome : QDir(da).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(da + "/" + nome, a + "/" + nome)) << nome.toStdString();

    VisualizzatoreGuida viewer;
    static const QRegularExpression immagine(R"re(<img src="([^"]+)")re");
    for (int contesto : {1, 4, 10, 11, 12, 13, 14, 15, 17, 26, 27, 29, 31, 50000, 50009}) {
        ASSERT_TRUE(viewer.Mostra(nullptr, dir.file("Tratte.hlp"), HH_HELP_CONTEXT, quintptr(contesto))) << contesto;
        QTextBrowser* browser = viewer.Finestra()->Browser();
        const QString pagina = Leggi(browser->source().toLocalFile());
        int trovate = 0;
        for (const auto& m : immagine.globalMatch(pagina)) {
            ++trovate;
            const QVariant dati = browser->loadResource(QTextDocument::ImageResource, QUrl(m.captured(1)));
            QImage figura;
            figura.loadFromData(dati.toByteArray());
            EXPECT_FALSE(figura.isNull()) << contesto << ": " << m.captured(1).toStdString();
        }
        EXPECT_GT(trovate, 0) << contesto;
    }
}

// Another help file has its own contexts among the same pages; one in the
// data folder, which has no pages of its own, is served by the program
// folder's.
TEST_F(GuidaDiProva, UnAltroFileDellaGuidaHaIlSuoElencoDiContesti)
{
    Scrivi(cartella + "/contesti-TratteLbp.txt", "1=altra.html\n");
    const QString archivi = dir.sottocartella("Archivi");
    for (const QString& file : {archivi + "/TratteLbp.chm", dir.file("TratteLbp.chm")}) {
        const PagineGuida pagine(file);
        EXPECT_EQ(pagine.Cartella(), cartella);
        const EsitoPagina esito = pagine.PaginaContesto(1);
        ASSERT_TRUE(esito.Trovata()) << esito.errore.toStdString();
        EXPECT_TRUE(esito.pagina.toLocalFile().endsWith("/Guida/altra.html"));
        EXPECT_FALSE(pagine.PaginaContesto(31).Trovata());
    }
    // The program's own help file keeps contesti.txt, whatever its case.
    EXPECT_TRUE(PagineGuida(dir.file("TRATTE.HLP")).PaginaContesto(31).Trovata());
    // A folder with pages of its own is not passed over.
    QDir(archivi).mkpath("Guida");
    EXPECT_EQ(PagineGuida(archivi + "/TratteLbp.chm").Cartella(), archivi + "/Guida");
    EXPECT_FALSE(PagineGuida(archivi + "/TratteLbp.chm").PaginaContesto(1).Trovata());
}
