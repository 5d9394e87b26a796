#pragma once
// The message seam: every message box of the application goes through it, so that tests can
// read each caption, text and icon and answer in place of the user.

#include <QString>
#include <QStringList>

namespace vellum {

// Bit values as the error layer combines them: Yes/No/Cancel is 70.
enum MessageButton { ButtonOk = 1, ButtonYes = 2, ButtonNo = 4, ButtonCancel = 64 };

enum class MessageIcon { Information, Exclamation, Question, Error };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    int buttons = ButtonOk;
    int defaultButton = ButtonOk;
    QStringList buttonTexts; // own button captions ("&Yes", "&No"); empty for the standard ones
};

class Messages {
public:
    virtual ~Messages() = default;

    // Shows the message and returns the button pressed.
    virtual int show(const MessageRequest &request) = 0;
    virtual void beep() = 0;
};

} // namespace vellum
