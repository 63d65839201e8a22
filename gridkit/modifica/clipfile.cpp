#include "gridkit/modifica/clipfile.h"

#include "messaggi/messaggi.h"
#include "registro/tregistry.h"
#include "tabelle/campo.h"
#include "tabelle/dataset.h"
#include "tabelle/errore.h"
#include "tabelle/tabella.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace gridkit {

using namespace tabelle;

namespace {

SedeLibreria sede = SedeLibreria::Programma;

// At most this many field descriptions are read.
constexpr int MassimoCampi = 150;

const QByteArray FineRiga = QByteArrayLiteral("\r\n");

bool TipoRiconosciuto(int codice)
{
    switch (TFieldType(codice)) {
    case TFieldType::ftString:
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftBoolean:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftBytes:
    case TFieldType::ftAutoInc: return true;
    default: return false;
    }
}

// A line read, without its CR LF.
QByteArray Riga(QFile& file)
{
    QByteArray riga = file.readLine();
    while (riga.endsWith('\n') || riga.endsWith('\r'))
        riga.chop(1);
    return riga;
}

// A value as one piece of a record line.
QByteArray Pezzo(const QString& testo)
{
    QByteArray b = testo.toUtf8();
    for (char& c : b)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return b;
}

} // namespace

void ImpostaSedeLibreria(SedeLibreria nuova) { sede = nuova; }

QString ChiaveClipboard(const QString& formato)
{
    const QString base = sede == SedeLibreria::Directory ? QStringLiteral("\\Quintor\\Clipboard\\")
                                                         : QStringLiteral("\\Software\\Quintor\\Common\\Clipboard\\");
    return base + formato + QStringLiteral("\\FileClip");
}

// ---------------------------------------------------------------- descriptions

QByteArray DescrizioneCampo::Serializza() const
{
    const QString testo = QStringLiteral("NAME=%1\nCOMPONENT=%2\nSIZE=%3\nREQUIRED=%4")
                              .arg(nome, componente.isEmpty() ? nome : componente)
                              .arg(dimensione)
                              .arg(richiesto ? 1 : 0);
    return testo.toUtf8();
}

std::optional<DescrizioneCampo> DescrizioneCampo::Deserializza(TFieldType tipo, const QByteArray& dati)
{
    DescrizioneCampo d;
    d.tipo = tipo;
    bool nome = false, dimensione = false;
    for (const QString& riga : QString::fromUtf8(dati).split('\n')) {
        const QString chiave = riga.section('=', 0, 0);
        const QString valore = riga.section('=', 1);
        if (chiave == QLatin1String("NAME")) {
            d.nome = valore;
            nome = !valore.isEmpty();
        } else if (chiave == QLatin1String("COMPONENT")) {
            d.componente = valore;
        } else if (chiave == QLatin1String("SIZE")) {
            d.dimensione = valore.toInt(&dimensione);
        } else if (chiave == QLatin1String("REQUIRED")) {
            d.richiesto = valore == QLatin1String("1");
        }
    }
    if (!nome || !dimensione)
        return std::nullopt;
    return d;
}

// ---------------------------------------------------------------- opening

TClipFile::TClipFile() = default;

TClipFile::~TClipFile() { Chiudi(); }

void TClipFile::Chiudi()
{
    if (file_.isOpen())
        file_.close();
}

void TClipFile::Apri(const QString& formato)
{
    Chiudi();
    campi_.clear();
    numeroRecords_ = 0;
    nomeTabella_.clear();
    registro::TRegistry registro;
    registro.OpenKey(ChiaveClipboard(formato), true);
    percorso_ = registro.ReadString(QStringLiteral("Path"));
    if (!percorso_.isEmpty() && QFileInfo::exists(percorso_)) {
        ApriInLettura();
        return;
    }
    if (!percorso_.isEmpty())
        registro.WriteString(QStringLiteral("Path"), QString());
    {
        QTemporaryFile nuovo(QDir(QDir::tempPath()).filePath(QStringLiteral("CF_XXXXXX.TMP")));
        nuovo.setAutoRemove(false);
        if (!nuovo.open())
            throw EDBEngineError(QStringLiteral("Impossibile creare il file degli appunti in '%1'.").arg(QDir::tempPath()));
        percorso_ = QFileInfo(nuovo.fileName()).absoluteFilePath();
    }
    registro.WriteString(QStringLiteral("Path"), percorso_);
    file_.setFileName(percorso_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EDBEngineError(QStringLiteral("Impossibile scrivere il file degli appunti '%1'.").arg(percorso_));
}

void TClipFile::ApriInLettura()
{
    Chiudi();
    campi_.clear();
    numeroRecords_ = 0;
    nomeTabella_.clear();
    file_.setFileName(percorso_);
    if (!file_.open(QIODevice::ReadOnly))
        return;
    // A clipboard made but never written is empty, not of another format.
    if (file_.size() == 0)
        return;
    LeggiIntestazione();
}

void TClipFile::LeggiIntestazione()
{
    const QByteArray prima = Riga(file_);
    const int uguale = prima.indexOf("NOMETABELLA=");
    if (uguale < 0) {
        messaggi::ShowMessage(QStringLiteral("Formato ClipFile non riconosciuto."));
        Chiudi();
        return;
    }
    nomeTabella_ = QString::fromUtf8(prima.mid(prima.indexOf('=', uguale) + 1));
    bool campi = false;
    bool finiti = false; // an unknown type code ends the list
    while (!file_.atEnd()) {
        const QByteArray riga = Riga(file_);
        if (riga == "[DATI]")
            return;
        if (riga.isEmpty()) {
            campi = false;
        } else if (riga == "[FIELDSINFO]") {
            campi = true;
        } else if (campi) {
            const QByteArray esadecimale = Riga(file_);
            bool ok = false;
            const int codice = riga.trimmed().toInt(&ok);
            if (finiti || !ok || !TipoRiconosciuto(codice) || campi_.size() >= MassimoCampi) {
                finiti = true;
                continue;
            }
            const auto descrizione = DescrizioneCampo::Deserializza(TFieldType(codice), QByteArray::fromHex(esadecimale));
            if (descrizione)
                campi_ << *descrizione;
            else
                finiti = true;
        } else if (const int n = riga.indexOf("NUMERORECORDS="); n >= 0) {
            numeroRecords_ = riga.mid(riga.indexOf('=', n) + 1).trimmed().toInt();
        }
    }
}

// ---------------------------------------------------------------- copying

void TClipFile::CopiaRecord(const TDataSet& dati)
{
    if (!Aperto() || dati.RecNo() <= 0)
        return;
    Scrivi(dati, {dati.RecNo() - 1});
}

void TClipFile::CopiaSelezione(const QList<int>* righe, const TDataSet& dati)
{
    if (!Aperto())
        return;
    if (righe) {
        Scrivi(dati, *righe);
        return;
    }
    QList<int> tutte;
    for (int r = std::max(dati.RecNo() - 1, 0); r < dati.RecordCount(); ++r)
        tutte << r;
    Scrivi(dati, tutte);
}

void TClipFile::Scrivi(const TDataSet& dati, const QList<int>& righe)
{
    Chiudi();
    QFile::remove(percorso_);
    QList<const TField*> descritti;
    QByteArray testo;
    const auto* tabella = qobject_cast<const TTable*>(&dati);
    testo += "NOMETABELLA=" + (tabella ? tabella->TableName.toUtf8() : QByteArrayLiteral("QUERYSQL")) + FineRiga;
    testo += FineRiga;
    testo += "[FIELDSINFO]" + FineRiga;
    for (int i = 0; i < dati.FieldCount(); ++i) {
        const TField* campo = dati.Fields(i);
        if (campo->IsBlob())
            continue;
        descritti << campo;
        const DescrizioneCampo d{campo->DataType(), campo->FieldName(), campo->FieldName(), campo->Size(), campo->Required};
        testo += QByteArray::number(int(campo->DataType())) + FineRiga;
        testo += d.Serializza().toHex().toUpper() + FineRiga;
    }
    testo += FineRiga;
    testo += "NUMERORECORDS=" + QByteArray::number(righe.size()) + FineRiga;
    testo += FineRiga;
    testo += "DATA=" + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toUtf8() + FineRiga;
    testo += FineRiga;
    testo += "[DATI]" + FineRiga;
    for (int riga : righe) {
        for (const TField* campo : descritti) {
            testo += Pezzo(campo->Testo(dati.ValoreRiga(riga, campo->Index())));
            testo += '\t';
        }
        testo += FineRiga;
    }
    file_.setFileName(percorso_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate) || file_.write(testo) != testo.size() || !file_.flush()) {
        const QString errore = file_.errorString();
        Chiudi();
        throw EDBEngineError(QStringLiteral("Impossibile scrivere il file degli appunti '%1': %2").arg(percorso_, errore));
    }
    ApriInLettura();
}

// ---------------------------------------------------------------- pasting

bool TClipFile::Compatibile(TTable& tabella)
{
    if (!tabella.Active())
        tabella.Open();
    for (const DescrizioneCampo& d : campi_) {
        const TField* campo = tabella.FindField(d.nome);
        if (!campo)
            return false;
        const bool stessoTipo = campo->DataType() == d.tipo
                                || (campo->DataType() == TFieldType::ftAutoInc && d.tipo == TFieldType::ftInteger);
        if (!stessoTipo || campo->Size() != d.dimensione)
            return false;
    }
    return true;
}

void TClipFile::Incolla(TTable& tabella)
{
    if (!Aperto() || !file_.isReadable())
        return;
    // The fields of the table for each description, in order (none for an
    // auto-increment one: the table gives its own values).
    QList<TField*> destinazioni;
    for (const DescrizioneCampo& d : campi_) {
        TField* campo = tabella.FindField(d.nome);
        destinazioni << (campo && campo->DataType() != TFieldType::ftAutoInc ? campo : nullptr);
    }
    TCancelOP cancel = TCancelOP::cop_Continua;
    int posizione = 1;
    int scritte = 0;
    while (!file_.atEnd()) {
        const QByteArray riga = Riga(file_);
        if (riga.isEmpty())
            continue;
        if (OnBeforeincolla)
            OnBeforeincolla(tabella, numeroRecords_, posizione, cancel);
        if (cancel == TCancelOP::cop_Interrompi)
            break;
        // The position is the record's in the clipboard, skipped or not.
        ++posizione;
        if (cancel == TCancelOP::cop_Salta)
            continue;
        // Each piece goes to the field of its position: an empty piece is
        // an empty value, not a reason to shift the next ones.
        const QList<QByteArray> pezzi = riga.split('\t');
        tabella.Append();
        try {
            for (int i = 0; i < destinazioni.size() && i < pezzi.size(); ++i)
                if (TField* campo = destinazioni[i])
                    campo->SetAsString(QString::fromUtf8(pezzi[i]));
            tabella.Post();
        } catch (...) {
            tabella.Cancel();
            throw;
        }
        ++scritte;
        if (OnRigaIncollata)
            OnRigaIncollata(tabella, scritte);
    }
    ApriInLettura();
}

} // namespace gridkit
