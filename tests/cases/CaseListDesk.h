#pragma once
// A workstation on a real case file in a temporary folder, for the case lists, the escalation
// monitor and the activity view. The clock stands on Monday 3 May 2004 at 9:06 until moved.

#include "cases/CaseFormOpener.h"
#include "cases/WarningPresenter.h"
#include "data/CaseRecord.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/DateTime.h"
#include "framework/SettingsFile.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace vellum::test {

inline const std::int32_t Today = DateTime::dayNumber(QDate(2004, 5, 3));

inline std::int32_t at(int hours, int minutes)
{
    return DateTime::fromHoursMinutes(hours, minutes);
}

// The case form as the lists open it: every request is noted.
class RecordingOpener final : public CaseFormOpener {
public:
    void openCaseForm(FormRequest request, std::uint32_t caseNr, QWidget *) override
    {
        opened.append({request, caseNr});
    }
    QList<std::pair<FormRequest, std::uint32_t>> opened;
};

// The warning window as a test answers it: every warning is noted and answered with `answer`.
class RecordingPresenter final : public WarningPresenter {
public:
    Choice present(const QString &text, std::uint32_t caseNr) override
    {
        shown.append({text, caseNr});
        if (duringShow)
            duringShow();
        return answer;
    }
    QList<std::pair<QString, std::uint32_t>> shown;
    Choice answer = Choice::Close;
    std::function<void()> duringShow;
};

class CaseListDesk {
public:
    CaseListDesk();

    Workstation &station() { return *m_station; }
    FixedClock &clock() { return m_clock; }
    ScriptedMessages &messages() { return m_messages; }
    SettingsFile &settings() { return *m_settings; }

    void logOn(const QString &name, int level);
    // An open case whose first level is due at `time` on `day`; the later levels are not in use.
    static CaseRecord openCase(std::uint32_t caseNr, const QString &owner, std::int32_t day, std::int32_t time);
    void store(const CaseRecord &record);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{Today, DateTime::fromHoursMinutes(9, 6)};
    std::unique_ptr<Workstation> m_station;
};

} // namespace vellum::test
