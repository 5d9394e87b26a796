#include "framework/ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString ApplicationMessage::Title = u"Quor Vellum 1.2"_s;

void ApplicationMessage::show(Messages &messages, const QString &text, MessageIcon icon)
{
    MessageRequest request;
    request.caption = Title;
    request.text = text;
    request.icon = icon;
    messages.show(request);
}

bool ApplicationMessage::askYesNo(Messages &messages, const QString &text)
{
    MessageRequest request;
    request.caption = Title;
    request.text = text;
    request.icon = MessageIcon::Question;
    request.buttons = ButtonYes | ButtonNo;
    request.defaultButton = ButtonYes;
    request.buttonTexts = {u"&Yes"_s, u"&No"_s};
    return messages.show(request) == ButtonYes;
}

} // namespace vellum
