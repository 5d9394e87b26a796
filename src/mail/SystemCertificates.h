#pragma once
// Secured mail connections trust the certificate authorities of the system's own bundle, as every
// other program on the workstation does, and those of the account's own file when it names one
// (a company's authority that the system does not know); the host name must match the server's
// certificate.

#include <vmime/security/cert/defaultCertificateVerifier.hpp>

#include <QString>

namespace vellum {

vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier> systemCertificateVerifier();
// authoritiesFile: PEM certificates trusted besides the system's; empty or unreadable adds none.
vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier>
certificateVerifier(const QString &authoritiesFile);

} // namespace vellum
