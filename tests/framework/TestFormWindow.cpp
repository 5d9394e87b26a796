// The shell every record form shares: placement kept per procedure, the procedure name in the
// error context while open, a delete answered without the window, the controls bound to the
// record's fields and limited to what they store, Ctrl+' putting back the value of the last OK,
// Enter and Escape, half typed times and dates kept with a message, a remembered place kept in
// sight, a title not cut, and a modal run that returns the response.

#include "RecordStation.h"

#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "framework/widgets/FormWindow.h"

#include "support/SetUpStep.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::RecordStation;

namespace {

const QString Procedure = u"UpdateThing"_s;

// A user form as a later window would configure it.
class ThingForm final : public FormWindow {
public:
    explicit ThingForm(FileRelations &users, SettingsFile &settings) : FormWindow(Procedure, users, settings)
    {
        name->setObjectName(u"name"_s);
        setCaptions(u"Adding a Thing"_s, u"Changing a Thing"_s);
        addField(u"Name"_s, name);
        addField(u"Password"_s, password);
        addField(u"Email"_s, email);
        bindings().text(UserRecord::Col::Name, name);
        bindings().text(UserRecord::Col::Position, password);
        bindings().text(UserRecord::Col::Email, email);
    }

    QLineEdit *name = new QLineEdit;
    QLineEdit *password = new QLineEdit;
    QLineEdit *email = new QLineEdit;
};

// An activity-log entry with its date and time, as a form with date and time entries shows it.
class EntryForm final : public FormWindow {
public:
    explicit EntryForm(FileRelations &log, SettingsFile &settings) : FormWindow(u"UpdateEntry"_s, log, settings)
    {
        date->setDisplayFormat(u"dd.MM.yyyy"_s);
        addField(u"&Name:"_s, name);
        addField(u"Date:"_s, date);
        addField(u"Time :"_s, time);
        bindings().text(LogRecord::Col::Name, name);
        bindings().date(LogRecord::Col::ActionDate, date);
        bindings().time(LogRecord::Col::ActionTime, time);
    }

    QLineEdit *name = new QLineEdit;
    QDateEdit *date = new QDateEdit;
    QLineEdit *time = new QLineEdit;
};

struct UserFile {
    explicit UserFile(Workstation &station) : users(station.database(), station.errors(), false), relations(users, {})
    {
        test::setUpStep(relations.open(), "open the user file");
    }

    void read(const QString &name)
    {
        users.record().Name = name;
        QCOMPARE(users.fetch(UserRecord::KeyName), 0);
    }

    RecordFileOf<UserRecord> users;
    FileRelations relations;
};

} // namespace

class TestFormWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensAsLastClosed_data();
    void opensAsLastClosed();
    void restoredInsideVisibleArea_data();
    void restoredInsideVisibleArea();
    void titleNotCut();
    void procedureNamedWhileOpen();
    void deleteAnsweredWithoutWindow();
    void entriesHoldTheirFieldsWidth();
    void bindingsCarryValuesBothWays_data();
    void bindingsCarryValuesBothWays();
    void historyKeyPutsBackLastOkValue();
    void enterAndEscape_data();
    void enterAndEscape();
    void halfTypedEntryKeepsFocus_data();
    void halfTypedEntryKeepsFocus();
    void timeEntryTakesOnlyTimes_data();
    void timeEntryTakesOnlyTimes();
    void emptyKeyFieldNamedByItsLabel();
    void modalRunReturnsResponse();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordStation> m_station;
};

void TestFormWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_station = std::make_unique<RecordStation>(m_dir->path(), u"station"_s);
    m_station->addUserWithText(u"Anna"_s, u"pass"_s);
    m_station->addUserWithText(u"Boris"_s, u"word"_s);
}

void TestFormWindow::cleanup()
{
    QVERIFY2(m_station->messages().failures().isEmpty(), qPrintable(m_station->messages().unexpected()));
    m_station.reset();
    m_dir.reset();
}

void TestFormWindow::opensAsLastClosed_data()
{
    QTest::addColumn<bool>("closedMaximized");
    QTest::addColumn<QString>("stored"); // "Maximize" after the second close
    QTest::newRow("normal") << false << u"No"_s;
    QTest::newRow("maximized") << true << u"Yes"_s;
}

// A form is not resizable: its position is kept, its size is not.
void TestFormWindow::opensAsLastClosed()
{
    QFETCH(bool, closedMaximized);
    QFETCH(QString, stored);
    UserFile file(m_station->station());
    SettingsFile &settings = m_station->settings();
    QPoint designedPosition;
    {
        file.read(u"Anna"_s);
        ThingForm first(file.relations, settings);
        QVERIFY(first.open(ChangeRequest));
        QVERIFY(!first.isMaximized());
        QVERIFY(!settings.contains(Procedure, u"Maximize"_s));
        designedPosition = first.pos();
        if (closedMaximized)
            first.showMaximized();
        else
            first.move(designedPosition + QPoint(40, 30));
        QVERIFY(first.close());
    }
    QCOMPARE(settings.readText(Procedure, u"Maximize"_s), stored);
    QCOMPARE(settings.contains(Procedure, u"XPos"_s), !closedMaximized);
    QVERIFY(!settings.contains(Procedure, u"Width"_s));

    file.read(u"Anna"_s);
    ThingForm again(file.relations, settings);
    QVERIFY(again.open(ChangeRequest));

    QCOMPARE(again.isMaximized(), closedMaximized);
    if (!closedMaximized)
        QCOMPARE(again.pos(), designedPosition + QPoint(40, 30));
    QVERIFY(again.close());
}

void TestFormWindow::restoredInsideVisibleArea_data()
{
    QTest::addColumn<bool>("child"); // in the frame's work area, or a window of its own
    QTest::newRow("child of a smaller work area") << true;
    QTest::newRow("own window off the screen") << false;
}

// Remembered where the frame was larger (or on another screen): OK and Cancel stay in sight.
void TestFormWindow::restoredInsideVisibleArea()
{
    QFETCH(bool, child);
    SettingsFile &settings = m_station->settings();
    settings.writeText(Procedure, u"Maximize"_s, u"No"_s);
    settings.writeNumber(Procedure, u"XPos"_s, 5000);
    settings.writeNumber(Procedure, u"YPos"_s, 4000);
    QMdiArea area;
    area.resize(500, 400);
    area.show();
    UserFile file(m_station->station());
    file.read(u"Anna"_s);
    ThingForm form(file.relations, settings);

    QVERIFY(form.open(ChangeRequest, child ? &area : nullptr));

    QWidget *placed = form.placedWindow();
    const QRect visible = child ? area.viewport()->rect() : placed->screen()->availableGeometry();
    QVERIFY2(visible.contains(QRect(placed->pos(), placed->size())),
             qPrintable(u"%1,%2 %3x%4"_s.arg(placed->x()).arg(placed->y()).arg(placed->width()).arg(placed->height())));
    QVERIFY(placed->width() > 100 && placed->height() > 50);
    QVERIFY(form.close());
}

// A form of three short entries is still as wide as its title bar needs.
void TestFormWindow::titleNotCut()
{
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    UserFile file(m_station->station());
    QCOMPARE(file.users.primeRecord(), 0);
    ThingForm form(file.relations, m_station->settings());
    form.setCaptions(u"Adding a User Record of a Rather Long Kind"_s, {});
    QVERIFY(form.open(InsertRequest, &area));
    auto *child = qobject_cast<QMdiSubWindow *>(form.placedWindow());
    QVERIFY(child != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(child));

    QStyleOptionTitleBar option;
    option.initFrom(child);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = child->windowFlags();
    option.rect = QRect(0, 0, child->width(), child->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, child));
    const QRect label = child->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, child);
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    QVERIFY(QFontMetrics(font).horizontalAdvance(child->windowTitle()) <= label.width());
    form.reject();
}

void TestFormWindow::procedureNamedWhileOpen()
{
    UserFile file(m_station->station());
    file.read(u"Anna"_s);
    ErrorReporter &errors = m_station->station().errors();
    auto *form = new ThingForm(file.relations, m_station->settings());
    QSignalSpy finished(form, &ProcedureWindow::finished);

    QVERIFY(form->open(ChangeRequest));

    QCOMPARE(form->windowTitle(), u"Changing a Thing"_s);
    QCOMPARE(errors.currentProcedure(), Procedure);
    QCOMPARE(form->name->text(), u"Anna"_s);
    form->okButton()->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    QVERIFY(!form->isVisible());
    QCOMPARE(errors.currentProcedure(), QString());
    delete form;
}

void TestFormWindow::deleteAnsweredWithoutWindow()
{
    UserFile file(m_station->station());
    file.read(u"Boris"_s);
    ThingForm form(file.relations, m_station->settings());
    QSignalSpy finished(&form, &ProcedureWindow::finished);
    m_station->messages().expect(u"Confirm Delete"_s, ButtonYes);

    QVERIFY(!form.open(DeleteRequest));

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    QVERIFY(!form.isVisible());
    QCOMPARE(m_station->userCount(), 1);
    QCOMPARE(m_station->station().errors().currentProcedure(), QString());
}

void TestFormWindow::entriesHoldTheirFieldsWidth()
{
    UserFile file(m_station->station());
    ThingForm form(file.relations, m_station->settings());

    QCOMPARE(form.name->maxLength(), 20);
    QCOMPARE(form.email->maxLength(), 99); // a CSTRING of 100 keeps one byte for its end
}

void TestFormWindow::bindingsCarryValuesBothWays_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qlonglong>("number");
    QTest::addColumn<QString>("shown"); // what the control shows for the number

    const qlonglong may3 = DateTime::dayNumber(QDate(2004, 5, 3));
    QTest::newRow("date") << int(LogRecord::Col::ActionDate) << u"date"_s << may3 << u"03.05.2004"_s;
    QTest::newRow("no date") << int(LogRecord::Col::ActionDate) << u"date"_s << 0LL << u" "_s;
    QTest::newRow("time") << int(LogRecord::Col::ActionTime) << u"time"_s << qlonglong(DateTime::fromHoursMinutes(9, 6))
                          << u"09:06"_s;
    QTest::newRow("no time") << int(LogRecord::Col::ActionTime) << u"time"_s << 0LL << QString();
    QTest::newRow("number") << int(LogRecord::Col::CaseNr) << u"number"_s << 4711LL << u"4711"_s;
    QTest::newRow("check on") << int(LogRecord::Col::ID) << u"check"_s << 1LL << u"on"_s;
    QTest::newRow("check off") << int(LogRecord::Col::ID) << u"check"_s << 0LL << u"off"_s;
}

void TestFormWindow::bindingsCarryValuesBothWays()
{
    QFETCH(int, field);
    QFETCH(QString, kind);
    QFETCH(qlonglong, number);
    QFETCH(QString, shown);
    FieldBindings bindings(LogRecord::table());
    QDateEdit date;
    date.setDisplayFormat(u"dd.MM.yyyy"_s);
    QLineEdit time;
    QSpinBox spin;
    spin.setMaximum(1000000);
    QCheckBox check;
    std::function<QString()> text;
    if (kind == u"date"_s) {
        bindings.date(field, &date);
        text = [&date] { return date.text(); };
    } else if (kind == u"time"_s) {
        bindings.time(field, &time);
        text = [&time] { return time.text(); };
    } else if (kind == u"number"_s) {
        bindings.number(field, &spin);
        text = [&spin] { return spin.text(); };
    } else {
        bindings.check(field, &check);
        text = [&check] { return check.isChecked() ? u"on"_s : u"off"_s; };
    }
    store::Row row = toRow(LogRecord{});
    row[std::size_t(field)] = std::int64_t(number);

    bindings.show(row);
    store::Row stored = toRow(LogRecord{});
    bindings.store(&stored);

    QCOMPARE(text(), shown);
    QCOMPARE(stored, row);
}

// The first OK fails on a name another user has; Ctrl+' brings the typed name back.
void TestFormWindow::historyKeyPutsBackLastOkValue()
{
    UserFile file(m_station->station());
    QCOMPARE(file.users.primeRecord(), 0);
    ThingForm form(file.relations, m_station->settings());
    QVERIFY(form.open(InsertRequest));
    QCOMPARE(form.windowTitle(), u"Adding a Thing"_s);
    QTest::keyClick(form.name, Qt::Key_Apostrophe, Qt::ControlModifier);
    QCOMPARE(form.name->text(), QString());
    QTest::keyClicks(form.name, u"Anna"_s);
    m_station->messages().expect(u"Duplicate Key Error"_s, ButtonOk);
    form.okButton()->click();
    QVERIFY(form.isVisible());
    form.name->setText(u"Carla"_s);
    form.password->setText(u"other"_s);

    QTest::keyClick(form.name, Qt::Key_Apostrophe, Qt::ControlModifier);

    QCOMPARE(form.name->text(), u"Anna"_s);
    QCOMPARE(form.password->text(), u"other"_s);
    form.name->setText(u"Carla"_s);
    form.okButton()->click();
    QCOMPARE(form.response(), int(RequestCompleted));
    QCOMPARE(m_station->storedUser(u"Carla"_s).Position, u"other"_s);
}

void TestFormWindow::enterAndEscape_data()
{
    QTest::addColumn<QString>("focus"); // the control the key is pressed in
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("password"); // typed first; empty types nothing
    QTest::addColumn<int>("response");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Enter in an entry saves")
        << u"email"_s << int(Qt::Key_Return) << u"new"_s << int(RequestCompleted) << u"new"_s;
    QTest::newRow("keypad Enter saves") << u"name"_s << int(Qt::Key_Enter) << u"new"_s << int(RequestCompleted)
                                        << u"new"_s;
    QTest::newRow("Enter on Cancel cancels")
        << u"cancel"_s << int(Qt::Key_Return) << QString() << int(RequestCancelled) << u"pass"_s;
    QTest::newRow("Escape cancels") << u"name"_s << int(Qt::Key_Escape) << QString() << int(RequestCancelled)
                                    << u"pass"_s;
    QTest::newRow("Escape on a change asks")
        << u"email"_s << int(Qt::Key_Escape) << u"new"_s << int(RequestCancelled) << u"pass"_s;
}

// OK is the default button: Enter presses it, unless another button has the focus.
void TestFormWindow::enterAndEscape()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, password);
    QFETCH(int, response);
    QFETCH(QString, stored);
    UserFile file(m_station->station());
    file.read(u"Anna"_s);
    ThingForm form(file.relations, m_station->settings());
    QSignalSpy finished(&form, &ProcedureWindow::finished);
    QVERIFY(form.open(ChangeRequest));
    QVERIFY(form.okButton()->isDefault());
    form.password->setText(password.isEmpty() ? u"pass"_s : password);
    if (key == Qt::Key_Escape && !password.isEmpty())
        m_station->messages().expect(u"Save Record"_s, ButtonNo);
    QWidget *control = focus == u"email"_s ? form.email : form.name;
    if (focus == u"cancel"_s)
        control = form.cancelButton();
    control->setFocus();

    QTest::keyClick(control, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), response);
    QCOMPARE(m_station->storedUser(u"Anna"_s).Position, stored);
}

void TestFormWindow::halfTypedEntryKeepsFocus_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("how"); // how the user goes on: "ok", "enter", "tab"
    QTest::addColumn<QString>("message");
    const QString time = u"Range Error: The value of Time must be between 0:00 and 23:59."_s;
    const QString date = u"Range Error: The value of Date must be between 01.01.1801 and 31.12.9999."_s;
    QTest::newRow("time, OK") << u"time"_s << u"ok"_s << time;
    QTest::newRow("time, Enter") << u"time"_s << u"enter"_s << time;
    QTest::newRow("time, Tab") << u"time"_s << u"tab"_s << time;
    QTest::newRow("date, OK") << u"date"_s << u"ok"_s << date;
    QTest::newRow("date, Enter") << u"date"_s << u"enter"_s << date;
    QTest::newRow("date, Tab") << u"date"_s << u"tab"_s << date;
}

// "9:" waits for its minutes; a date without its year is no date: neither is stored as nothing.
void TestFormWindow::halfTypedEntryKeepsFocus()
{
    QFETCH(QString, entry);
    QFETCH(QString, how);
    QFETCH(QString, message);
    m_station->addLogEntries(1, {u"Anna"_s});
    Workstation &station = m_station->station();
    RecordFileOf<LogRecord> log(station.database(), station.errors());
    FileRelations relations(log, {});
    QCOMPARE(relations.open(), 0);
    log.record().Nr = 1;
    QCOMPARE(log.fetch(LogRecord::KeyNr), 0);
    const LogRecord before = log.record();
    EntryForm form(relations, m_station->settings());
    QVERIFY(form.open(ChangeRequest));
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QWidget *control = entry == u"time"_s ? static_cast<QWidget *>(form.time) : form.date;
    control->setFocus();
    if (entry == u"time"_s) {
        form.time->clear();
        QTest::keyClicks(form.time, u"9:"_s);
    } else {
        QTest::keyClick(form.date, Qt::Key_End);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(form.date, Qt::Key_Backspace); // the year
    }
    m_station->messages().expect(u"Range Error"_s, ButtonOk);

    if (how == u"ok"_s)
        QTest::mouseClick(form.okButton(), Qt::LeftButton);
    else
        QTest::keyClick(control, how == u"tab"_s ? Qt::Key_Tab : Qt::Key_Return);

    QTRY_COMPARE(m_station->shown(), QStringList{message});
    QCOMPARE(QApplication::focusWidget(), control);
    QVERIFY(form.isVisible());
    QCOMPARE(log.record(), before);
    QCOMPARE(station.errors().fillText(u"%Field/%Message"_s), u"/"_s);
    // Cancel takes the focus without another message; a date that is no date is no change.
    if (entry == u"time"_s)
        m_station->messages().expect(u"Save Record"_s, ButtonNo);
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
    QTest::qWait(0);
    QVERIFY(!form.isVisible());
    QCOMPARE(m_station->shown().filter(u"Range Error"_s).size(), 1);
}

void TestFormWindow::timeEntryTakesOnlyTimes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // the keys that would make no time are refused as typed
    QTest::newRow("25:99") << u"25:99"_s << u"2:"_s;
    QTest::newRow("99:99") << u"99:99"_s << u"9:"_s;
    QTest::newRow("23:59") << u"23:59"_s << u"23:59"_s;
    QTest::newRow("9:06") << u"9:06"_s << u"9:06"_s;
    QTest::newRow("blank and 7:5x") << u" 7:5x"_s << u" 7:5"_s;
    QTest::newRow("930") << u"930"_s << u"9"_s;
}

void TestFormWindow::timeEntryTakesOnlyTimes()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    FieldBindings bindings(LogRecord::table());
    QLineEdit time;
    bindings.time(LogRecord::Col::ActionTime, &time);

    QTest::keyClicks(&time, typed);

    QCOMPARE(time.text(), shown);
}

// The message names the field as the form labels it, and the focus goes to it.
void TestFormWindow::emptyKeyFieldNamedByItsLabel()
{
    UserFile file(m_station->station());
    file.read(u"Anna"_s);
    ThingForm form(file.relations, m_station->settings());
    QVERIFY(form.open(ChangeRequest));
    form.name->clear();
    form.email->setFocus();
    m_station->messages().expect(u"Field Required"_s, ButtonOk);

    form.okButton()->click();

    QCOMPARE(m_station->shown(),
             QStringList{u"Field Required: Name must be filled in: the record cannot be stored without it."_s});
    QVERIFY(form.isVisible());
    QCOMPARE(form.focusWidget(), form.name);
    QCOMPARE(m_station->storedUser(u"Anna"_s).Name, u"Anna"_s);
}

void TestFormWindow::modalRunReturnsResponse()
{
    UserFile file(m_station->station());
    file.read(u"Anna"_s);
    ThingForm form(file.relations, m_station->settings());
    QTimer::singleShot(0, &form, [&form] {
        QVERIFY(form.isModal());
        form.password->setText(u"changed"_s);
        form.okButton()->click();
    });

    QCOMPARE(form.exec(ChangeRequest), int(RequestCompleted));

    QCOMPARE(m_station->storedUser(u"Anna"_s).Position, u"changed"_s);
}

QTEST_MAIN(TestFormWindow)
#include "TestFormWindow.moc"
