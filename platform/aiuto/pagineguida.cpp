#include "aiuto/pagineguida.h"

#include "aiuto/applicazione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace aiuto {

PagineGuida::PagineGuida(const QString& fileGuida)
{
    if (fileGuida.isEmpty())
        return;
    const QFileInfo file(fileGuida);
    const QDir cartella(file.absolutePath());
    cartella_ = cartella.filePath(QString::fromLatin1(NomeCartellaGuida));
    if (file.fileName().compare(QString::fromLatin1(FileGuidaProgramma), Qt::CaseInsensitive) == 0) {
        contesti_ = QString::fromLatin1(NomeFileContesti);
        return;
    }
    contesti_ = QStringLiteral("contesti-%1.txt").arg(file.completeBaseName());
    if (!QFileInfo(cartella_).isDir() && !cartella.isRoot()) {
        const QString sopra = QFileInfo(cartella.absolutePath()).absolutePath() + u'/' + QString::fromLatin1(NomeCartellaGuida);
        if (QFileInfo(sopra).isDir())
            cartella_ = sopra;
    }
}

QString PagineGuida::FileContesti() const { return cartella_.isEmpty() ? QString() : QDir(cartella_).filePath(contesti_); }

EsitoPagina PagineGuida::Pagina(int comando, quintptr dati) const
{
    switch (comando) {
    case HH_DISPLAY_TOC:
    case HH_DISPLAY_INDEX:
        return PaginaIndice();
    case HH_HELP_CONTEXT:
        return PaginaContesto(int(dati));
    default:
        return {QUrl(), QStringLiteral("La guida non conosce il comando numero %1.").arg(comando)};
    }
}

EsitoPagina PagineGuida::PaginaIndice() const
{
    if (EsitoPagina esito = Controlla(); !esito.Trovata())
        return esito;
    return PaginaFile(QString::fromLatin1(NomePaginaIndice));
}

EsitoPagina PagineGuida::PaginaContesto(int contesto) const
{
    // No topic has number 0: a window without a context of its own opens
    // the contents.
    if (contesto == 0)
        return PaginaIndice();
    if (EsitoPagina esito = Controlla(); !esito.Trovata())
        return esito;
    const QHash<int, QString> contesti = LeggiContesti(FileContesti());
    const auto voce = contesti.constFind(contesto);
    if (voce == contesti.constEnd())
        return {QUrl(), QStringLiteral("La guida non contiene una pagina per l'argomento numero %1.").arg(contesto)};
    return PaginaFile(*voce);
}

QHash<int, QString> PagineGuida::LeggiContesti(const QString& percorso)
{
    QHash<int, QString> contesti;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return contesti;
    QTextStream testo(&file);
    testo.setEncoding(QStringConverter::Utf8);
    while (!testo.atEnd()) {
        const QString riga = testo.readLine().trimmed();
        if (riga.isEmpty() || riga.startsWith(u'#'))
            continue;
        const qsizetype uguale = riga.indexOf(u'=');
        if (uguale <= 0)
            continue;
        bool ok = false;
        const int numero = riga.left(uguale).trimmed().toInt(&ok);
        const QString pagina = riga.mid(uguale + 1).trimmed();
        if (ok && !pagina.isEmpty())
            contesti.insert(numero, pagina);
    }
    return contesti;
}

EsitoPagina PagineGuida::Controlla() const
{
    if (cartella_.isEmpty())
        return {QUrl(), QStringLiteral("Il programma non ha impostato il file della guida.")};
    if (!QFileInfo(cartella_).isDir())
        return {QUrl(), QStringLiteral("La cartella della guida \"%1\" non esiste.").arg(QDir::toNativeSeparators(cartella_))};
    return {};
}

EsitoPagina PagineGuida::PaginaFile(const QString& relativa) const
{
    // "page.html#anchor": the anchor is not part of the file name.
    const qsizetype cancelletto = relativa.indexOf(u'#');
    const QString nome = cancelletto < 0 ? relativa : relativa.left(cancelletto);
    const QString percorso = QDir(cartella_).filePath(nome);
    if (nome.isEmpty() || !QFileInfo(percorso).isFile())
        return {QUrl(), QStringLiteral("La pagina \"%1\" non si trova nella cartella della guida.").arg(nome)};
    QUrl pagina = QUrl::fromLocalFile(QFileInfo(percorso).absoluteFilePath());
    if (cancelletto >= 0)
        pagina.setFragment(relativa.mid(cancelletto + 1));
    return {pagina, QString()};
}

} // namespace aiuto
