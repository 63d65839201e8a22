#pragma once
// The folder-search animation of the wait window: a magnifier sweeping
// over a folder, one frame per tick of its own timer, the only timer of
// the control.
#include <QWidget>

class QPainter;
class QRectF;

class QTimer;

namespace gridkit {

// Frames of the folder-search animation in one cycle.
inline constexpr int FotogrammiRicerca = 24;
// Draws frame `fotogramma` (0 .. FotogrammiRicerca - 1) into the area:
// a magnifier sweeping over an open folder.
void DisegnaRicerca(QPainter& pittore, const QRectF& area, int fotogramma);


class TAnimazioneRicerca : public QWidget {
    Q_OBJECT

public:
    // Milliseconds between two frames.
    static constexpr int Intervallo = 80;

    explicit TAnimazioneRicerca(QWidget* genitore = nullptr);
    // Stops the animation.
    ~TAnimazioneRicerca() override;

    // Starts or stops the animation (the Active property of the control);
    // a stopped animation keeps showing its current frame.
    void SetActive(bool attiva);
    bool Active() const;
    // The frame shown, 0 .. disegni::FotogrammiRicerca - 1.
    int Fotogramma() const { return fotogramma_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void Avanza();

    QTimer* timer_;
    int fotogramma_ = 0;
};

} // namespace gridkit
