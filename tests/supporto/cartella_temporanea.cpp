#include "supporto/cartella_temporanea.h"

#include <QDir>

CartellaTemporanea::CartellaTemporanea()
    : registroPrecedente_(qgetenv("TRATTE_REGISTRO"))
{
    QDir(dir_.path()).mkpath("registro");
    qputenv("TRATTE_REGISTRO", dir_.filePath("registro").toLocal8Bit());
}

CartellaTemporanea::~CartellaTemporanea()
{
    if (registroPrecedente_.isEmpty())
        qunsetenv("TRATTE_REGISTRO");
    else
        qputenv("TRATTE_REGISTRO", registroPrecedente_);
}

QString CartellaTemporanea::sottocartella(const QString& nome) const
{
    QDir(dir_.path()).mkpath(nome);
    return dir_.filePath(nome);
}
