#include "data/PasswordHash.h"

#include <sodium.h>

#include <algorithm>
#include <array>

namespace vellum::PasswordHash {

namespace {

bool minimumLimits = false;

bool libraryReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

QString make(const QString &password)
{
    if (!libraryReady())
        return {};
    const QByteArray text = password.toUtf8();
    const auto operations = minimumLimits ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
    const auto memory = minimumLimits ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
    std::array<char, crypto_pwhash_STRBYTES> hash{};
    if (crypto_pwhash_str(hash.data(), text.constData(), static_cast<unsigned long long>(text.size()), operations,
                          memory)
        != 0)
        return {};
    return QString::fromLatin1(hash.data());
}

bool matches(const QString &hash, const QString &password)
{
    // The library reads the hash as a buffer of its full size.
    std::array<char, crypto_pwhash_STRBYTES> stored{};
    const QByteArray latin = hash.toLatin1();
    if (hash.isEmpty() || latin.size() >= qsizetype(stored.size()) || !libraryReady())
        return false;
    std::copy(latin.begin(), latin.end(), stored.begin());
    const QByteArray text = password.toUtf8();
    return crypto_pwhash_str_verify(stored.data(), text.constData(), static_cast<unsigned long long>(text.size())) == 0;
}

void useMinimumLimits()
{
    minimumLimits = true;
}

} // namespace vellum::PasswordHash
