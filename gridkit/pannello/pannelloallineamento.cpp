#include "gridkit/pannello/pannelloallineamento.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace gridkit {

TAlign AllineamentoDi(const QWidget* widget)
{
    if (!widget)
        return alNone;
    bool ok = false;
    const int valore = widget->property(ProprietaAllineamento).toInt(&ok);
    if (!ok || valore < alNone || valore > alClient)
        return alNone;
    return static_cast<TAlign>(valore);
}

namespace {

bool Orizzontale(TAlign a) { return a == alTop || a == alBottom; }
bool Verticale(TAlign a) { return a == alLeft || a == alRight; }

} // namespace

void ImpostaAllineamento(QWidget* widget, TAlign allineamento)
{
    if (!widget)
        return;
    const TAlign prima = AllineamentoDi(widget);
    if (prima == allineamento)
        return;
    // Docked to an edge of the other direction, the control keeps its
    // thickness: what was its height becomes its width, and the reverse.
    if ((Orizzontale(prima) && Verticale(allineamento)) || (Verticale(prima) && Orizzontale(allineamento)))
        widget->resize(widget->height(), widget->width());
    widget->setProperty(ProprietaAllineamento, static_cast<int>(allineamento));
}

namespace {

std::vector<QWidget*> FigliAllineati(QWidget* contenitore, TAlign allineamento)
{
    std::vector<QWidget*> figli;
    for (QObject* o : contenitore->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && w->isVisibleTo(contenitore) && AllineamentoDi(w) == allineamento)
            figli.push_back(w);
    }
    return figli;
}

// The one nearest the edge it is docked to comes first.
bool PrimaDi(TAlign allineamento, const QWidget* a, const QWidget* b)
{
    const QRect ga = a->geometry();
    const QRect gb = b->geometry();
    switch (allineamento) {
    case alTop: return ga.top() < gb.top();
    case alBottom: return ga.top() + ga.height() > gb.top() + gb.height();
    case alLeft: return ga.left() < gb.left();
    case alRight: return ga.left() + ga.width() > gb.left() + gb.width();
    default: return false;
    }
}

} // namespace

void DisponiFigli(QWidget* contenitore, const QRect& area)
{
    if (!contenitore)
        return;
    // Free area as edges, right and bottom exclusive.
    int sinistra = area.left();
    int alto = area.top();
    int destra = std::max(sinistra, area.left() + area.width());
    int basso = std::max(alto, area.top() + area.height());

    for (TAlign allineamento : {alTop, alBottom, alLeft, alRight, alClient}) {
        auto figli = FigliAllineati(contenitore, allineamento);
        std::stable_sort(figli.begin(), figli.end(),
                         [allineamento](const QWidget* a, const QWidget* b) { return PrimaDi(allineamento, a, b); });
        for (QWidget* figlio : figli) {
            switch (allineamento) {
            case alTop:
                figlio->setGeometry(sinistra, alto, destra - sinistra, figlio->height());
                alto = std::min(alto + figlio->height(), basso);
                break;
            case alBottom:
                figlio->setGeometry(sinistra, basso - figlio->height(), destra - sinistra, figlio->height());
                // The height may have been bounded by the child's limits.
                figlio->move(sinistra, basso - figlio->height());
                basso = std::max(basso - figlio->height(), alto);
                break;
            case alLeft:
                figlio->setGeometry(sinistra, alto, figlio->width(), basso - alto);
                sinistra = std::min(sinistra + figlio->width(), destra);
                break;
            case alRight:
                figlio->setGeometry(destra - figlio->width(), alto, figlio->width(), basso - alto);
                figlio->move(destra - figlio->width(), alto);
                destra = std::max(destra - figlio->width(), sinistra);
                break;
            default:
                figlio->setGeometry(sinistra, alto, destra - sinistra, basso - alto);
                break;
            }
        }
    }
}

} // namespace gridkit
