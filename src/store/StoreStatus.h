#pragma once
// The outcome of a store operation. The code says what happened in the record layer's terms;
// the error and file-error numbers and texts are what %ErrorCode, %ErrorText and %FileError show.

#include <QString>

namespace vellum::store {

enum class StoreCode {
    Ok,
    NoRecord,       // a fetch or walk found nothing
    Duplicate,      // a unique key already holds the value
    ChangedByOther, // the watch: the record changed (or went) since it was read
    Busy,           // another workstation holds the file past the time-out
    AccessDenied,   // no write access: the file or its folder is read-only
    FileMissing,    // the file does not exist
    CreateFailed,   // a missing file could not be created
    InvalidKeys,    // the keys do not match their declaration and must be rebuilt
    LayoutMismatch, // the stored layout is not the program's
    Corrupt,        // not a record file, or damaged
    ReadOnly,       // a write to a file opened read-only
    NotOpen,        // the file was never opened on this connection
    Failed,         // anything else
};

struct [[nodiscard]] StoreStatus {
    StoreCode code = StoreCode::Ok;
    int errorCode = 0;     // the engine's own number
    QString errorText;     // the engine's own text
    int fileErrorCode = 0; // the operating system's number when the file system failed, else 0
    QString fileErrorText;

    bool ok() const { return code == StoreCode::Ok; }
    explicit operator bool() const { return ok(); }

    static StoreStatus success() { return {}; }
    static StoreStatus failure(StoreCode code, QString text, int errorCode = 0)
    {
        StoreStatus status;
        status.code = code;
        status.errorCode = errorCode;
        status.errorText = std::move(text);
        return status;
    }
    // The row asked for by its identity is not (or no longer) in the file.
    static StoreStatus recordGone()
    {
        return failure(StoreCode::NoRecord, QStringLiteral("the record is no longer in the file"));
    }
};

} // namespace vellum::store
