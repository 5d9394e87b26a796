#include "SystemCertificates.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <vmime/exception.hpp>
#include <vmime/security/cert/X509Certificate.hpp>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using vmime::security::cert::X509Certificate;

using Certificates = std::vector<vmime::shared_ptr<X509Certificate>>;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray systemBundle()
{
    for (const QString &path : {u"/etc/ssl/certs/ca-certificates.crt"_s, u"/etc/pki/tls/certs/ca-bundle.crt"_s}) {
        if (QByteArray bundle = contentsOf(path); !bundle.isEmpty())
            return bundle;
    }
    return {};
}

Certificates certificatesIn(const QByteArray &bundle)
{
    static const QByteArray End = "-----END CERTIFICATE-----";
    Certificates certificates;
    qsizetype start = 0;
    for (qsizetype end = bundle.indexOf(End, start); end >= 0; end = bundle.indexOf(End, start)) {
        const QByteArray pem = bundle.mid(start, end + End.size() - start);
        start = end + End.size();
        try {
            if (auto certificate = X509Certificate::import(reinterpret_cast<const vmime::byte_t *>(pem.constData()),
                                                           static_cast<size_t>(pem.size())))
                certificates.push_back(certificate);
        } catch (const vmime::exception &) {
            // A damaged entry of the bundle leaves the others trusted.
        }
    }
    return certificates;
}

// Read once for the run: the bundle holds well over a hundred certificates.
const Certificates &systemAuthorities()
{
    static const Certificates authorities = certificatesIn(systemBundle());
    return authorities;
}

vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier> verifierOf(const Certificates &authorities)
{
    auto created = vmime::make_shared<vmime::security::cert::defaultCertificateVerifier>();
    created->setX509RootCAs(authorities);
    return created;
}

} // namespace

vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier> systemCertificateVerifier()
{
    static const auto verifier = verifierOf(systemAuthorities());
    return verifier;
}

vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier> certificateVerifier(const QString &authoritiesFile)
{
    if (authoritiesFile.isEmpty())
        return systemCertificateVerifier();
    Certificates authorities = systemAuthorities();
    for (auto &certificate : certificatesIn(contentsOf(authoritiesFile)))
        authorities.push_back(std::move(certificate));
    return verifierOf(authorities);
}

} // namespace vellum
