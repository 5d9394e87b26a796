#pragma once
// A database folder with the seams a report runs on, records stored through the store, and a
// finished report read back from its PDF as pdftotext lays it out.

#include "reports/ReportRun.h"

#include "framework/Clock.h"
#include "framework/DateTime.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordLayout.h"
#include "store/Database.h"
#include "support/ScriptedMessages.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vellum::test {

inline const std::int32_t PrintDay = DateTime::dayNumber(QDate(2004, 5, 3));
inline const std::int32_t PrintTime = DateTime::fromHoursMinutes(9, 6);

// Options as an options window hands them over; id is the product and the client id.
PrintOptions chosen(int agentChoice, const QString &agent, int second, const QString &id = {});

class ReportDesk {
public:
    ReportDesk();

    QString folder() const { return m_dir.path(); }
    ScriptedMessages &messages() { return m_messages; }
    ReportRun::Context context() { return {*m_database, m_errors, m_messages, m_clock}; }

    template<typename R>
    void store(const R &record)
    {
        storeRow(R::table(), toRow(record));
    }
    // Opens (creates) the record file of the table without a record in it.
    void createEmpty(const store::TableDefinition &table);

    // The run's pages as text, one entry per PDF page.
    QStringList pdfPages(const ReportRun &run);

private:
    void storeRow(const store::TableDefinition &table, const store::Row &row);

    QTemporaryDir m_dir;
    ScriptedMessages m_messages;
    ErrorReporter m_errors;
    FixedClock m_clock{PrintDay, PrintTime};
    std::unique_ptr<store::Database> m_database;
};

} // namespace vellum::test
