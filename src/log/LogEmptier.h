#pragma once
// "&Empty Log": every entry of the activity log goes without a question, a "ClnLog" entry of the
// current user notes it (whether or not logging is on), and today and now become the log's
// counting start in the configuration record (Sys:LastLogDate, Sys:LastLogTime).

#include "data/Workstation.h"
#include "framework/DateTime.h"
#include "store/ChunkedRemoval.h"

#include <cstdint>

namespace vellum {

class LogEmptier {
public:
    struct Outcome {
        bool emptied = false;     // every entry was removed
        std::int64_t removed = 0; // also those removed before a failure
        bool noted = false;       // the "ClnLog" entry was written
        bool countingStartStored = false;
        DateTime::DayTime countingStart; // what was stored, when it was
    };

    // The entries go in transactions of chunkRows each.
    explicit LogEmptier(Workstation &workstation, std::int64_t chunkRows = store::ChunkedRemoval::DefaultChunkRows);

    // The entries go in short transactions. A removal that fails is reported with the record
    // layer's message (a transaction could not be started, or the entries could not be deleted)
    // and ends the emptying there: entries stay, so no "ClnLog" note and no new counting start
    // claim otherwise. Later
    // failures are shown and the emptying goes on: "Unable to Update Log",
    // "Unable to Update System Configuration(1)".
    Outcome empty();

private:
    bool removeEveryEntry(std::int64_t *removed);
    bool noteEmptying();
    bool storeCountingStart(DateTime::DayTime start);

    Workstation &m_workstation;
    std::int64_t m_chunkRows;
};

} // namespace vellum
