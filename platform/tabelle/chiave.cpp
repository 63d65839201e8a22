#include "tabelle/chiave.h"

#include <QCryptographicHash>
#include <QHash>
#include <QMessageAuthenticationCode>

namespace tabelle {
namespace {

// PBKDF2 with HMAC-SHA256, one block of 32 bytes.
QByteArray Pbkdf2(const QByteArray& password, const QByteArray& sale, int iterazioni)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    mac.addData(sale);
    mac.addData(QByteArray("\x00\x00\x00\x01", 4));
    QByteArray u = mac.result();
    QByteArray t = u;
    for (int i = 1; i < iterazioni; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (int j = 0; j < t.size(); ++j)
            t[j] = char(t[j] ^ u[j]);
    }
    return t;
}

} // namespace

QByteArray ChiaveGrezza(const QString& password)
{
    static QHash<QString, QByteArray> calcolate;
    auto it = calcolate.constFind(password);
    if (it != calcolate.constEnd())
        return *it;
    const QByteArray chiave = Pbkdf2(password.toUtf8(), QByteArrayLiteral("Tratte.tabelle.v1"), 20000);
    const QByteArray testo = "x'" + chiave.toHex() + "'";
    calcolate.insert(password, testo);
    return testo;
}

} // namespace tabelle
