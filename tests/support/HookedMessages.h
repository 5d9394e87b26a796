#pragma once
// Lets a test act at the moment a message is shown, as another workstation would meanwhile; the
// answers come from a script. A question repeated without end would hang the test: past a few
// messages every question is answered No.

#include "ScriptedMessages.h"

#include <functional>

namespace vellum::test {

class HookedMessages final : public Messages {
public:
    explicit HookedMessages(ScriptedMessages &script) : m_script(script) {}

    // The action runs once, before the first message whose text contains fragment is answered.
    void onMessage(const QString &fragment, std::function<void()> action);

    int show(const MessageRequest &request) override;
    void beep() override { m_script.beep(); }

private:
    static constexpr qsizetype MostMessages = 10;
    ScriptedMessages &m_script;
    QString m_fragment;
    std::function<void()> m_action;
};

} // namespace vellum::test
