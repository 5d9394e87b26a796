#pragma once
// Real case, knowledge-base and log files in a temporary folder, and workstations that each open
// a case form (CaseWorkflow) and a case queue (CaseQueueSteps) on their own case file.
// Entries are written on Monday 3 May 2004 at 9:06. Case 12 was created on 1 May at 8:00.

#include "cases/CaseQueueSteps.h"
#include "cases/CaseWorkflow.h"
#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"
#include "framework/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

namespace vellum::test {

inline const std::int32_t Today = DateTime::dayNumber(QDate(2004, 5, 3));
inline const std::int32_t Now = DateTime::fromHoursMinutes(9, 6);
inline const QString CrLf = QStringLiteral("\r\n");
inline const QString Creation = QStringLiteral("Case CREATED :  1/05/04 -  8:00  by Agent Marta");
inline constexpr std::uint32_t CaseNr = 12;

using CaseVocabulary::Active;
using CaseVocabulary::Closed;
using CaseVocabulary::OnHold;
namespace Marker = CaseVocabulary::Marker;

// One workstation with its case file, and the form's and the queue's steps on it.
struct Desk {
    std::unique_ptr<Workstation> station;
    std::unique_ptr<RecordFileOf<CaseRecord>> cases;
    std::unique_ptr<CaseWorkflow> flow;
    std::unique_ptr<CaseQueueSteps> queue;

    CaseRecord &record() { return cases->record(); }
};

// Case 12 as stored: its creation line, every level open, closed on 30 April when "Closed".
CaseRecord storedCase(const QString &owner, const QString &status,
                      std::uint16_t marker = CaseVocabulary::Marker::NothingNew);
// A name as the entries pad it.
QString padded(const QString &name);

// A test class derives from it and calls setUpDesks() in init() and tearDownDesks() in cleanup().
class CaseDesks {
protected:
    void setUpDesks();
    void tearDownDesks();

    std::unique_ptr<Desk> desk(const QString &name, int level, int doLog = 1);
    void store(const CaseRecord &record);
    void archive(std::uint32_t caseNr);
    void archive(const ArchiveRecord &record);
    CaseRecord read(std::uint32_t caseNr);
    // The knowledge-base copy; case number 0 when there is none.
    ArchiveRecord archived(std::uint32_t caseNr);
    QList<std::uint32_t> caseNumbers();
    // Each entry as action/case number, in the order written.
    QStringList logActions();
    QString folder() const { return m_dir->path(); }
    ScriptedMessages &messages() { return *m_messages; }
    ScriptedDialogs &dialogs() { return m_dialogs; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<ScriptedMessages> m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, Now};
    std::unique_ptr<Desk> m_setup; // the files as the tests prepare and read them
};

} // namespace vellum::test
