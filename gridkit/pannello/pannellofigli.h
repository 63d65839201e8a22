#pragma once
// TAllineatoreFigli: keeps the aligned children of a container in place.
// It watches the container (size, children added and removed) and each
// child widget (alignment, showing and hiding, size and position, new
// parent) and lays the children out again with DisponiFigli inside the
// area the container gives.
#include <QObject>
#include <QRect>

#include <functional>

class QWidget;

namespace gridkit {

class TAllineatoreFigli : public QObject {
    Q_OBJECT
public:
    using Area = std::function<QRect()>;

    // The area is asked each time the children are laid out.
    TAllineatoreFigli(QWidget* contenitore, Area area);
    ~TAllineatoreFigli() override;
    TAllineatoreFigli(const TAllineatoreFigli&) = delete;
    TAllineatoreFigli& operator=(const TAllineatoreFigli&) = delete;

    // Lays the children out now.
    void Riallinea();
    // Lays them out at the next turn of the event loop (once however many
    // times it is asked): for children that are not yet fully built.
    void RiallineaPiuTardi();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void EventoContenitore(QEvent* evento);
    void EventoFiglio(QWidget* figlio, QEvent* evento);

    QWidget* contenitore_;
    Area area_;
    bool inCorso_ = false;
    bool richiesto_ = false;
};

} // namespace gridkit
