#pragma once
// The title hint of the enhanced grid: "Ordinamento per : " + the column's
// title in a small hint window under the title the mouse reached, shown at
// most about two seconds and again only over another column. While it is
// up it holds the application's own hints off (SuggerimentiApplicazione).
#include <QObject>
#include <QRect>
#include <functional>

class QLabel;
class QTimer;
class QWidget;

namespace gridkit {

// The application-wide hint switch: while it is off no widget of the
// application shows its tooltip. It is off when the application set it
// off, or while any title hint holds it off; a hint that ends releases
// only its own hold, so several grids' hints cannot leave it off.
namespace SuggerimentiApplicazione {
bool Attivi();
// The application's own setting.
void Imposta(bool attivi);
// The hold of `chi` (a title hint); holding or releasing twice is once.
void Trattieni(const void* chi);
void Rilascia(const void* chi);
} // namespace SuggerimentiApplicazione

class SuggerimentoTitolo : public QObject {
    Q_OBJECT
public:
    static constexpr int Intervallo = 500;
    static constexpr int Durata = 2000;

    // The window belongs to `griglia`.
    explicit SuggerimentoTitolo(QWidget& griglia);
    ~SuggerimentoTitolo() override;

    // The mouse is over the title of `colonna`; `cella` is the title cell in
    // screen coordinates.
    void SopraTitolo(int colonna, const QString& titolo, const QRect& cella);
    // The mouse is over the grid outside the title row.
    void FuoriTitoli();
    // Hides the window and releases the application's hints.
    void Nascondi();
    // Forgets the column hinted last (a new link, a new layout).
    void Dimentica() { colonna_ = -1; }

    int Colonna() const { return colonna_; }
    QLabel& Finestra() const { return *finestra_; }
    QTimer& Timer() const { return *timer_; }
    int Contatore() const { return contatore_; }
    // Whether the pointer is over the grid; by default from QCursor::pos().
    std::function<bool()> PuntatoreSullaGriglia;

    // One tick of the timer.
    void Scatto();

private:
    QWidget& griglia_;
    QLabel* finestra_;
    QTimer* timer_;
    int contatore_ = 0;
    int colonna_ = -1;
};

} // namespace gridkit
