#pragma once
// TAvvisoForm: the start-up notice ("Informazione"). Two suggestions: the
// preferences that select a comune at every start, and the help pages
// that show how the main operations are done. Its check box stops it
// from showing at the next starts.
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace tratte {

inline const QString TestoAvvisoPreferenze = QStringLiteral(
    "Per una maggiore comodità, in avvio di una sessione di lavoro è possibile\r\n"
    "VISUALIZZARE I DATI DI UN COMUNE DI DEFAULT settando le preferenze\r\n"
    "per provincia e comune iniziali. \r\n"
    "Per ottenere ciò, richiamare la finestra relativa dal menu \r\n"
    "                                   FILE -> PREFERENZE");
inline const QString TestoAvvisoAnimazioni = QStringLiteral(
    "Nell'aiuto in linea, attivabile con il tasto F1, sono presenti delle ANIMAZIONI\r\n"
    "che dimostrano l'uso delle operazioni di SCELTA DELLE PREFERENZE,\r\n"
    "INSERIMENTO DEI DATI PER LA RICERCA e CALCOLO DELLA TOLLERANZA");

class TAvvisoForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Larghezza = 514;
    static constexpr int Altezza = 230;

    explicit TAvvisoForm(QWidget* genitore = nullptr);

    // Controls.
    QLabel* IntestazionePanel;
    QFrame *Panel1, *Panel2;
    QLabel *Label1, *Label2;
    QCheckBox* VisualizzaCB;
    QPushButton* OKBt;

    // Handlers. Every click writes VisualizzaFinestra: "0" ticked, "1" cleared.
    void VisualizzaCBClick();

    void reject() override;
};

} // namespace tratte
