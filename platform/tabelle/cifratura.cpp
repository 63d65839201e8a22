#include "tabelle/cifratura.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

namespace tabelle {

namespace {

// What the storage engine asks of the library when it opens an encrypted
// file, once, on throw-away data: the page cipher, the page HMAC and the
// derivation of the HMAC key.
void Prepara()
{
    unsigned char chiave[32] = {}, sale[16] = {}, uscita[64] = {};
    PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(chiave), sizeof chiave, sale, sizeof sale, 2, EVP_sha512(), sizeof chiave, uscita);
    unsigned int lunghezza = 0;
    HMAC(EVP_sha512(), chiave, sizeof chiave, sale, sizeof sale, uscita, &lunghezza);
    if (EVP_CIPHER_CTX* cifra = EVP_CIPHER_CTX_new()) {
        int scritti = 0;
        if (EVP_CipherInit_ex(cifra, EVP_aes_256_cbc(), nullptr, chiave, sale, 1) == 1)
            EVP_CipherUpdate(cifra, uscita, &scritti, sale, sizeof sale);
        EVP_CIPHER_CTX_free(cifra);
    }
}

} // namespace

PreparazioneCifratura::PreparazioneCifratura() : lavoro_(Prepara) {}

PreparazioneCifratura::~PreparazioneCifratura()
{
    if (lavoro_.joinable())
        lavoro_.join();
}

} // namespace tabelle
