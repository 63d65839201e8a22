// genera-dis: writes a distribution series of one province, with the
// province's real comune codes, and prints the paths of the files.
#include "generatore_dis.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

int Uso(QTextStream& errori, const QString& motivo)
{
    if (!motivo.isEmpty())
        errori << motivo << '\n';
    errori << "Uso: genera-dis CARTELLA SIGLA FILE RIGHE [--release MMAA] [--seme N] [--csv CARTELLA_CSV]\n"
              "  scrive in CARTELLA la serie di FILE file .dis della provincia SIGLA, RIGHE righe in tutto,\n"
              "  con i codici dei comuni della provincia presi da CARTELLA_CSV/comuni.csv.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication applicazione(argc, argv);
    QTextStream uscita(stdout);
    QTextStream errori(stderr);
    QStringList argomenti = QCoreApplication::arguments().mid(1);

    banco::SerieDis serie;
    QString cartellaCsv = QStringLiteral(CARTELLA_CSV_PREDEFINITA);
    QStringList posizionali;
    for (int i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti[i];
        if (a == "--release" || a == "--seme" || a == "--csv") {
            if (i + 1 >= argomenti.size())
                return Uso(errori, QStringLiteral("Opzione %1 senza valore.").arg(a));
            const QString valore = argomenti[++i];
            bool ok = true;
            if (a == "--release") {
                ok = valore.size() == 4;
                bool okMese = false, okAnno = false;
                serie.mese = valore.left(2).toInt(&okMese);
                serie.anno = valore.mid(2).toInt(&okAnno);
                ok = ok && okMese && okAnno;
            } else if (a == "--seme") {
                serie.seme = valore.toUInt(&ok);
            } else {
                cartellaCsv = valore;
            }
            if (!ok)
                return Uso(errori, QStringLiteral("Valore non valido per %1: %2").arg(a, valore));
        } else if (a.startsWith("--")) {
            return Uso(errori, QStringLiteral("Opzione sconosciuta: %1").arg(a));
        } else {
            posizionali << a;
        }
    }
    if (posizionali.size() != 4)
        return Uso(errori, QString());
    bool okFile = false, okRighe = false;
    serie.sigla = posizionali[1].toUpper();
    serie.file = posizionali[2].toInt(&okFile);
    serie.righe = posizionali[3].toLongLong(&okRighe);
    if (!okFile || !okRighe)
        return Uso(errori, QStringLiteral("FILE e RIGHE devono essere numeri."));

    try {
        serie.comuni = banco::ComuniDellaProvincia(cartellaCsv, serie.sigla);
        for (const QString& percorso : banco::GeneraSerie(posizionali[0], serie))
            uscita << QDir::toNativeSeparators(percorso) << '\n';
    } catch (const banco::EGenerazioneDis& e) {
        errori << e.messaggio() << '\n';
        return 1;
    }
    return 0;
}
