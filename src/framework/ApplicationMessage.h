#pragma once
// The application's own messages and questions, with the application title as caption.

#include "framework/Messages.h"

#include <QString>

namespace vellum {

class ApplicationMessage {
public:
    static const QString Title;

    static void show(Messages &messages, const QString &text, MessageIcon icon = MessageIcon::Information);
    // A question with the buttons "&Yes|&No", Yes by default; true only when Yes is pressed.
    static bool askYesNo(Messages &messages, const QString &text);
};

} // namespace vellum
