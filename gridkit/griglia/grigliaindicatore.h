#pragma once
// The indicator column of a data grid: a narrow vertical header that marks
// the dataset's current row (an arrow while browsing, "I" while editing,
// "*" while inserting) and draws nothing else for the other rows.
#include <QHeaderView>
#include <functional>

namespace gridkit {

class TIndicatoreGriglia : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int Larghezza = 12;

    enum class Segno { Nessuno, Corrente, Modifica, Inserimento };

    explicit TIndicatoreGriglia(QWidget* genitore = nullptr);

    // The mark of a row (0-based); by default none.
    std::function<Segno(int)> SegnoRiga;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* pittore, const QRect& rettangolo, int sezione) const override;
};

} // namespace gridkit
