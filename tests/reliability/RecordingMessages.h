#pragma once
// Stands in for a user who declines: every message is recorded, and a question is answered
// No (or Cancel) so that a failed operation is not tried again behind the test's back.

#include "framework/Messages.h"

#include <QStringList>

namespace vellum::test {

class RecordingMessages final : public Messages {
public:
    int show(const MessageRequest &request) override;
    void beep() override {}

    // "caption: text" of each message since the last clear.
    const QStringList &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QStringList m_shown;
};

} // namespace vellum::test
