#include "gridkit/comandi/colonneform.h"

#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "tabelle/campo.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace gridkit {

TColonneForm::TColonneForm(QStringList* visibili, const QStringList* disponibili, QStringList originali,
                           QWidget* genitore)
    : QDialog(genitore), visibili_(visibili), disponibili_(disponibili), originali_(std::move(originali))
{
    setObjectName("ColonneForm");
    setWindowTitle("Colonne");
    setFixedSize(539, 310);

    ColDispListBox = new QListWidget(this);
    ColVisListBox = new QListWidget(this);
    auto* dispLabel = new QLabel("Colonne &disponibili", this);
    auto* visLabel = new QLabel("Colonne &visualizzate", this);
    dispLabel->setBuddy(ColDispListBox);
    visLabel->setBuddy(ColVisListBox);
    AggiungiBitBtn = new QPushButton("&Aggiungi >>", this);
    RimuoviBitBtn = new QPushButton("<< &Rimuovi", this);
    SpostaSuBitBtn = new QPushButton("&Sposta su", this);
    SpostaGiuBitBtn = new QPushButton("Sp&osta giu", this);
    OkBitBtn = new QPushButton("OK", this);
    AnnullaBitBtn = new QPushButton("Annulla", this);
    ReimpostaBitBtn = new QPushButton("R&eimposta", this);
    InizialeBitBtn = new QPushButton("Tabella originale", this);
    OkBitBtn->setDefault(true);

    auto* griglia = new QGridLayout(this);
    griglia->addWidget(dispLabel, 0, 0);
    griglia->addWidget(visLabel, 0, 2);
    griglia->addWidget(ColDispListBox, 1, 0);
    auto* centro = new QVBoxLayout;
    centro->addStretch();
    centro->addWidget(AggiungiBitBtn);
    centro->addWidget(RimuoviBitBtn);
    centro->addStretch();
    griglia->addLayout(centro, 1, 1);
    griglia->addWidget(ColVisListBox, 1, 2);
    auto* sotto = new QHBoxLayout;
    sotto->addWidget(SpostaSuBitBtn);
    sotto->addWidget(SpostaGiuBitBtn);
    griglia->addLayout(sotto, 2, 2);
    auto* destra = new QVBoxLayout;
    for (QPushButton* b : {OkBitBtn, AnnullaBitBtn, ReimpostaBitBtn, InizialeBitBtn})
        destra->addWidget(b);
    destra->addStretch();
    griglia->addLayout(destra, 1, 3, 2, 1);

    for (QListWidget* l : {ColDispListBox, ColVisListBox}) {
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        l->setDragEnabled(true);
        l->setAcceptDrops(true);
        l->setDragDropMode(QAbstractItemView::DragDrop);
        l->viewport()->installEventFilter(this);
        connect(l, &QListWidget::itemClicked, this, &TColonneForm::FormActivate);
        connect(l, &QListWidget::currentRowChanged, this, &TColonneForm::AggiornaPulsanti);
    }
    connect(ColDispListBox, &QListWidget::itemDoubleClicked, this, &TColonneForm::AggiungiBitBtnClick);
    connect(ColVisListBox, &QListWidget::itemDoubleClicked, this, &TColonneForm::RimuoviBitBtnClick);
    connect(AggiungiBitBtn, &QPushButton::clicked, this, &TColonneForm::AggiungiBitBtnClick);
    connect(RimuoviBitBtn, &QPushButton::clicked, this, &TColonneForm::RimuoviBitBtnClick);
    connect(SpostaSuBitBtn, &QPushButton::clicked, this, &TColonneForm::SpostaSuBitBtnClick);
    connect(SpostaGiuBitBtn, &QPushButton::clicked, this, &TColonneForm::SpostaGiuBitBtnClick);
    connect(OkBitBtn, &QPushButton::clicked, this, &TColonneForm::OkBitBtnClick);
    connect(AnnullaBitBtn, &QPushButton::clicked, this, [this] { done(messaggi::mrCancel); });
    connect(ReimpostaBitBtn, &QPushButton::clicked, this, &TColonneForm::ReimpostaBitBtnClick);
    connect(InizialeBitBtn, &QPushButton::clicked, this, &TColonneForm::InizialeBitBtnClick);
    FormCreate();
}

QStringList TColonneForm::Elementi(const QListWidget& lista)
{
    QStringList e;
    for (int i = 0; i < lista.count(); ++i)
        e << lista.item(i)->text();
    return e;
}

void TColonneForm::FormCreate()
{
    primaAttivazione_ = true;
    AggiornaPulsanti();
}

void TColonneForm::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormActivate();
}

void TColonneForm::FormActivate()
{
    if (primaAttivazione_) {
        primaAttivazione_ = false;
        if (visibili_ && disponibili_)
            ReimpostaBitBtnClick();
    }
    AggiornaPulsanti();
}

void TColonneForm::AggiornaPulsanti()
{
    const int vis = ColVisListBox->currentRow();
    AggiungiBitBtn->setEnabled(ColDispListBox->currentRow() >= 0);
    const bool rimuovi = vis >= 0 && ColVisListBox->count() > 1;
    RimuoviBitBtn->setEnabled(rimuovi);
    SpostaSuBitBtn->setEnabled(rimuovi && vis > 0);
    SpostaGiuBitBtn->setEnabled(rimuovi && vis < ColVisListBox->count() - 1);
    ReimpostaBitBtn->setEnabled(visibili_ && disponibili_);
}

void TColonneForm::Sposta(QListWidget& sorgente, QListWidget& destinazione, int posizione)
{
    const int da = sorgente.currentRow();
    if (da < 0)
        return;
    if (posizione < 0)
        posizione = destinazione.count() == 0 ? 0 : destinazione.currentRow() + 1;
    posizione = std::min(posizione, destinazione.count());
    QListWidgetItem* elemento = sorgente.takeItem(da);
    destinazione.insertItem(posizione, elemento);
    destinazione.setCurrentRow(posizione);
    if (sorgente.count() > 0)
        sorgente.setCurrentRow(std::min(da, sorgente.count() - 1));
    AggiornaPulsanti();
}

void TColonneForm::AggiungiBitBtnClick() { Sposta(*ColDispListBox, *ColVisListBox); }

void TColonneForm::RimuoviBitBtnClick()
{
    if (ColVisListBox->count() < 2)
        return;
    Sposta(*ColVisListBox, *ColDispListBox);
}

void TColonneForm::SpostaSuBitBtnClick()
{
    const int r = ColVisListBox->currentRow();
    if (r <= 0)
        return;
    ColVisListBox->insertItem(r - 1, ColVisListBox->takeItem(r));
    ColVisListBox->setCurrentRow(r - 1);
    ColVisListBox->setFocus();
    AggiornaPulsanti();
}

void TColonneForm::SpostaGiuBitBtnClick()
{
    const int r = ColVisListBox->currentRow();
    if (r < 0 || r >= ColVisListBox->count() - 1)
        return;
    ColVisListBox->insertItem(r + 1, ColVisListBox->takeItem(r));
    ColVisListBox->setCurrentRow(r + 1);
    ColVisListBox->setFocus();
    AggiornaPulsanti();
}

bool TColonneForm::ColDispListBoxDragOver(QListWidget* sorgente) const
{
    if (sorgente != ColDispListBox && sorgente != ColVisListBox)
        return false;
    if (sorgente->currentRow() < 0)
        return false;
    return sorgente != ColVisListBox || ColVisListBox->count() > 1;
}

void TColonneForm::ColDispListBoxDragDrop(QListWidget* sorgente, QListWidget* destinazione, int riga)
{
    if (!ColDispListBoxDragOver(sorgente))
        return;
    if (sorgente != destinazione) {
        Sposta(*sorgente, *destinazione, riga < 0 ? destinazione->count() : riga);
        return;
    }
    if (sorgente != ColVisListBox || riga < 0)
        return;
    const int da = ColVisListBox->currentRow();
    ColVisListBox->insertItem(riga, ColVisListBox->takeItem(da));
    ColVisListBox->setCurrentRow(riga);
    AggiornaPulsanti();
}

bool TColonneForm::eventFilter(QObject* oggetto, QEvent* evento)
{
    // The lists' own drag and drop is replaced by the rules above.
    QListWidget* destinazione = oggetto == ColDispListBox->viewport() ? ColDispListBox
                                : oggetto == ColVisListBox->viewport() ? ColVisListBox
                                                                       : nullptr;
    if (!destinazione)
        return QDialog::eventFilter(oggetto, evento);
    if (evento->type() == QEvent::DragEnter || evento->type() == QEvent::DragMove) {
        auto* e = static_cast<QDragMoveEvent*>(evento);
        auto* sorgente = qobject_cast<QListWidget*>(e->source());
        if (ColDispListBoxDragOver(sorgente))
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    if (evento->type() == QEvent::Drop) {
        auto* e = static_cast<QDropEvent*>(evento);
        auto* sorgente = qobject_cast<QListWidget*>(e->source());
        QListWidgetItem* sotto = destinazione->itemAt(e->position().toPoint());
        ColDispListBoxDragDrop(sorgente, destinazione, sotto ? destinazione->row(sotto) : -1);
        // The items were moved here: the list's own move does nothing more.
        e->setDropAction(Qt::CopyAction);
        e->accept();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TColonneForm::ReimpostaBitBtnClick()
{
    ColDispListBox->clear();
    ColVisListBox->clear();
    if (disponibili_)
        ColDispListBox->addItems(*disponibili_);
    if (visibili_)
        ColVisListBox->addItems(*visibili_);
    AggiornaPulsanti();
}

void TColonneForm::InizialeBitBtnClick()
{
    if (originali_.isEmpty())
        return;
    ColDispListBox->clear();
    ColVisListBox->clear();
    ColVisListBox->addItems(originali_);
    AggiornaPulsanti();
}

void TColonneForm::OkBitBtnClick()
{
    // An empty visible list is never written back.
    if (visibili_ && ColVisListBox->count() > 0)
        *visibili_ = Elementi(*ColVisListBox);
    done(messaggi::mrOk);
}

void ScegliColonne(TNewDBGrid& griglia)
{
    tabelle::TDataSet* dati = griglia.DataSet();
    if (!griglia.DatiAttivi() || !dati)
        return;
    TDBGridColumns& colonne = griglia.Columns();
    QStringList disponibili = dati->FieldNames();
    QStringList visibili;
    for (int i = 0; i < colonne.Count(); ++i) {
        if (colonne[i].Visible())
            visibili << colonne[i].FieldName();
        disponibili.removeAll(colonne[i].FieldName());
    }
    if (auto* tabella = qobject_cast<TNewTable*>(dati)) {
        for (const QString& s : std::as_const(tabella->CampiSistema)) {
            disponibili.removeAll(s);
            visibili.removeAll(s);
        }
    }
    disponibili.erase(std::remove_if(disponibili.begin(), disponibili.end(),
                                     [dati](const QString& n) {
                                         tabelle::TField* c = dati->FindField(n);
                                         return c && !c->Visible;
                                     }),
                      disponibili.end());
    // "Tabella originale" only when the grid has columns.
    const QStringList originali = colonne.Count() > 0 ? griglia.CampiVisibili() : QStringList();
    TColonneForm finestra(&visibili, &disponibili, originali, griglia.window());
    if (messaggi::MostraModale(finestra) == messaggi::mrOk && !visibili.isEmpty()) {
        griglia.SegnaLayoutCambiato();
        if (colonne.State() == TDBGridColumnsState::csDefault)
            colonne.SetState(TDBGridColumnsState::csCustomized);
        for (int i = 0; i < visibili.size(); ++i) {
            int trovata = -1;
            for (int j = i; j < colonne.Count(); ++j)
                if (colonne[j].FieldName() == visibili[i]) {
                    trovata = j;
                    break;
                }
            if (trovata < 0) {
                colonne.Add().SetFieldName(visibili[i]);
                trovata = colonne.Count() - 1;
            }
            if (trovata != i)
                colonne.Move(trovata, i);
        }
        while (colonne.Count() > visibili.size())
            colonne.Delete(colonne.Count() - 1);
    }
    if (griglia.OnChangeVisField)
        griglia.OnChangeVisField(&griglia);
}

} // namespace gridkit
