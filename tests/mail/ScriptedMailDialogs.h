#pragma once
// Stands in for the user at the mail client's windows: the send dialog, the address book and the
// password prompt answer from queues, and each request is recorded. A window asked for without
// an answer queued is recorded as unexpected and cancelled.

#include "mail/MailDialogs.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace vellum::test {

class ScriptedMailDialogs final : public MailDialogs {
public:
    using Compose = std::function<ULONG(MapiMessage &)>;

    struct AddressRequest {
        QString caption;
        ULONG editFields = 0;
        QString labels;
        QList<MapiRecipDesc> recips;
    };

    void answerCompose(Compose edit);
    void answerAddress(ULONG result, const QList<MapiRecipDesc> &chosen);
    // nullopt cancels the prompt.
    void answerPassword(const std::optional<QString> &password);

    ULONG composeMessage(MapiMessage &message) override;
    ULONG address(const QString &caption, ULONG editFields, const QString &labels,
                  QList<MapiRecipDesc> &recips) override;
    bool askPassword(const PasswordRequest &request, QString &password) override;

    const QList<MapiMessage> &composed() const { return m_composed; }
    const QList<AddressRequest> &addressRequests() const { return m_addressRequests; }
    const QList<PasswordRequest> &passwordRequests() const { return m_passwordRequests; }

    // Windows asked for without an answer, and answers left over.
    QStringList failures() const;

private:
    QList<Compose> m_composeAnswers;
    QList<std::pair<ULONG, QList<MapiRecipDesc>>> m_addressAnswers;
    QList<std::optional<QString>> m_passwordAnswers;
    QList<MapiMessage> m_composed;
    QList<AddressRequest> m_addressRequests;
    QList<PasswordRequest> m_passwordRequests;
    QStringList m_unexpected;
};

} // namespace vellum::test
