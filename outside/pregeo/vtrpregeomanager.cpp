// The survey-book manager's server library: the class TVTRPregeoManager,
// which reads books of the text format of FORMATO.md, and the four entry
// points.
#include "ivtrpregeomanager.h"
#include "libretto.h"

#include "componenti/server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

using namespace componenti;

namespace pregeo {

namespace {

// A book larger than this is no survey book.
constexpr qint64 DimensioneMassima = 64 * 1024 * 1024;

void Copia(char* destinazione, std::size_t dimensione, const QByteArray& testo)
{
    std::memset(destinazione, 0, dimensione);
    std::memcpy(destinazione, testo.constData(), std::min(std::size_t(testo.size()), dimensione - 1));
}

class TVTRPregeoManager : public TComObjectCon<IVTRPregeoManager> {
public:
    TVTRPregeoManager() : TComObjectCon<IVTRPregeoManager>(IID_IVTRPregeoManager) { buffer_[0] = '\0'; }

    char* BufferNomeLibretto() override { return buffer_; }

    int LibrettoValido() override { return Leggi() && libretto_.Valido() ? 1 : 0; }

    bool LeggiPuntiFiduciali(ListaPunti& lista) override
    {
        if (!Leggi())
            return false;
        if (!libretto_.Intestazione || !libretto_.Errore.isEmpty()) {
            errore_ = QStringLiteral("Il libretto %1 non è valido: %2").arg(nome_, libretto_.Errore);
            return false;
        }
        if (!libretto_.Elaborato) {
            errore_ = QStringLiteral("Il libretto %1 non è elaborato correttamente (manca la riga ELABORATO;SI).").arg(nome_);
            return false;
        }
        for (const PuntoLibretto& p : std::as_const(libretto_.Punti)) {
            auto record = std::make_unique<TRecordPunto>();
            std::memset(record.get(), 0, sizeof(TRecordPunto));
            Copia(record->Comune, sizeof record->Comune, p.Comune);
            Copia(record->Foglio, sizeof record->Foglio, p.Foglio);
            record->Allegato = p.Allegato;
            Copia(record->Numero, sizeof record->Numero, p.Numero);
            lista.push_back(std::move(record));
        }
        return true;
    }

    int LeggiDistanze(int, ListaDistanze& lista, int) override
    {
        if (!Leggi() || !libretto_.Valido() || !libretto_.Errore.isEmpty())
            return -1;
        for (const DistanzaLibretto& d : std::as_const(libretto_.Distanze)) {
            auto record = std::make_unique<TRecordDistanza>();
            std::memset(record.get(), 0, sizeof(TRecordDistanza));
            Copia(record->CoppiaPF, sizeof record->CoppiaPF,
                  EtichettaPunto(libretto_.Punti[d.I]) + ' ' + EtichettaPunto(libretto_.Punti[d.J]));
            record->Distanza = d.Distanza;
            record->ScartoQMedio = d.ScartoQMedio;
            lista.push_back(std::move(record));
        }
        return int(libretto_.Distanze.size());
    }

    QString UltimoErrore() override { return errore_; }

private:
    // The file the buffer names: as written when it ends with ".out" (in
    // any case), else with ".out" added or a file of the folder of that
    // name in another case.
    QString File() const
    {
        const QString percorso = QString::fromUtf8(buffer_, qsizetype(strnlen(buffer_, sizeof buffer_)));
        if (percorso.endsWith(QLatin1String(".out"), Qt::CaseInsensitive))
            return percorso;
        if (QFileInfo::exists(percorso + QLatin1String(".out")))
            return percorso + QLatin1String(".out");
        const QFileInfo info(percorso);
        const QString cercato = info.fileName() + QLatin1String(".out");
        for (const QString& nome : QDir(info.path()).entryList({QStringLiteral("*.out")}, QDir::Files))
            if (nome.compare(cercato, Qt::CaseInsensitive) == 0)
                return QDir(info.path()).filePath(nome);
        return percorso + QLatin1String(".out");
    }

    // Reads the book named in the buffer, unless it is the one read last.
    bool Leggi()
    {
        const QString file = File();
        errore_.clear();
        nome_ = QDir::toNativeSeparators(file);
        QFile f(file);
        const QFileInfo info(file);
        if (letto_ && file == fileLetto_ && info.lastModified() == modificato_ && info.size() == dimensione_)
            return true;
        letto_ = false;
        if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
            errore_ = QStringLiteral("Il libretto %1 non può essere letto.").arg(nome_);
            return false;
        }
        if (f.size() > DimensioneMassima) {
            errore_ = QStringLiteral("Il file %1 è troppo grande per essere un libretto.").arg(nome_);
            return false;
        }
        const QByteArray dati = f.readAll();
        libretto_ = LeggiLibretto(dati);
        letto_ = true;
        fileLetto_ = file;
        modificato_ = info.lastModified();
        dimensione_ = info.size();
        return true;
    }

    char buffer_[DimensioneBufferNome];
    Libretto libretto_;
    bool letto_ = false;
    QString fileLetto_, nome_, errore_;
    QDateTime modificato_;
    qint64 dimensione_ = 0;
};

TComObjectFactory& Fabbrica()
{
    static TComObjectFactory fabbrica(CLSID_VTRPregeoManager, CreatoreDi<TVTRPregeoManager>());
    return fabbrica;
}

} // namespace

} // namespace pregeo

COMPONENTI_ESPORTA HRESULT DllGetClassObject(const QUuid& clsid, const QUuid& iid, void** oggetto)
{
    return FabbricaPerClasse({&pregeo::Fabbrica()}, clsid, iid, oggetto);
}

COMPONENTI_ESPORTA HRESULT DllCanUnloadNow() { return RispostaDllCanUnloadNow(); }

COMPONENTI_ESPORTA HRESULT DllRegisterServer()
{
    return EseguiRegistrazione([] {
        RegistraClasse(pregeo::CLSID_VTRPregeoManager, QString::fromLatin1(pregeo::DescrizioneVTRPregeoManager),
                       QString::fromLatin1(pregeo::ProgIdVTRPregeoManager), PercorsoModuloCorrente());
    });
}

COMPONENTI_ESPORTA HRESULT DllUnregisterServer()
{
    return EseguiRegistrazione(
        [] { CancellaClasse(pregeo::CLSID_VTRPregeoManager, QString::fromLatin1(pregeo::ProgIdVTRPregeoManager)); });
}
