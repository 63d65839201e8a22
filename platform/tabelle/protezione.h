#pragma once
// The table password: a protected table is an encrypted file whose key is
// derived from the password.
#include <QString>

namespace tabelle {

class TSession;

// Gives the table file its password (an empty password removes it). The
// table is rewritten aside and moved into place, so a failure leaves it as
// it was. The table must not be in use; the session must be able to open it.
void ImpostaPasswordTabella(TSession& sessione, const QString& percorso, const QString& password);

} // namespace tabelle
