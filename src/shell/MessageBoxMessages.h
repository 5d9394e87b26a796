#pragma once
// The message seam on screen: every message becomes a modal QMessageBox.

#include "framework/Messages.h"

class QWidget;

namespace vellum {

class MessageBoxMessages final : public Messages {
public:
    explicit MessageBoxMessages(QWidget *parent = nullptr);

    // Buttons appear in the order Ok, Yes, No, Cancel; buttonTexts, when given, caption them in
    // that order. Closing the box with Escape answers Cancel, else No, else Ok.
    int show(const MessageRequest &request) override;
    void beep() override;

    void setParent(QWidget *parent) { m_parent = parent; }

private:
    QWidget *m_parent;
};

} // namespace vellum
