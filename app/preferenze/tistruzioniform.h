#pragma once
// TIstruzioniForm: the instructions shown after a completed update
// ("Avviso"): how to see the data just loaded. No behaviour of its own.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tratte {

inline const QString TestoIstruzioni = QStringLiteral(
    "Per visualizzare i dati caricati \r\n"
    "occorre selezionare una provincia ed un comune \r\n"
    "dalle apposite liste, presenti nella finestra principale,");
inline const QString TestoIstruzioniInvio = QStringLiteral("e confermare la scelta con il tasto INVIO (ENTER)");

class TIstruzioniForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Larghezza = 453;
    static constexpr int Altezza = 154;
    static constexpr int ContestoAiuto = 4;

    explicit TIstruzioniForm(QWidget* genitore = nullptr);

    // Controls.
    QLabel* IntestazionePanel;
    QFrame* Panel1;
    QLabel *Label1, *Label2;
    QPushButton* OKBt;

    void reject() override;
};

} // namespace tratte
