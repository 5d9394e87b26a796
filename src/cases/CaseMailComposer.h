#pragma once
// The mail to a case's client as the notes window sends it: the note with the problem above it
// and the agent's signature below it, and the client's address, read from the client file and
// checked before anything is sent.

#include "data/CurrentUser.h"
#include "data/Workstation.h"
#include "framework/Messages.h"

#include <QString>

#include <optional>

namespace vellum {

// Where the mail goes, or the message that stops it.
struct CaseMailRecipient {
    QString address;
    QString name;
    std::optional<MessageRequest> refusal;
};

class CaseMailComposer {
public:
    static constexpr int MaxText = 1500;
    static constexpr int NameWidth = 20;
    static constexpr int PhoneWidth = 16;

    // The note as it is mailed and kept in the history, at most MaxText characters.
    static QString mailText(const QString &note, const QString &problem, bool addProblem, bool addSignature,
                            const CurrentUser &user);
    static QString problemBlock(const QString &problem);
    // Each part of the user's data only when there is one.
    static QString signature(const CurrentUser &user);

    // The message for an address the mail cannot go to; none for one that will do.
    static std::optional<QString> addressRefusal(const QString &address);
    // The client of the case by its short name.
    static CaseMailRecipient recipient(Workstation &workstation, const QString &shortName);
};

} // namespace vellum
