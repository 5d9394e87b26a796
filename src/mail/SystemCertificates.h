#pragma once
// Secured mail connections trust the certificate authorities of the system's own bundle, as every
// other program on the workstation does; the host name must match the server's certificate.

#include <vmime/security/cert/defaultCertificateVerifier.hpp>

namespace vellum {

vmime::shared_ptr<vmime::security::cert::defaultCertificateVerifier> systemCertificateVerifier();

} // namespace vellum
