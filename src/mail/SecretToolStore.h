#pragma once
// The freedesktop Secret Service (the desktop's keyring) through its command-line client
// secret-tool: a password is filed under the application, protocol, server and user, and the
// keyring encrypts it and unlocks it with the desktop login.

#include "SecretStore.h"

#include <QStringList>

#include <memory>

namespace vellum {

class SecretToolStore final : public SecretStore {
public:
    explicit SecretToolStore(QString program);

    // The desktop's store, or null when the workstation has no secret-tool or no desktop session
    // bus to reach the keyring through.
    static std::unique_ptr<SecretStore> fromDesktop();

    std::optional<QString> lookup(const MailLogin &login) override;
    bool store(const MailLogin &login, const QString &password) override;
    bool clear(const MailLogin &login) override;

private:
    struct Outcome {
        bool ok = false;
        QByteArray output;
    };
    Outcome run(const QStringList &arguments, const QByteArray &input) const;
    static QStringList attributes(const MailLogin &login);

    QString m_program;
};

} // namespace vellum
