#pragma once
// What a process with windows sets up once its QApplication exists, for as
// long as the object lives (then what was there before comes back): message boxes through the Qt message service
// as the process's own service, and wait cursors on screen. The code that
// shows messages and wait cursors needs only Qt's core, so a program
// without windows (the scripting front end) starts without Qt's graphical
// part.
#include "gridkit/comune/cursoreattesa.h"
#include "messaggi/servizio_qt.h"

namespace gridkit {

class SchermoCursoreQt : public SchermoCursore {
public:
    bool Mostra(Qt::CursorShape forma) override;
    void Ripristina() override;
};

class AvvioGrafico {
public:
    AvvioGrafico();
    ~AvvioGrafico();
    AvvioGrafico(const AvvioGrafico&) = delete;
    AvvioGrafico& operator=(const AvvioGrafico&) = delete;

private:
    messaggi::ServizioMessaggiQt messaggi_;
    SchermoCursoreQt cursore_;
    messaggi::ServizioMessaggi* messaggiPrima_;
    SchermoCursore* cursorePrima_;
};

} // namespace gridkit
