#include "shell/MessageBoxMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <utility>

namespace vellum {

namespace {

constexpr std::array<std::pair<MessageButton, QMessageBox::StandardButton>, 4> ButtonOrder{{
    {ButtonOk, QMessageBox::Ok},
    {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},
    {ButtonCancel, QMessageBox::Cancel},
}};

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Error:
        break;
    }
    return QMessageBox::Critical;
}

int escapeAnswer(int buttons)
{
    for (const int answer : {ButtonCancel, ButtonNo, ButtonOk})
        if (buttons & answer)
            return answer;
    return ButtonOk;
}

} // namespace

MessageBoxMessages::MessageBoxMessages(QWidget *parent) : m_parent(parent)
{
}

int MessageBoxMessages::show(const MessageRequest &request)
{
    // A request without any button still needs a way to close the box.
    const int known = ButtonOk | ButtonYes | ButtonNo | ButtonCancel;
    const int buttons = (request.buttons & known) ? request.buttons : ButtonOk;
    QMessageBox box(iconOf(request.icon), request.caption, request.text, QMessageBox::NoButton, m_parent);
    qsizetype captionIndex = 0;
    for (const auto &[answer, standard] : ButtonOrder) {
        if (!(buttons & answer))
            continue;
        QAbstractButton *button = box.addButton(standard);
        if (captionIndex < request.buttonTexts.size())
            button->setText(request.buttonTexts.at(captionIndex));
        ++captionIndex;
        if (answer == request.defaultButton)
            box.setDefaultButton(standard);
        if (answer == escapeAnswer(buttons))
            box.setEscapeButton(button);
    }
    box.exec();
    for (const auto &[answer, standard] : ButtonOrder)
        if (box.clickedButton() == box.button(standard))
            return answer;
    return escapeAnswer(buttons);
}

void MessageBoxMessages::beep()
{
    QApplication::beep();
}

} // namespace vellum
