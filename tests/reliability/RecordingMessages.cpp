#include "RecordingMessages.h"

using namespace Qt::StringLiterals;

namespace vellum::test {

int RecordingMessages::show(const MessageRequest &request)
{
    m_shown.append(request.caption + u": "_s + request.text);
    for (const int answer : {ButtonNo, ButtonCancel})
        if (request.buttons & answer)
            return answer;
    return ButtonOk;
}

} // namespace vellum::test
