#pragma once
// The application's own messages: the application title as caption and a single OK button.

#include "framework/Messages.h"

#include <QString>

namespace vellum {

class ApplicationMessage {
public:
    static const QString Title;

    static void show(Messages &messages, const QString &text, MessageIcon icon = MessageIcon::Information);
};

} // namespace vellum
