#pragma once
// A fresh temporary folder for one test, removed with the object. It also
// points the registry store at a folder of its own (TRATTE_REGISTRO), so no
// test ever touches the user's registry.
#include <QString>
#include <QTemporaryDir>

class CartellaTemporanea {
public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    QString percorso() const { return dir_.path(); }
    // Full path of a name inside the folder.
    QString file(const QString& nome) const { return dir_.filePath(nome); }
    // Creates a subfolder and returns its path.
    QString sottocartella(const QString& nome) const;

private:
    QTemporaryDir dir_;
    QByteArray registroPrecedente_;
};
