#pragma once
// The mail windows' messages: the mail result tables give no text for success.

#include "framework/Messages.h"

#include <QString>

namespace vellum {

class MailMessage {
public:
    // An application message whose empty text shows nothing; mail results warn by default.
    static void show(Messages &messages, const QString &text, MessageIcon icon = MessageIcon::Exclamation);
};

} // namespace vellum
