#include "RecordingMessages.h"

#include "framework/ApplicationMessage.h"
#include "framework/ErrorTable.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

bool knownCaption(const QString &caption)
{
    const auto titled = [&caption](const ErrorRow &row) { return row.title == caption; };
    return caption == ApplicationMessage::Title || std::ranges::any_of(errorTable(), titled)
           || std::ranges::any_of(ownErrorRows(), titled);
}

} // namespace

void RecordingMessages::clear()
{
    m_shown.clear();
    m_unknown.clear();
}

int RecordingMessages::show(const MessageRequest &request)
{
    m_shown.append(request.caption + u": "_s + request.text);
    if (!knownCaption(request.caption))
        m_unknown.append(m_shown.last());
    for (const int answer : {ButtonNo, ButtonCancel})
        if (request.buttons & answer)
            return answer;
    return ButtonOk;
}

} // namespace vellum::test
