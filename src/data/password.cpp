#include "password.h"
#include <sodium.h>
#include <stdexcept>

namespace password {
namespace {
void init()
{
    static const bool ok = sodium_init() >= 0;
    if (!ok) throw std::runtime_error("libsodium");
}
}

QString hash(const QString &plain)
{
    init();
    const QByteArray p = plain.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, p.constData(), p.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("out of memory hashing a password");
    return QString::fromLatin1(out);
}

bool verify(const QString &stored, const QString &typed)
{
    init();
    const QByteArray s = stored.toLatin1();
    const QByteArray t = typed.toUtf8();
    if (s.isEmpty() || s.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_verify(s.constData(), t.constData(), t.size()) == 0;
}
}
