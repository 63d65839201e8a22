#include "impaginazione.h"

#include "tabelle/campo.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace orvo {

namespace {

QString Virgolette(const QString& nome) { return '"' + QString(nome).replace('"', "\"\"") + '"'; }

// Font sizes in points to the drawing unit.
int PixelCarattere(double punti) { return qMax(1, qRound(punti * 25.4 * Impaginazione::Unita / 72.0)); }

constexpr double RigaTestata = 6.0; // mm: the header's first two lines
constexpr double Spazio = 1.5;      // mm: between header, rows and footer

} // namespace

DatiRapporto::DatiRapporto(const Rapporto& rapporto)
    : rapporto_(rapporto), sessione_(std::make_unique<tabelle::TSession>())
{
    if (!rapporto.password.isEmpty())
        sessione_->AddPassword(rapporto.password);
    const QFileInfo tabella(rapporto.PercorsoTabella());
    query_ = std::make_unique<tabelle::TQuery>(nullptr, sessione_.get());
    query_->DatabaseName = tabella.absolutePath();
    QString testo = QStringLiteral("SELECT * FROM %1").arg(Virgolette(tabella.fileName()));
    QStringList ordine;
    for (const Gruppo& g : rapporto.gruppi)
        ordine << Virgolette(g.NomeCampo()) + (g.discendente ? QStringLiteral(" DESC") : QString());
    if (!ordine.isEmpty())
        testo += QStringLiteral(" ORDER BY ") + ordine.join(QStringLiteral(", "));
    query_->SQL = QStringList{testo};
    query_->Open();
    for (const Colonna& c : rapporto.colonne) {
        const tabelle::TField* campo = query_->FindField(c.campo);
        if (!campo)
            throw ErroreRapporto(QStringLiteral("%1: la tabella %2 non ha il campo %3").arg(rapporto.file, tabella.fileName(), c.campo));
        campi_ << campo->Index();
    }
    righe_ = query_->RecordCount();
}

DatiRapporto::~DatiRapporto() = default;

QString DatiRapporto::Testo(int riga, int colonna) const
{
    const QVariant v = query_->ValoreRiga(riga, campi_[colonna]);
    if (v.isNull())
        return {};
    const int decimali = rapporto_.colonne[colonna].decimali;
    if (decimali >= 0)
        return QString::number(v.toDouble(), 'f', decimali);
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

Impaginazione::Impaginazione(const Rapporto& rapporto, const DatiRapporto& dati, QString titolo, QDate data)
    : rapporto_(rapporto), dati_(dati), titolo_(std::move(titolo)), data_(data), orientamento_(rapporto.orientamento)
{
    Calcola();
}

void Impaginazione::ImpostaOrientamento(QPageLayout::Orientation o)
{
    orientamento_ = o;
    Calcola();
}

void Impaginazione::Calcola()
{
    QSizeF mm = QPageSize(rapporto_.pagina).size(QPageSize::Millimeter);
    if (orientamento_ == QPageLayout::Landscape)
        mm.transpose();
    foglio_ = mm * Unita;
    // Two header lines, the column titles, a gap; the footer line and its gap.
    testata_ = (2 * RigaTestata + rapporto_.altezzaRiga + Spazio) * Unita;
    piede_ = (RigaTestata + Spazio) * Unita;
    const double corpo = foglio_.height() - (rapporto_.margini[1] + rapporto_.margini[3]) * Unita - testata_ - piede_;
    righePerPagina_ = qMax(1, int(std::floor(corpo / (rapporto_.altezzaRiga * Unita))));
    pagine_ = qMax(1, (dati_.Righe() + righePerPagina_ - 1) / righePerPagina_);
}

void Impaginazione::DisegnaPagina(QPainter& p, int pagina) const
{
    const double sinistra = rapporto_.margini[0] * Unita;
    const double alto = rapporto_.margini[1] * Unita;
    const double destra = foglio_.width() - rapporto_.margini[2] * Unita;
    const double basso = foglio_.height() - rapporto_.margini[3] * Unita;
    const double larghezza = destra - sinistra;
    const double riga = rapporto_.altezzaRiga * Unita;
    const double testata = RigaTestata * Unita;

    QFont normale(rapporto_.carattere);
    normale.setPixelSize(PixelCarattere(rapporto_.dimensione));
    QFont grassetto = normale;
    grassetto.setBold(true);
    QFont titolo = grassetto;
    titolo.setPixelSize(PixelCarattere(rapporto_.dimensione + 3));
    QPen linea(Qt::black);
    linea.setWidthF(2);
    p.setPen(linea);

    // Header: the heading and the date, the title.
    p.setFont(titolo);
    p.drawText(QRectF(sinistra, alto, larghezza, testata), Qt::AlignLeft | Qt::AlignVCenter, rapporto_.intestazione);
    p.setFont(normale);
    QString data = rapporto_.data;
    data.replace(QStringLiteral("{data}"), data_.toString(QStringLiteral("dd/MM/yyyy")));
    p.drawText(QRectF(sinistra, alto, larghezza, testata), Qt::AlignRight | Qt::AlignVCenter, data);
    p.setFont(grassetto);
    p.drawText(QRectF(sinistra, alto + testata, larghezza, testata), Qt::AlignLeft | Qt::AlignVCenter, titolo_);

    // The column titles between two lines.
    const double yTitoli = alto + 2 * testata;
    p.drawLine(QPointF(sinistra, yTitoli), QPointF(destra, yTitoli));
    p.drawLine(QPointF(sinistra, yTitoli + riga), QPointF(destra, yTitoli + riga));
    QList<QPair<double, double>> colonne; // x and width, with a small inner gap
    double x = sinistra;
    for (const Colonna& c : rapporto_.colonne) {
        const double w = c.larghezza * Unita;
        colonne << qMakePair(x + 5, w - 10);
        x += w;
    }
    auto allinea = [](Allineamento a) {
        switch (a) {
        case Allineamento::Destra: return Qt::AlignRight | Qt::AlignVCenter;
        case Allineamento::Centro: return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
        }
    };
    // A title longer than its column is cut short, with an ellipsis.
    p.setFont(normale);
    const QFontMetricsF misure(normale);
    for (int k = 0; k < rapporto_.colonne.size(); ++k)
        p.drawText(QRectF(colonne[k].first, yTitoli, colonne[k].second, riga), allinea(rapporto_.colonne[k].allineamento),
                   misure.elidedText(rapporto_.colonne[k].titolo, Qt::ElideRight, colonne[k].second));

    // The page's rows.
    const int primo = (pagina - 1) * righePerPagina_;
    const int ultimo = qMin(dati_.Righe(), primo + righePerPagina_);
    double y = yTitoli + riga + Spazio * Unita;
    for (int r = primo; r < ultimo; ++r, y += riga)
        for (int k = 0; k < rapporto_.colonne.size(); ++k) {
            const QString testo = dati_.Testo(r, k);
            if (!testo.isEmpty())
                p.drawText(QRectF(colonne[k].first, y, colonne[k].second, riga), allinea(rapporto_.colonne[k].allineamento), testo);
        }

    // Footer.
    QString piede = rapporto_.piede;
    piede.replace(QStringLiteral("{pagina}"), QString::number(pagina)).replace(QStringLiteral("{pagine}"), QString::number(pagine_));
    p.drawLine(QPointF(sinistra, basso - testata), QPointF(destra, basso - testata));
    p.drawText(QRectF(sinistra, basso - testata, larghezza, testata), Qt::AlignHCenter | Qt::AlignVCenter, piede);
}

} // namespace orvo
