#pragma once
// A certificate authority of a test's own, made with the openssl command in a folder of the
// test: its certificate (which a workstation may be told to trust) and a server certificate it
// signed for 127.0.0.1 and localhost, with that server's key.

#include <QString>

namespace vellum::test {

class CertificateAuthority {
public:
    explicit CertificateAuthority(const QString &folder);

    // Empty when the certificates were made, else what went wrong.
    const QString &errors() const { return m_errors; }

    QString authorityFile() const;
    QString serverCertificateFile() const;
    QString serverKeyFile() const;

private:
    bool openssl(const QStringList &arguments);
    QString path(const QString &name) const;

    QString m_folder;
    QString m_errors;
};

} // namespace vellum::test
