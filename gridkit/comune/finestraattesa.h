#pragma once
// TFinestraAttesa: a borderless wait notice centred on the screen, a caption
// (Label1) over the folder-search animation (Animate1). It never takes the
// keyboard and closing it never ends the program. The program's wait
// windows are made on it.
#include <QFrame>

class QLabel;

namespace gridkit {

class TAnimazioneRicerca;

class TFinestraAttesa : public QFrame {
    Q_OBJECT
public:
    static constexpr int Larghezza = 361;
    static constexpr int Altezza = 91;

protected:
    TFinestraAttesa(const QString& nome, const QString& testo, QWidget* genitore);

    QLabel* Label1;
    TAnimazioneRicerca* Animate1;
};

} // namespace gridkit
