#pragma once
// What the case form shows and allows after a lifecycle step: the window applies it to its
// controls, shows the messages in order and tells the activity view's lists a new marker.

#include "framework/ApplicationMessage.h"
#include "framework/Messages.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace vellum {

// The "Done" box of one escalation level.
struct EscalationBox {
    bool visible = false;
    bool enabled = false;
    bool checked = false;
    friend bool operator==(const EscalationBox &, const EscalationBox &) = default;
};

struct CaseFormState {
    QString title;
    QString status; // what the status choice shows
    bool statusVisible = false;
    bool statusEnabled = false;
    bool priorityEnabled = false; // a new case's priority choice follows the priority rules instead
    bool yankVisible = false;     // the "&Yank Case" button and the "&Yank" menu item
    bool yankEnabled = false;
    bool notesEnabled = false;      // the note, call and mail buttons and their menu items
    bool escalationVisible = false; // the deadline fields
    std::array<EscalationBox, 3> done;
    friend bool operator==(const CaseFormState &, const CaseFormState &) = default;
};

// The outcome of one step.
struct CaseStep {
    bool done = false; // false: refused or cancelled, the case is as it was
    QList<MessageRequest> messages;
    CaseFormState form;
    std::optional<std::uint16_t> listMarker; // the marker the activity view's lists get for the case
    bool beep = false;
    bool historyFull = false; // the history is full and an entry was cut: messages hold the text to show

    // A message box with the application title, an information icon and OK.
    static MessageRequest message(const QString &text)
    {
        MessageRequest request;
        request.caption = ApplicationMessage::Title;
        request.text = text;
        return request;
    }

    // The message when an entry was kept only as far as the full case history holds it. A step
    // never waits for room: the case can still be closed, re-opened, yanked, assigned and marked.
    static const QString &historyFullText()
    {
        static const QString text =
            QStringLiteral("The case history is full: the newest entry was kept only as far as it fits.");
        return text;
    }

    // The window tells the user; the step stands.
    void reportHistoryFull()
    {
        historyFull = true;
        messages.append(message(historyFullText()));
    }

    // The beep first, then the messages in order.
    void tell(Messages &to) const
    {
        if (beep)
            to.beep();
        for (const MessageRequest &shown : messages)
            to.show(shown);
    }
};

// How the notes window closed.
struct NoteOutcome {
    enum class Kind { Confirmed, Cancelled, MailNotSent };
    Kind kind = Kind::Cancelled;
    QString note;        // Confirmed: the text typed
    QString mailAddress; // an outgoing mail: where it went

    static NoteOutcome confirmed(const QString &note, const QString &mailAddress = {})
    {
        return {Kind::Confirmed, note, mailAddress};
    }
    static NoteOutcome cancelled() { return {}; }
    static NoteOutcome mailNotSent() { return {Kind::MailNotSent, {}, {}}; }
};

} // namespace vellum
