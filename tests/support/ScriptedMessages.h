#pragma once
// Stands in for the user at message boxes: records every message and answers from a queue of
// expectations. A message nobody expected, or an expectation never met, is a test failure.

#include "framework/Messages.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vellum::test {

class ScriptedMessages final : public Messages {
public:
    // The next message whose text or caption contains fragment gets answer (a MessageButton).
    void expect(const QString &fragment, int answer);

    int show(const MessageRequest &request) override;
    void beep() override;

    const QList<MessageRequest> &shown() const;
    int beeps() const;

    // Unexpected messages, answers the message did not offer, and expectations still pending.
    QStringList failures() const;
    QString unexpected() const; // the failures as one text, for QVERIFY2

private:
    struct Expectation {
        QString fragment;
        int answer;
    };

    QList<Expectation> m_pending;
    QList<MessageRequest> m_shown;
    QStringList m_failures;
    int m_beeps = 0;
};

} // namespace vellum::test
