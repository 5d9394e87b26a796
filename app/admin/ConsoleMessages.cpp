#include "ConsoleMessages.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace vellum {

int ConsoleMessages::show(const MessageRequest &request)
{
    QTextStream(stderr) << request.caption << u": "_s << request.text << u'\n';
    for (const int answer : {ButtonCancel, ButtonNo, ButtonOk})
        if (request.buttons & answer)
            return answer;
    return ButtonOk;
}

} // namespace vellum
