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
    // Those whose caption is neither an error table's title nor the application's own.
    const QStringList &unknown() const { return m_unknown; }
    void clear();

private:
    QStringList m_shown;
    QStringList m_unknown;
};

} // namespace vellum::test
