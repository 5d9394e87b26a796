#pragma once
// "&Empty Log": every entry of the activity log goes without a question, a "ClnLog" entry of the
// current user notes it (whether or not logging is on), and today and now become the log's
// counting start in the configuration record (Sys:LastLogDate, Sys:LastLogTime).

#include "data/Workstation.h"
#include "framework/DateTime.h"

#include <cstdint>

namespace vellum {

class LogEmptier {
public:
    struct Outcome {
        std::int64_t removed = 0;
        bool noted = false;                 // the "ClnLog" entry was written
        bool countingStartStored = false;
        DateTime::DayTime countingStart;    // what was stored, when it was
    };

    explicit LogEmptier(Workstation &workstation);

    // Failures are shown and the emptying goes on: "Error Reading Log File",
    // "Unable to Update Log", "Unable to Update System Configuration(1)".
    Outcome empty();

private:
    std::int64_t removeEveryEntry();
    bool noteEmptying();
    bool storeCountingStart(DateTime::DayTime start);

    Workstation &m_workstation;
};

} // namespace vellum
