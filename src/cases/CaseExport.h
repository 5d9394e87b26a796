#pragma once
// Writes every case of the case file to one CSV file, a line per case in record order (case
// number 0 is no case and is skipped), each ended by CR LF, without a header. The window drives
// the process through its progress window; the admin command runs it to the end.

#include "data/CaseRecord.h"
#include "framework/ProgressProcess.h"
#include "framework/RecordFile.h"

#include <QFile>
#include <QString>

namespace vellum {

class Clock;
class Messages;

class CaseExport {
public:
    static const QString FileName;
    static const QString HeldMessage;
    static const QString WriteFailedMessage; // %1: the file system's reason

    CaseExport(store::Database &database, ErrorReporter &errors, const Clock &clock, Messages &messages,
               const QString &path);

    // Creates the file, or empties it; false, and the user told, when that fails.
    bool open();
    ProgressProcess &process() { return m_process; }
    // Closes the file once the process has ended. True only when every case is in it: a cancelled
    // or failed export, or one whose file could not be written (the user told), is not done, and
    // its file is removed, so that no partial file passes for an export.
    bool finish();
    std::int64_t linesWritten() const { return m_lines; }

private:
    bool writeCase(const CaseRecord &record);
    void reportWriteFailure();

    RecordFileOf<CaseRecord> m_cases;
    ProgressProcess m_process;
    Messages &m_messages;
    QFile m_file;
    bool m_writeFailed = false;
    std::int64_t m_lines = 0;
};

} // namespace vellum
