// Reports as the user prints them: Cancel in the options window runs nothing; an empty
// selection is told and no preview opens; a report with lines opens the preview on its pages.
// A timer plays the user at each modal window as it comes up.

#include "ReportDesk.h"

#include "reports/PrintOptionsWindow.h"
#include "reports/ReportPrinter.h"

#include "data/CaseRecord.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/widgets/ReportPreview.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

// Answers each options window with the given step and closes every preview, counting them.
class ModalUser : public QObject {
public:
    explicit ModalUser(std::function<void(PrintOptionsWindow &)> options) : m_options(std::move(options))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalUser::act);
        m_timer.start(10);
    }

    int previews() const { return m_previews; }
    int previewPages() const { return m_pages; }

private:
    void act()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *window = qobject_cast<PrintOptionsWindow *>(modal))
            m_options(*window);
        if (auto *preview = qobject_cast<ReportPreview *>(modal)) {
            ++m_previews;
            m_pages = int(preview->pagesToPrint().size());
            preview->reject();
        }
    }

    std::function<void(PrintOptionsWindow &)> m_options;
    QTimer m_timer;
    int m_previews = 0;
    int m_pages = 0;
};

} // namespace

class TestReportPrinter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cancelledOptionsRunNothing();
    void emptySelectionOpensNoPreview();
    void reportOpensThePreview();

private:
    std::unique_ptr<ReportDesk> m_desk;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{PrintDay, PrintTime};
    std::unique_ptr<Workstation> m_station;
};

void TestReportPrinter::init()
{
    m_desk = std::make_unique<ReportDesk>();
    for (const QString &name : {u"Admin"_s, u"Boss"_s}) {
        UserRecord user;
        user.IdNr = std::uint16_t(name.size());
        user.Name = name;
        m_desk->store(user);
    }
    for (std::uint32_t number = 1; number <= 3; ++number) {
        CaseRecord record;
        record.CaseNr = number;
        record.Owner = u"Admin"_s;
        record.Status = u"Active"_s;
        m_desk->store(record);
    }
    m_settings = std::make_unique<SettingsFile>(m_desk->folder() + u"/vellum12.ini"_s);
    m_station = std::make_unique<Workstation>(*m_settings, m_desk->messages(), m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    m_station->useDatabaseFolder(m_desk->folder());
}

void TestReportPrinter::cleanup()
{
    QVERIFY2(m_desk->messages().failures().isEmpty(), qPrintable(m_desk->messages().unexpected()));
    m_station.reset();
    m_desk.reset();
}

void TestReportPrinter::cancelledOptionsRunNothing()
{
    ModalUser user([](PrintOptionsWindow &window) {
        window.secondButton(2)->click();
        window.reject();
    });
    ReportPrinter(*m_station, nullptr).printList(ListReport::Cases);
    QCOMPARE(user.previews(), 0);
    QCOMPARE(m_desk->messages().shown().size(), 0);
    QCOMPARE(m_settings->readNumber(u"Config"_s, u"PrintOption2"_s), 2);
}

void TestReportPrinter::emptySelectionOpensNoPreview()
{
    m_desk->messages().expect(ReportRun::NothingSelected, ButtonOk);
    ModalUser user([](PrintOptionsWindow &window) {
        window.agentButton(2)->click();
        window.agentList()->setCurrentRow(1); // Boss owns no case
        window.accept();
    });
    ReportPrinter(*m_station, nullptr).printList(ListReport::Cases);
    QCOMPARE(user.previews(), 0);
    QCOMPARE(m_desk->messages().shown().size(), 1);
}

void TestReportPrinter::reportOpensThePreview()
{
    ModalUser user([](PrintOptionsWindow &window) { window.accept(); });
    ReportPrinter(*m_station, nullptr).printList(ListReport::Cases);
    QCOMPARE(user.previews(), 1);
    QCOMPARE(user.previewPages(), 1);
    ReportPrinter(*m_station, nullptr).printCase(CaseReportLayout::Source::CurrentCase, 2);
    QCOMPARE(user.previews(), 2);
    QCOMPARE(m_desk->messages().shown().size(), 0);
}

QTEST_MAIN(TestReportPrinter)
#include "TestReportPrinter.moc"
