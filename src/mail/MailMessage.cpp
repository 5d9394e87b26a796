#include "MailMessage.h"

#include "framework/ApplicationMessage.h"

namespace vellum {

void MailMessage::show(Messages &messages, const QString &text, MessageIcon icon)
{
    if (!text.isEmpty())
        ApplicationMessage::show(messages, text, icon);
}

} // namespace vellum
