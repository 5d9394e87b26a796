#include "CertificateAuthority.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

constexpr int OpensslTimeoutMs = 30'000;
const QString Curve = u"ec_paramgen_curve:prime256v1"_s;

} // namespace

CertificateAuthority::CertificateAuthority(const QString &folder) : m_folder(folder)
{
    QFile extensions(path(u"server.ext"_s));
    if (!extensions.open(QIODevice::WriteOnly)
        || extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n"
                            "extendedKeyUsage=serverAuth\n")
               < 0) {
        m_errors = u"cannot write %1"_s.arg(extensions.fileName());
        return;
    }
    extensions.close();
    const bool made =
        openssl({u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, Curve, u"-nodes"_s, u"-days"_s, u"2"_s,
                 u"-subj"_s, u"/CN=Vellum Test Authority"_s, u"-addext"_s, u"basicConstraints=critical,CA:TRUE"_s,
                 u"-addext"_s, u"keyUsage=critical,keyCertSign,cRLSign"_s, u"-keyout"_s, path(u"authority.key"_s),
                 u"-out"_s, authorityFile()})
        && openssl({u"req"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, Curve, u"-nodes"_s, u"-subj"_s, u"/CN=localhost"_s,
                    u"-keyout"_s, serverKeyFile(), u"-out"_s, path(u"server.csr"_s)})
        && openssl({u"x509"_s, u"-req"_s, u"-in"_s, path(u"server.csr"_s), u"-CA"_s, authorityFile(), u"-CAkey"_s,
                    path(u"authority.key"_s), u"-CAcreateserial"_s, u"-days"_s, u"2"_s, u"-extfile"_s,
                    extensions.fileName(), u"-out"_s, serverCertificateFile()});
    if (made && !QFile::setPermissions(serverKeyFile(), QFile::ReadOwner | QFile::WriteOwner))
        m_errors = u"cannot protect %1"_s.arg(serverKeyFile());
}

QString CertificateAuthority::authorityFile() const
{
    return path(u"authority.pem"_s);
}

QString CertificateAuthority::serverCertificateFile() const
{
    return path(u"server.pem"_s);
}

QString CertificateAuthority::serverKeyFile() const
{
    return path(u"server.key"_s);
}

bool CertificateAuthority::openssl(const QStringList &arguments)
{
    QProcess process;
    process.start(u"openssl"_s, arguments);
    if (!process.waitForFinished(OpensslTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        m_errors = u"openssl %1 failed: %2 %3"_s.arg(arguments.first(), process.errorString(),
                                                     QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    }
    return true;
}

QString CertificateAuthority::path(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

} // namespace vellum::test
