#pragma once
// What a caller hands the send window: the six values it has always taken, and the case's new
// notes, which mode 1 sends as the text.

#include <QString>

#include <cstdint>

namespace vellum {

struct SendMailRequest {
    enum Mode { Blank = 0, SendAtOnce = 1 };

    std::uint32_t caseNumber = 0; // passed by the case form, not used
    QString subject;              // up to 70 characters
    QString address;              // the client's mail address, up to 100 characters
    QString name;                 // the client's name, up to 50 characters
    int unused = 0;
    int mode = Blank;
    QString caseNotes; // the case's new notes (SER:AddHistory), up to 1,500 characters
};

} // namespace vellum
