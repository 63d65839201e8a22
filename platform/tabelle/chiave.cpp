#include "tabelle/chiave.h"

#include "tabelle/errore.h"

#include <QHash>
#include <openssl/evp.h>

namespace tabelle {
namespace {

// PBKDF2 with HMAC-SHA256, one block of 32 bytes. OpenSSL's (the library
// the storage engine encrypts with) takes a few milliseconds where a loop
// of Qt's HMAC took 40, paid by every start of the program and of each
// tratte-cli command.
QByteArray Pbkdf2(const QByteArray& password, const QByteArray& sale, int iterazioni)
{
    QByteArray chiave(32, Qt::Uninitialized);
    if (PKCS5_PBKDF2_HMAC(password.constData(), int(password.size()), reinterpret_cast<const unsigned char*>(sale.constData()),
                          int(sale.size()), iterazioni, EVP_sha256(), int(chiave.size()),
                          reinterpret_cast<unsigned char*>(chiave.data())) != 1)
        throw EDBEngineError(QStringLiteral("Impossibile ricavare la chiave delle tabelle protette."));
    return chiave;
}

QHash<QString, QByteArray>& Calcolate()
{
    static QHash<QString, QByteArray> calcolate;
    return calcolate;
}

} // namespace

QByteArray DerivaChiaveGrezza(const QString& password)
{
    return "x'" + Pbkdf2(password.toUtf8(), QByteArrayLiteral("Tratte.tabelle.v1"), 20000).toHex() + "'";
}

QByteArray ChiaveGrezza(const QString& password)
{
    auto it = Calcolate().constFind(password);
    if (it != Calcolate().constEnd())
        return *it;
    const QByteArray testo = DerivaChiaveGrezza(password);
    Calcolate().insert(password, testo);
    return testo;
}

void RicordaChiaveGrezza(const QString& password, const QByteArray& chiaveGrezza) { Calcolate().insert(password, chiaveGrezza); }

} // namespace tabelle
