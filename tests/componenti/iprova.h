#pragma once
// The interface and the class ids of the test server (servizio_prova).
#include "componenti/componenti.h"

#include <QStringList>

// What an object of the test server does: plain calls, Qt values both ways.
class IProva : public componenti::IUnknown {
public:
    virtual int Somma(int a, int b) = 0;
    virtual QString Saluta(const QString& nome) = 0;
    virtual QStringList Parole(const QString& testo) = 0;
};

inline const QUuid IID_IProva{"{6B2D9E10-4C1A-4F7B-9E3D-2A51C0D4E601}"};
// The class the server registers.
inline const QUuid CLSID_Prova{"{6B2D9E11-4C1A-4F7B-9E3D-2A51C0D4E601}"};
inline const QString ProgIdProva = QStringLiteral("Prova.SERVIZIO.PROVA");
inline const QString DescrizioneProva = QStringLiteral("SERVIZIO DI PROVA");
// A class the server makes but does not register: its constructor throws.
inline const QUuid CLSID_Difettosa{"{6B2D9E12-4C1A-4F7B-9E3D-2A51C0D4E601}"};
