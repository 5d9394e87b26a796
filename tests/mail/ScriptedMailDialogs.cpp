#include "ScriptedMailDialogs.h"

using namespace Qt::StringLiterals;

namespace vellum::test {

void ScriptedMailDialogs::answerCompose(Compose edit)
{
    m_composeAnswers.append(std::move(edit));
}

void ScriptedMailDialogs::answerAddress(ULONG result, const QList<MapiRecipDesc> &chosen)
{
    m_addressAnswers.append({result, chosen});
}

void ScriptedMailDialogs::answerPassword(const std::optional<QString> &password)
{
    m_passwordAnswers.append(password);
}

ULONG ScriptedMailDialogs::composeMessage(MapiMessage &message)
{
    m_composed.append(message);
    if (m_composeAnswers.isEmpty()) {
        m_unexpected.append(u"send dialog"_s);
        return MAPI_USER_ABORT;
    }
    return m_composeAnswers.takeFirst()(message);
}

ULONG ScriptedMailDialogs::address(const QString &caption, ULONG editFields, const QString &labels,
                                   QList<MapiRecipDesc> &recips)
{
    m_addressRequests.append({caption, editFields, labels, recips});
    if (m_addressAnswers.isEmpty()) {
        m_unexpected.append(u"address book"_s);
        return MAPI_USER_ABORT;
    }
    const auto [result, chosen] = m_addressAnswers.takeFirst();
    if (result == SUCCESS_SUCCESS)
        recips = chosen;
    return result;
}

bool ScriptedMailDialogs::askPassword(const PasswordRequest &request, QString &password)
{
    m_passwordRequests.append(request);
    if (m_passwordAnswers.isEmpty()) {
        m_unexpected.append(u"password prompt for %1"_s.arg(request.user));
        return false;
    }
    const std::optional<QString> answer = m_passwordAnswers.takeFirst();
    if (answer)
        password = *answer;
    return answer.has_value();
}

QStringList ScriptedMailDialogs::failures() const
{
    QStringList failures = m_unexpected;
    if (!m_composeAnswers.isEmpty())
        failures.append(u"%1 send dialog answers left"_s.arg(m_composeAnswers.size()));
    if (!m_addressAnswers.isEmpty())
        failures.append(u"%1 address book answers left"_s.arg(m_addressAnswers.size()));
    if (!m_passwordAnswers.isEmpty())
        failures.append(u"%1 password answers left"_s.arg(m_passwordAnswers.size()));
    return failures;
}

} // namespace vellum::test
