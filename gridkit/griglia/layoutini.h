#pragma once
// ArchivioLayoutIni: a grid layout kept in an ini file that must already
// exist, as the entries "HEX1", "HEX2", ... of one section. The file is
// Windows-style ([Section], Key=Value; section and key names compare without
// regard to case); every line that is not ours is kept as it is, and the
// file is replaced atomically.
#include <QByteArray>
#include <QString>
#include <optional>
#include <stdexcept>

namespace gridkit {

// An ini file that is missing, cannot be read or written, or a section name
// that cannot be written into one. The Italian text names the file.
class ErroreLayoutIni : public std::runtime_error {
public:
    explicit ErroreLayoutIni(const QString& messaggio)
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio) {}
    const QString& messaggio() const { return messaggio_; }

private:
    QString messaggio_;
};

class ArchivioLayoutIni {
public:
    ArchivioLayoutIni(const QString& iniFileName, const QString& iniKey);
    bool Esiste() const;
    // Writes HEX1..HEXn (see PezziDaScrivere) into the section, adding it at
    // the end of the file when missing; entries beyond the last written are
    // left as they are. Throws ErroreLayoutIni (the file unchanged) when the
    // file is missing or cannot be written, or the section name holds "[",
    // "]" or a line break.
    void Scrivi(const QByteArray& flusso);
    // As ArchivioLayoutRegistro::Leggi; empty when the section or the file is
    // missing. Throws ErroreLayoutIni when the file exists but cannot be read.
    std::optional<QByteArray> Leggi() const;

private:
    QString file_;
    QString sezione_;
};

} // namespace gridkit
