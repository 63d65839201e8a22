#pragma once
// Where the pages of a help file are: the help file "<folder>/Tratte.hlp"
// stands for the folder "<folder>/Guida/", whose file "contesti.txt" maps
// context numbers to pages, one "N=page.html" (or "N=page.html#anchor")
// per line; blank lines and lines starting with "#" are ignored. The
// contents and index page is "indice.html". Another help file,
// "<folder>/NAME.ext", has its contexts in "contesti-NAME.txt" of the same
// pages; such a help file in the data folder ("Archivi/TratteLbp.chm")
// is served by the program folder's pages when its own folder has none.
// No widgets here.
#include <QHash>
#include <QString>
#include <QUrl>
#include <QtGlobal>

namespace aiuto {

inline constexpr char NomeCartellaGuida[] = "Guida";
inline constexpr char NomeFileContesti[] = "contesti.txt";
inline constexpr char FileGuidaProgramma[] = "Tratte.hlp";
inline constexpr char NomePaginaIndice[] = "indice.html";

// A page found (pagina, a local file URL, possibly with an anchor), or the
// Italian reason why there is none (errore).
struct EsitoPagina {
    QUrl pagina;
    QString errore;
    bool Trovata() const { return errore.isEmpty(); }
};

class PagineGuida {
public:
    explicit PagineGuida(const QString& fileGuida);

    // The pages' folder; empty when no help file is set.
    QString Cartella() const { return cartella_; }
    // The context file of the help file, in that folder.
    QString FileContesti() const;

    // The page for a viewer command: HH_DISPLAY_TOC and HH_DISPLAY_INDEX
    // give the index page, HH_HELP_CONTEXT the page of the context (the
    // index page for context 0). Another command is an error.
    EsitoPagina Pagina(int comando, quintptr dati) const;
    EsitoPagina PaginaIndice() const;
    EsitoPagina PaginaContesto(int contesto) const;

    // The context lines of a contesti.txt file (empty when unreadable).
    static QHash<int, QString> LeggiContesti(const QString& percorso);

private:
    EsitoPagina Controlla() const;
    EsitoPagina PaginaFile(const QString& relativa) const;

    QString cartella_;
    QString contesti_;
};

} // namespace aiuto
