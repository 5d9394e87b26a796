#include "ScriptedMessages.h"

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

bool matches(const QString &fragment, const MessageRequest &request)
{
    return request.text.contains(fragment) || request.caption.contains(fragment);
}

QString describe(const MessageRequest &request)
{
    return u"[%1] \"%2\""_s.arg(request.caption, request.text);
}

} // namespace

void ScriptedMessages::expect(const QString &fragment, int answer)
{
    m_pending.append({fragment, answer});
}

int ScriptedMessages::show(const MessageRequest &request)
{
    m_shown.append(request);
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (!matches(m_pending[i].fragment, request))
            continue;
        const int answer = m_pending.takeAt(i).answer;
        if ((answer & request.buttons) == 0)
            m_failures.append(u"answer %1 is not a button of %2"_s.arg(answer).arg(describe(request)));
        return answer;
    }
    m_failures.append(u"unexpected message %1"_s.arg(describe(request)));
    return request.defaultButton;
}

void ScriptedMessages::beep()
{
    ++m_beeps;
}

const QList<MessageRequest> &ScriptedMessages::shown() const
{
    return m_shown;
}

int ScriptedMessages::beeps() const
{
    return m_beeps;
}

QStringList ScriptedMessages::failures() const
{
    QStringList failures = m_failures;
    for (const Expectation &expectation : m_pending)
        failures.append(u"expected message not shown: \"%1\""_s.arg(expectation.fragment));
    return failures;
}

QString ScriptedMessages::unexpected() const
{
    return failures().join(u'\n');
}

} // namespace vellum::test
