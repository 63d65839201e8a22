#include "gridkit/comandi/dbgridpopupmenu.h"

#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "gridkit/comandi/colonneform.h"
#include "gridkit/comandi/trovainndbg.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/griglia/newdbgridattesa.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "messaggi/messaggi.h"
#include "tabelle/campo.h"

#include <QKeyEvent>
#include <QSet>

namespace gridkit {

namespace {

using O = TOptionMenu;

bool Ha(const TNewDBGrid& g, O o) { return g.OptionMenu.contiene(o); }

} // namespace

TDBGridPopupMenu::TDBGridPopupMenu(TNewDBGrid& griglia) : QMenu(&griglia), griglia_(griglia)
{
    setObjectName("DBGridPopupMenu");
    CreaVoci(*this);
    installEventFilter(this);
}

bool TDBGridPopupMenu::eventFilter(QObject* oggetto, QEvent* evento)
{
    // F1 on an item of the menu (or of the merged items) opens its topic.
    auto* menu = qobject_cast<QMenu*>(oggetto);
    if (menu && evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F1) {
        const int contesto = menu->activeAction() ? menu->activeAction()->property(aiuto::ProprietaContestoAiuto).toInt() : 0;
        if (contesto != 0) {
            aiuto::HelpContext(contesto);
            return true;
        }
    }
    return QMenu::eventFilter(oggetto, evento);
}

const QStringList& TDBGridPopupMenu::Didascalie()
{
    static const QStringList d{
        "Ordinamento &crescente", "Ordinamento &decrescente", "Ordinamento &originale", "-", "&Adatta", "-",
        "&Taglia", "&Copia", "&Incolla", "-", "&Elimina", "-", "&Visualizza campi", "-",
        "Annulla ultima operazione", "-", "T&rova"};
    return d;
}

QList<QAction*> TDBGridPopupMenu::CreaVoci(QMenu& menu)
{
    static const QHash<int, QKeySequence> scorciatoie{
        {VoceTaglia, QKeySequence("Ctrl+X")}, {VoceCopia, QKeySequence("Ctrl+C")},
        {VoceIncolla, QKeySequence("Ctrl+V")}, {VoceElimina, QKeySequence("Ctrl+E")},
        {VoceAnnulla, QKeySequence("Ctrl+Z")}, {VoceTrova, QKeySequence("Ctrl+T")}};
    QList<QAction*> voci;
    const QStringList& d = Didascalie();
    for (int i = 0; i < d.size(); ++i) {
        QAction* a = nullptr;
        if (d[i] == "-") {
            a = menu.addSeparator();
        } else if (i == VoceCrescente || i == VoceDecrescente || i == VoceAdatta) {
            auto* sotto = new QMenu(d[i], &menu);
            a = menu.addMenu(sotto);
        } else {
            a = menu.addAction(d[i]);
            if (scorciatoie.contains(i))
                a->setShortcut(scorciatoie.value(i));
            connect(a, &QAction::triggered, this, [this, i] { Esegui(i); });
        }
        voci << a;
    }
    return voci;
}

void TDBGridPopupMenu::AggiornaVoci(const QList<QAction*>& voci, bool completo)
{
    if (voci.size() < Didascalie().size())
        return;
    const THelpContextOptionMenu& hc = griglia_.HelpContextOptionMenu();
    const bool ord = Ha(griglia_, O::opm_OrdCrescente) || Ha(griglia_, O::opm_OrdDecrescente)
                     || Ha(griglia_, O::opm_OrdOriginale);
    const bool appunti = Ha(griglia_, O::opm_Taglia) || Ha(griglia_, O::opm_Copia) || Ha(griglia_, O::opm_Incolla);
    struct Stato {
        bool mostra;
        int contesto;
    };
    const Stato stati[] = {
        {Ha(griglia_, O::opm_OrdCrescente), hc.hc_OrdCrescente()},
        {Ha(griglia_, O::opm_OrdDecrescente), hc.hc_OrdDeCrescente()},
        {Ha(griglia_, O::opm_OrdOriginale), hc.hc_OrdOriginale()},
        {ord, 0},
        {Ha(griglia_, O::opm_Adatta), hc.hc_Adatta()},
        {Ha(griglia_, O::opm_Adatta), 0},
        {Ha(griglia_, O::opm_Taglia), hc.hc_Taglia()},
        {Ha(griglia_, O::opm_Copia), hc.hc_Copia()},
        {Ha(griglia_, O::opm_Incolla), hc.hc_Incolla()},
        {appunti, 0},
        {Ha(griglia_, O::opm_Elimina), hc.hc_Elimina()},
        {Ha(griglia_, O::opm_Elimina), 0},
        {Ha(griglia_, O::opm_VisCampi), hc.hc_VisCampi()},
        {Ha(griglia_, O::opm_Annulla), 0},
        {Ha(griglia_, O::opm_Annulla), hc.hc_Annulla()},
        {appunti, 0},
        {Ha(griglia_, O::opm_Trova), hc.hc_Trova()},
    };
    for (int i = 0; i < int(std::size(stati)); ++i) {
        QAction* a = voci[i];
        bool abilita = stati[i].mostra;
        // Asked only when shown: asking makes the clipboard file or the journal.
        if (completo && abilita && i == VoceIncolla)
            abilita = griglia_.IsIncolla();
        if (completo && abilita && i == VoceAnnulla)
            abilita = griglia_.IsUndo();
        a->setVisible(stati[i].mostra);
        a->setEnabled(abilita);
        a->setProperty(aiuto::ProprietaContestoAiuto, stati[i].contesto);
        if (completo && a->menu())
            RiempiSottomenu(*a->menu(), i);
    }
}

void TDBGridPopupMenu::RiempiSottomenu(QMenu& sottomenu, int voce)
{
    sottomenu.clear();
    const TDBGridColumns& colonne = griglia_.Columns();
    for (int i = 0; i < colonne.Count(); ++i) {
        const TColumn& colonna = colonne[i];
        QAction* a = sottomenu.addAction(colonna.FieldName());
        // Keeps the name as typed: an ampersand in it is no accelerator.
        a->setText(QString(colonna.FieldName()).replace('&', "&&"));
        tabelle::TField* campo = colonna.Field();
        const bool lungo = campo && (campo->IsBlob() || campo->DataType() == tabelle::TFieldType::ftMemo);
        a->setVisible(colonna.Visible() && !lungo);
        a->setEnabled(colonna.Visible() && !lungo);
        const QString nome = colonna.FieldName();
        if (voce == VoceAdatta)
            connect(a, &QAction::triggered, this, [this, i] { griglia_.AdattaColonna(i); });
        else
            connect(a, &QAction::triggered, this,
                    [this, nome, voce] { OrdinaDaMenu(griglia_, nome, voce == VoceDecrescente); });
    }
}

void TDBGridPopupMenu::Esegui(int voce)
{
    // A shortcut taken while OptionMenu changed since the last refresh.
    static const QHash<int, O> opzioni{{VoceOriginale, O::opm_OrdOriginale}, {VoceTaglia, O::opm_Taglia},
                                        {VoceCopia, O::opm_Copia}, {VoceIncolla, O::opm_Incolla},
                                        {VoceElimina, O::opm_Elimina}, {VoceVisCampi, O::opm_VisCampi},
                                        {VoceAnnulla, O::opm_Annulla}, {VoceTrova, O::opm_Trova}};
    if (!opzioni.contains(voce) || !Ha(griglia_, opzioni.value(voce)))
        return;
    switch (voce) {
    case VoceOriginale: OrdinamentoOriginale(griglia_); break;
    case VoceTaglia: griglia_.Taglia(); break;
    case VoceCopia: griglia_.Copia(); break;
    case VoceIncolla: griglia_.Incolla(); break;
    case VoceElimina: griglia_.Elimina(); break;
    case VoceVisCampi: ScegliColonne(griglia_); break;
    case VoceAnnulla: griglia_.Annulla(); break;
    case VoceTrova: Trova(griglia_); break;
    default: break;
    }
}

void TDBGridPopupMenu::OrdinaDaMenu(TNewDBGrid& griglia, const QString& campo, bool discendente)
{
    const TOrdine d = discendente ? TOrdine::Down : TOrdine::Up;
    if (campo == griglia.CampoOrdine && griglia.Ordinamento == d)
        return;
    try {
        AttesaOrdinamento attesa(griglia.window());
        griglia.RegistraOrdinamento();
        griglia.Ordinamento = d;
        griglia.CampoOrdine = campo;
        griglia.ApplicaOrdinamento();
    } catch (const std::exception& e) {
        messaggi::MostraErrore(e);
    }
    griglia.Titoli().viewport()->update();
}

void TDBGridPopupMenu::OrdinamentoOriginale(TNewDBGrid& griglia)
{
    if (griglia.CampoOrdine == "ID_001_TABLE" && griglia.Ordinamento == TOrdine::Up)
        return;
    try {
        griglia.RegistraOrdinamento();
        griglia.Ordinamento = TOrdine::Up;
        griglia.CampoOrdine = "ID_001_TABLE";
        griglia.ApplicaOrdinamento();
    } catch (const std::exception& e) {
        messaggi::MostraErrore(e);
    }
    griglia.Titoli().viewport()->update();
}

QMenu* TDBGridPopupMenu::InserisciInMenu(QMenu* voce)
{
    if (!voce)
        return voce;
    static const QSet<QString> nostre(Didascalie().begin(), Didascalie().end());
    const QList<QAction*> figli = voce->actions();
    for (auto it = figli.crbegin(); it != figli.crend(); ++it) {
        QAction* a = *it;
        if (a->isSeparator() || nostre.contains(a->text())) {
            voce->removeAction(a);
            if (a->parent() == voce) {
                delete a->menu();
                delete a;
            }
        }
    }
    if (!voce->actions().isEmpty() && !voce->actions().constLast()->isSeparator())
        voce->addSeparator();
    unite_ = CreaVoci(*voce);
    // The grid takes the shortcuts while it has the focus; here they are shown.
    for (QAction* a : std::as_const(unite_))
        a->setShortcutContext(Qt::WidgetShortcut);
    AggiornaVoci(unite_, true);
    voceUnita_ = voce;
    // Qt menus chain handlers by themselves: the host's own handlers of the
    // opening stay connected.
    connect(voce, &QMenu::aboutToShow, this, &TDBGridPopupMenu::AbilitaUndo, Qt::UniqueConnection);
    voce->removeEventFilter(this);
    voce->installEventFilter(this);
    return voce;
}

void TDBGridPopupMenu::AbilitaUndo()
{
    if (!voceUnita_)
        return;
    const QList<QAction*> figli = voceUnita_->actions();
    const int inizio = figli.indexOf(unite_.value(0));
    if (inizio < 0 || inizio + Didascalie().size() > figli.size())
        return;
    AggiornaVoci(figli.mid(inizio, Didascalie().size()), true);
}

} // namespace gridkit
