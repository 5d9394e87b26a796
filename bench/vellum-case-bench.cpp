// vellum-case-bench: the case form opening a stored case whose history is full (8,000
// characters), offscreen, as "name: value unit".
//   --runs N   openings measured (default 20); the figure is their mean

#include "cases/CaseForm.h"
#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/Workstation.h"
#include "framework/Clock.h"
#include "framework/DateTime.h"
#include "framework/RecordFile.h"
#include "framework/SettingsFile.h"
#include "store/Database.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::bench;

namespace {

constexpr std::uint32_t CaseNr = 12;
constexpr qsizetype HistoryLength = 8000;

CaseRecord storedCase()
{
    CaseRecord record = CaseRecord::primed();
    record.CaseNr = CaseNr;
    record.Owner = u"Marta"_s;
    record.Status = CaseVocabulary::Active;
    record.Priority = CaseVocabulary::Medium;
    record.SDate = DateTime::dayNumber(QDate(2004, 5, 1));
    record.STime = DateTime::fromHoursMinutes(8, 0);
    record.FirstAction = record.SecAction = record.ThirdAction = CaseVocabulary::Open;
    const QString line = u"Review Note:  1/05/04 -  8:00 by Agent Marta               \r\nCalled back.\r\n\r\n"_s;
    while (record.History.size() < HistoryLength)
        record.History += line;
    record.History.truncate(HistoryLength);
    return record;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = numberOption(application.arguments(), u"--runs"_s, 20);
    QTemporaryDir folder;
    if (!folder.isValid() || runs < 1)
        return 1;
    SettingsFile settings(folder.filePath(u"vellum12.ini"_s));
    PrintingMessages messages;
    NoDialogs dialogs;
    FixedClock clock(DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::fromHoursMinutes(9, 6));
    Workstation station(settings, messages, dialogs, clock, [](int id) { die(u"fatal error %1"_s.arg(id)); });
    station.useDatabaseFolder(folder.path());
    station.user().name = u"Marta"_s;
    RecordFileOf<CaseRecord> cases(station.database(), station.errors());
    if (cases.open() != 0)
        die(u"the case file did not open"_s);
    if (const store::StoreStatus stored = station.database().insert(CaseRecord::table(), toRow(storedCase())); !stored)
        die(u"the case was not stored"_s, stored);

    double total = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        CaseForm form(station, CaseNr);
        if (!form.open(ChangeRequest))
            die(u"the case form did not open"_s);
        QApplication::processEvents();
        total += elapsedMs(timer);
        form.cancelButton()->click();
    }
    figure("case_form_open_ms", total / runs, "ms");
    return 0;
}
