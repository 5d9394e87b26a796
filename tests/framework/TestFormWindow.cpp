// The shell every record form shares: placement kept per procedure, the procedure name in the
// error context while open, a delete answered without the window, the controls bound to the
// record's fields and limited to their width, Ctrl+' putting back the value of the last OK,
// and a modal run that returns the response.

#include "RecordStation.h"

#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "framework/widgets/FormWindow.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
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
        bindings().text(UserRecord::Col::PassWord, password);
        bindings().text(UserRecord::Col::Email, email);
    }

    QLineEdit *name = new QLineEdit;
    QLineEdit *password = new QLineEdit;
    QLineEdit *email = new QLineEdit;
};

struct UserFile {
    explicit UserFile(Workstation &station) : users(station.database(), station.errors(), false), relations(users, {})
    {
        relations.open();
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
    void procedureNamedWhileOpen();
    void deleteAnsweredWithoutWindow();
    void entriesHoldTheirFieldsWidth();
    void bindingsCarryValuesBothWays_data();
    void bindingsCarryValuesBothWays();
    void historyKeyPutsBackLastOkValue();
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
    m_station->addUser(u"Anna"_s, u"pass"_s);
    m_station->addUser(u"Boris"_s, u"word"_s);
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
    QTest::addColumn<QString>("stored");  // "Maximize" after the second close
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
    QCOMPARE(form.email->maxLength(), 99);  // a CSTRING of 100 keeps one byte for its end
}

void TestFormWindow::bindingsCarryValuesBothWays_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qlonglong>("number");
    QTest::addColumn<QString>("shown");  // what the control shows for the number

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
    QCOMPARE(m_station->storedUser(u"Carla"_s).PassWord, u"other"_s);
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

    QCOMPARE(m_station->storedUser(u"Anna"_s).PassWord, u"changed"_s);
}

QTEST_MAIN(TestFormWindow)
#include "TestFormWindow.moc"
