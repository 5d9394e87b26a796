#pragma once
// "ImportError.log" beside the import file: one line per rejected import line, dated, appended.
// A log that cannot be written is told once per import (the file system's reason); the import
// goes on without it.

#include <QString>

namespace vellum {

class Clock;
class Messages;

class ImportErrorLog {
public:
    static const QString FileName;
    static const QString DoubleKey;
    static const QString NoCsvRecord;

    ImportErrorLog(const QString &folder, const Clock &clock, Messages &messages);

    // "03/05/2004 - 09:06:00 - Error :" + reason padded to 32 [+ " - " + detail], at most 255 characters.
    QString line(const QString &reason, const QString &detail = {}) const;
    void append(const QString &reason, const QString &detail = {});

private:
    QString m_path;
    const Clock &m_clock;
    Messages &m_messages;
    bool m_told = false;
};

} // namespace vellum
