#pragma once
// The enhanced grid's hook on the close query of the window it sits in:
// before the window handles its close event, the hook runs its action
// (hide the title hint, save a changed layout). The window's own handling
// runs after it, as before.
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace gridkit {

class GancioChiusura : public QObject {
    Q_OBJECT
public:
    // `azione` runs at every close event of `finestra`; the hook belongs to `proprietario`.
    GancioChiusura(QWidget& finestra, std::function<void()> azione, QObject* proprietario);
    ~GancioChiusura() override;

    QWidget* Finestra() const { return finestra_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QPointer<QWidget> finestra_;
    std::function<void()> azione_;
};

} // namespace gridkit
