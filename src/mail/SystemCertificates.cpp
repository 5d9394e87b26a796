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

QByteArray systemBundle()
{
    for (const QString &path : {u"/etc/ssl/certs/ca-certificates.crt"_s, u"/etc/pki/tls/certs/ca-bundle.crt"_s}) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return {};
}

std::vector<vmime::shared_ptr<X509Certificate>> certificatesIn(const QByteArray &bundle)
{
    static const QByteArray End = "-----END CERTIFICATE-----";
    std::vector<vmime::shared_ptr<X509Certificate>> certificates;
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

} // namespace

vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier> systemCertificateVerifier()
{
    static const auto verifier = [] {
        auto created = vmime::make_shared<vmime::security::cert::defaultCertificateVerifier>();
        created->setX509RootCAs(certificatesIn(systemBundle()));
        return created;
    }();
    return verifier;
}

} // namespace vellum
