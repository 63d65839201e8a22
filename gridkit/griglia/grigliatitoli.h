#pragma once
// The title row of a data grid: a horizontal header that lets its owner
// draw over a title after the normal drawing (the sort arrow), follows the
// mouse over the titles (the title hint) and says whether the mouse button
// release it is handling ended a column drag.
#include <QHeaderView>
#include <functional>

namespace gridkit {

class TTitoliGriglia : public QHeaderView {
    Q_OBJECT
public:
    explicit TTitoliGriglia(QWidget* genitore = nullptr);

    // Runs after a title is drawn: painter, title rectangle, column.
    std::function<void(QPainter&, const QRect&, int)> DopoDisegno;
    // Runs on every mouse move over the titles (position in the header).
    std::function<void(const QPoint&)> MovimentoMouse;
    // Runs once a button release has been handled.
    std::function<void()> DopoRilascio;

    // True while a mouse release is being handled (a column dragged and
    // dropped is moved during it).
    bool RilascioInCorso() const { return rilascio_; }
    // True when the mouse is over a divider (the column-resize cursor).
    bool CursoreRidimensiona() const;

protected:
    void paintSection(QPainter* pittore, const QRect& rettangolo, int sezione) const override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    bool rilascio_ = false;
};

} // namespace gridkit
