#pragma once
// The preview window of a job: a bar of controls (pages, zoom, print,
// close) over the page shown. Only the page on screen is drawn, when it
// is shown: moving to any page costs the drawing of that page alone.
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;

namespace orvo {

class Impaginazione;

struct ControlliAnteprima {
    bool navigazione = true;
    bool stampa = true;
    bool zoom = true;
    bool chiudi = true;
};

class VistaPagina : public QWidget {
    Q_OBJECT
public:
    VistaPagina(const Impaginazione& pagine, QWidget* genitore);
    void ImpostaPagina(int pagina);
    int Pagina() const { return pagina_; }
    // Pixels per drawing unit.
    void ImpostaScala(double scala);
    double Scala() const { return scala_; }
    // Pages drawn since the window was made: what the preview's cost is.
    int PagineDisegnate() const { return disegnate_; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    const Impaginazione& pagine_;
    int pagina_ = 1;
    double scala_ = 0.05;
    int disegnate_ = 0;
};

class AnteprimaOrvo : public QWidget {
    Q_OBJECT
public:
    enum class Zoom { PaginaIntera, Larghezza, Reale };
    // `stampa` prints the job (the print button).
    AnteprimaOrvo(const Impaginazione& pagine, const QString& titolo, const ControlliAnteprima& controlli,
                  std::function<void()> stampa, QWidget* genitore);

    VistaPagina* Vista() const { return vista_; }
    void VaiAPagina(int pagina);
    void ImpostaZoom(Zoom zoom);

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void AggiornaScala();
    const Impaginazione& pagine_;
    QToolBar* barra_;
    QSpinBox* numero_;
    QLabel* totale_;
    QComboBox* scelta_;
    QScrollArea* area_;
    VistaPagina* vista_;
    Zoom zoom_ = Zoom::PaginaIntera;
};

} // namespace orvo
