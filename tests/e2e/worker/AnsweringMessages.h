#pragma once
// The worker has no user: every message is written to stderr, so the test can show it, and
// answered Yes (a question offering Yes) or with its default button.

#include "framework/Messages.h"

#include <cstdio>

namespace vellum::test {

class AnsweringMessages final : public Messages {
public:
    int show(const MessageRequest &request) override
    {
        ++m_shown;
        const int answer = (request.buttons & ButtonYes) ? int(ButtonYes) : request.defaultButton;
        std::fprintf(stderr, "message [%s] %s -> %d\n", qPrintable(request.caption), qPrintable(request.text), answer);
        return answer;
    }
    void beep() override {}
    int shown() const { return m_shown; }

private:
    int m_shown = 0;
};

} // namespace vellum::test
