// "BrowsLog" on its own: the list in date order with its formats, the counters (counted after the
// window has shown itself) and the counting start, "&Empty Log" and its failures, the buttons a
// list without a form has.

#include "LogFixture.h"

#include "framework/BrowseModel.h"
#include "log/ActivityLogWindow.h"
#include "log/ActivityLogWriter.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::LogFixture;

namespace {

QStringList rowTexts(const BrowseModel &model, int row)
{
    QStringList texts;
    for (int column = 0; column < model.columnCount(); ++column)
        texts << model.data(model.index(row, column)).toString();
    return texts;
}

QList<QStringList> listed(const ActivityLogWindow &window)
{
    QList<QStringList> rows;
    for (int row = 0; row < window.model()->rowCount(); ++row)
        rows << rowTexts(*window.model(), row);
    return rows;
}

QString label(const QWidget &window, const QString &name)
{
    const auto *found = window.findChild<QLabel *>(name);
    return found ? found->text() : u"<no label %1>"_s.arg(name);
}

// Created, re-opened, on hold, closed, active; then the counting start's date and time.
QStringList shownCounters(const QWidget &window)
{
    QStringList texts;
    for (const QString &name :
         {u"created"_s, u"reOpened"_s, u"onHold"_s, u"closed"_s, u"active"_s, u"sinceDate"_s, u"sinceTime"_s})
        texts << label(window, name);
    return texts;
}

void addMixedLog(LogFixture &fixture)
{
    fixture.addEntries({u"Created"_s, u"On Hold"_s}, LogFixture::Today);
    fixture.addEntries({u"Created"_s, u"Closed"_s, u"Re-Open"_s}, LogFixture::Today - 2);
    fixture.addEntries({u"Active"_s, u"Logon"_s}, LogFixture::Today - 1);
}

} // namespace

class TestActivityLogWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void listsEntriesOldestFirst();
    void countsWhenItOpens();
    void showsItselfBeforeCounting();
    void buttons_data();
    void buttons();
    void emptyLogLeavesOnlyItsNote();
    void emptyLogOnlyWithEntries();
    void removalFailsAndTheEntriesStay();
    void withoutConfigurationRecord();
    void listColourFromTheSettings_data();
    void listColourFromTheSettings();

private:
    std::unique_ptr<LogFixture> m_fixture;
    std::unique_ptr<ActivityLogWindow> m_window;

    ActivityLogWindow &open(bool picking = false);
    ActivityLogWindow &openCounted();
};

void TestActivityLogWindow::cleanup()
{
    if (m_fixture)
        QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_window.reset();
    m_fixture.reset();
}

ActivityLogWindow &TestActivityLogWindow::open(bool picking)
{
    m_window = std::make_unique<ActivityLogWindow>(m_fixture->station());
    m_window->setSelectMode(picking);
    m_window->showBeside(nullptr);
    return *m_window;
}

ActivityLogWindow &TestActivityLogWindow::openCounted()
{
    ActivityLogWindow &window = open();
    [&] { QTRY_VERIFY(window.counters().complete()); }();
    return window;
}

void TestActivityLogWindow::listsEntriesOldestFirst()
{
    m_fixture = std::make_unique<LogFixture>();
    LogFixture &fixture = *m_fixture;
    fixture.addEntries({u"LogOut"_s}, LogFixture::Today);
    fixture.addEntriesDated({LogFixture::Today - 400});
    fixture.clock().set(LogFixture::Today, DateTime::fromHoursMinutes(17, 45));
    QVERIFY(ActivityLogWriter(fixture.station()).write(u"Created"_s, 42));
    QVERIFY(ActivityLogWriter(fixture.station()).writeAs(u"Server"_s, 0, u"Deleted"_s, 1234567));
    fixture.addEntriesDated({DateTime::NoDate});

    ActivityLogWindow &window = open();

    QVERIFY(window.isOpen());
    QCOMPARE(window.procedureName(), u"BrowsLog"_s);
    QVERIFY(window.personaliser() != nullptr);
    QStringList headers;
    for (int column = 0; column < window.model()->columnCount(); ++column)
        headers << window.model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{u"ID"_s, u"Name"_s, u"Case Nr"_s, u"Action"_s, u"Date"_s, u"Time"_s}));
    QCOMPARE(listed(window), (QList<QStringList>{
                                 {u"5"_s, u"Employee 1"_s, QString(), u"Logon"_s, QString(), u" 9:06"_s},
                                 {u"5"_s, u"Employee 1"_s, QString(), u"Logon"_s, u"30/03/03"_s, u" 9:06"_s},
                                 {u"5"_s, u"Employee 1"_s, u"000012"_s, u"LogOut"_s, u" 3/05/04"_s, u" 9:06"_s},
                                 {u"3"_s, u"Boss"_s, u"000042"_s, u"Created"_s, u" 3/05/04"_s, u"17:45"_s},
                                 {u"0"_s, u"Server"_s, u"1234567"_s, u"Deleted"_s, u" 3/05/04"_s, u"17:45"_s},
                             }));
}

void TestActivityLogWindow::countsWhenItOpens()
{
    m_fixture = std::make_unique<LogFixture>();
    m_fixture->configure([](SystemRecord &record) {
        record.LastLogDate = LogFixture::Today - 30;
        record.LastLogTime = DateTime::fromHoursMinutes(8, 5);
    });
    addMixedLog(*m_fixture);

    ActivityLogWindow &window = openCounted();

    QCOMPARE(shownCounters(window), (QStringList{u"2"_s, u"1"_s, u"1"_s, u"1"_s, u"4"_s, u" 3/04/04"_s, u" 8:05"_s}));
    QCOMPARE(label(window, u"createdCaption"_s), u"* Created"_s);
    QCOMPARE(label(window, u"reOpenedCaption"_s), u"* Re-Opened"_s);
    QCOMPARE(label(window, u"onHoldCaption"_s), u"On Hold"_s);
    QCOMPARE(label(window, u"closedCaption"_s), u"Closed"_s);
    QCOMPARE(label(window, u"activeCaption"_s), u" Active"_s);
    QCOMPARE(label(window, u"countingSince"_s), u"Counting Since :"_s);
}

// The list and the counting start are there at once; the counts follow once the log is counted.
void TestActivityLogWindow::showsItselfBeforeCounting()
{
    m_fixture = std::make_unique<LogFixture>();
    m_fixture->configure([](SystemRecord &record) {
        record.LastLogDate = LogFixture::Today;
        record.LastLogTime = LogFixture::Now;
    });
    m_fixture->addEntries(QStringList(2 * ActivityLogCounters::PageRows + 1, u"Created"_s));

    ActivityLogWindow &window = open();

    QVERIFY(window.isVisible());
    QCOMPARE(window.model()->rowCount(), window.model()->pageSize());
    QVERIFY(!window.counters().complete());
    QCOMPARE(shownCounters(window), (QStringList{{}, {}, {}, {}, {}, u" 3/05/04"_s, u" 9:06"_s}));
    QTRY_VERIFY(window.counters().complete());
    const QString all = QString::number(2 * ActivityLogCounters::PageRows + 1);
    QCOMPARE(shownCounters(window), (QStringList{all, u"0"_s, u"0"_s, u"0"_s, all, u" 3/05/04"_s, u" 9:06"_s}));
}

void TestActivityLogWindow::buttons_data()
{
    QTest::addColumn<bool>("picking");
    QTest::addColumn<QStringList>("shown");

    // Entries are never edited, and the log report comes with the reports.
    QTest::newRow("looking") << false << QStringList{u"&Close"_s, u"&Empty Log"_s, u"&Help"_s};
    QTest::newRow("picking") << true << QStringList{u"&Close"_s, u"&Empty Log"_s, u"&Help"_s, u"&Select"_s};
}

void TestActivityLogWindow::buttons()
{
    QFETCH(bool, picking);
    m_fixture = std::make_unique<LogFixture>();
    addMixedLog(*m_fixture);

    ActivityLogWindow &window = open(picking);

    QStringList shown;
    for (const QPushButton *button : window.findChildren<QPushButton *>())
        if (button->isVisibleTo(&window))
            shown << button->text();
    shown.sort();
    QTEST(shown, "shown");
    QCOMPARE(window.button(BrowseList::SelectButton)->isEnabled(), picking);
    QCOMPARE(window.helpTopic(), u"Activity Log"_s);
}

// With logging off as well: the log keeps the trace of its own emptying.
void TestActivityLogWindow::emptyLogLeavesOnlyItsNote()
{
    m_fixture = std::make_unique<LogFixture>();
    LogFixture &fixture = *m_fixture;
    fixture.configure([](SystemRecord &record) { record.DoLog = 0; });
    addMixedLog(fixture);
    ActivityLogWindow &window = openCounted();
    QVERIFY(window.emptyButton()->isEnabled());
    fixture.clock().advance(120);

    QTest::mouseClick(window.emptyButton(), Qt::LeftButton);

    QCOMPARE(listed(window),
             (QList<QStringList>{{u"3"_s, u"Boss"_s, QString(), u"ClnLog"_s, u" 3/05/04"_s, u" 9:08"_s}}));
    QCOMPARE(shownCounters(window), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u" 3/05/04"_s, u" 9:08"_s}));
    QVERIFY(window.emptyButton()->isEnabled());
    QCOMPARE(fixture.actions(), QStringList{u"ClnLog"_s});
    QCOMPARE(fixture.storedConfiguration().LastLogTime, DateTime::fromHoursMinutes(9, 8));
    QVERIFY(fixture.messages().shown().isEmpty());

    // Counted again, the note is no case event either.
    window.refreshAll();
    QTRY_VERIFY(window.counters().complete());
    QCOMPARE(shownCounters(window).mid(0, 5), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
}

void TestActivityLogWindow::emptyLogOnlyWithEntries()
{
    m_fixture = std::make_unique<LogFixture>();

    ActivityLogWindow &window = openCounted();

    QVERIFY(window.model()->isEmpty());
    QVERIFY(!window.emptyButton()->isEnabled());
    QCOMPARE(shownCounters(window).mid(0, 5), (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
    QCOMPARE(label(window, u"sinceDate"_s), QString());
}

// The entries stay, counted as before, and so does the button for them.
void TestActivityLogWindow::removalFailsAndTheEntriesStay()
{
    m_fixture = std::make_unique<LogFixture>();
    addMixedLog(*m_fixture);
    m_fixture->reopenWithReadOnlyLog();
    ActivityLogWindow &window = openCounted();
    m_fixture->messages().expect(u"Record was not deleted"_s, ButtonOk);

    window.emptyLog();

    QVERIFY(window.emptyButton()->isEnabled());
    QCOMPARE(window.model()->rowCount(), 7);
    QTRY_VERIFY(window.counters().complete());
    QCOMPARE(shownCounters(window), (QStringList{u"2"_s, u"1"_s, u"1"_s, u"1"_s, u"4"_s, QString(), QString()}));
    QCOMPARE(m_fixture->storedConfiguration().LastLogDate, DateTime::NoDate);
}

void TestActivityLogWindow::withoutConfigurationRecord()
{
    m_fixture = std::make_unique<LogFixture>();
    addMixedLog(*m_fixture);
    m_fixture->removeConfiguration();
    m_fixture->messages().expect(u"System : No Configuration Record (sys.tps) Available"_s, ButtonOk);

    ActivityLogWindow &window = openCounted();

    QVERIFY(window.isOpen());
    QCOMPARE(window.model()->rowCount(), 7);
    QCOMPARE(shownCounters(window), (QStringList{u"2"_s, u"1"_s, u"1"_s, u"1"_s, u"4"_s, QString(), QString()}));
    QCOMPARE(m_fixture->messages().shown().constFirst().caption, u"Quor Vellum 1.2"_s);
}

void TestActivityLogWindow::listColourFromTheSettings_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("none stored") << QString() << QColor(244, 254, 197);
    QTest::newRow("0 stored") << u"0"_s << QColor(244, 254, 197);
    QTest::newRow("blue stored") << u"16711680"_s << QColor(0, 0, 255);
}

void TestActivityLogWindow::listColourFromTheSettings()
{
    QFETCH(QString, stored);
    QFETCH(QColor, colour);
    m_fixture = std::make_unique<LogFixture>();
    if (!stored.isEmpty())
        m_fixture->settings().writeText(u"Config"_s, u"Color"_s, stored);

    ActivityLogWindow &window = open();

    QCOMPARE(window.view()->palette().color(QPalette::Base), colour);
}

QTEST_MAIN(TestActivityLogWindow)
#include "TestActivityLogWindow.moc"
