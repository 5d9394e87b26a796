#pragma once
// The passwords of the account's mail servers. A password is never written to the settings
// file: with a desktop secret store it is kept there (encrypted by the keyring) once a server
// has accepted it; without one it is kept in memory for this run only and asked for again in
// the next. A password that a server refuses is forgotten, so that the next attempt asks anew.

#include "SecretStore.h"

#include <QHash>
#include <QString>

#include <memory>
#include <optional>

namespace vellum {

class MailDialogs;

class MailPasswords {
public:
    // store may be null: passwords then last for the run.
    MailPasswords(MailDialogs &dialogs, std::unique_ptr<SecretStore> store);
    ~MailPasswords();
    MailPasswords(const MailPasswords &) = delete;
    MailPasswords &operator=(const MailPasswords &) = delete;

    bool keepsBetweenRuns() const { return m_store != nullptr; }

    // Known from this run, else from the secret store, else asked; nullopt when the user cancels.
    std::optional<QString> password(const MailLogin &login);
    // A password given in advance (at logon), used without asking.
    void provide(const MailLogin &login, const QString &password);

    void accepted(const MailLogin &login);
    void refused(const MailLogin &login);

private:
    struct Known {
        QString password;
        bool inStore = false;
    };
    static QString keyOf(const MailLogin &login);

    MailDialogs &m_dialogs;
    std::unique_ptr<SecretStore> m_store;
    QHash<QString, Known> m_known;
};

} // namespace vellum
