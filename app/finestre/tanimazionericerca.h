#pragma once
// The folder-search animation of the wait window: a magnifier sweeping
// over a folder, one frame per tick of its own timer, the only timer of
// the control.
#include <QWidget>

class QTimer;

namespace tratte {

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

} // namespace tratte
