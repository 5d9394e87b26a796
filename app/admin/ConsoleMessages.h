#pragma once
// The message seam for the command line: messages go to standard error, and since nobody is
// there to answer, every question is answered as if the user had declined it.

#include "framework/Messages.h"

namespace vellum {

class ConsoleMessages final : public Messages {
public:
    int show(const MessageRequest &request) override;
    void beep() override {}
};

} // namespace vellum
