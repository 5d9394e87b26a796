#pragma once
// Where mail passwords outlive the run: the desktop's secret store. A workstation without one
// keeps passwords only in memory (MailPasswords).

#include <QString>

#include <optional>

namespace vellum {

struct MailLogin {
    QString protocol; // "smtp", "imap", "pop3"
    QString host;
    QString user;

    friend bool operator==(const MailLogin &, const MailLogin &) = default;
};

class SecretStore {
public:
    virtual ~SecretStore() = default;

    virtual std::optional<QString> lookup(const MailLogin &login) = 0;
    virtual bool store(const MailLogin &login, const QString &password) = 0;
    virtual bool clear(const MailLogin &login) = 0;
};

} // namespace vellum
