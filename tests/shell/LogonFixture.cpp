#include "LogonFixture.h"

#include "support/AllRecords.h"

#include "data/PasswordHash.h"
#include "data/SystemRecord.h"
#include "data/UserPasswords.h"
#include "framework/RecordFile.h"
#include "shell/LogonRules.h"

#include "support/SetUpStep.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace vellum::test {

const std::int32_t LogonFixture::Today = DateTime::dayNumber(QDate(2004, 5, 3));
const std::int32_t LogonFixture::Now = DateTime::fromHoursMinutes(8, 30);

LogonFixture::LogonFixture(int doLog)
{
    PasswordHash::useMinimumLimits();
    m_settings = std::make_unique<SettingsFile>(m_dir.filePath(u"vellum12.ini"_s));
    connect();
    addUser({0, u"Admin"_s, u"Secret"_s, 0, u"Administrator"_s, LevelAdministrator, {}, {}, {}, {}, {}, {}, {}});
    addUser({0, u"Agent"_s, u"blue sky"_s, 0, u"User"_s, LevelUser, u"Kind regards,"_s,
             u"Alexandra Konstantinopoulou-Smith"_s, u"Second-line support"_s, u"Vellum Ltd"_s, u"agent@example.org"_s,
             u"+44 (0)20 7946 0000 ext 12"_s, u"+44 (0)20 7946 0001"_s});
    addUser({0, u"Boss"_s, QString(), 0, u"Supervisor"_s, LevelSupervisor, {}, {}, {}, {}, {}, {}, {}});
    QCOMPARE(RecordFileOf<LogRecord>(m_station->database(), m_station->errors()).open(), 0);
    setDoLog(doLog);
}

LogonFixture::~LogonFixture() = default;

void LogonFixture::connect()
{
    m_station.reset();
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    m_station->useDatabaseFolder(m_dir.path());
}

QStringList LogonFixture::shownTexts() const
{
    QStringList texts;
    for (const MessageRequest &message : m_messages.shown()) {
        const bool plain = message.caption == u"Quor Vellum 1.2"_s && message.icon == MessageIcon::Information;
        texts << (plain ? message.text : u"[other caption or icon] "_s + message.text);
    }
    return texts;
}

void LogonFixture::setDoLog(int doLog)
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    const bool exists = system.fetch(SystemRecord::KeyID) == 0;
    system.record().DoLog = std::uint8_t(doLog);
    QCOMPARE(exists ? system.update() : system.insert(), 0);
    m_station->run().configuration = system.record();
}

// The password given in the record is kept as its hashes, as the program keeps it.
void LogonFixture::addUser(const UserRecord &user)
{
    RecordFileOf<UserRecord> users(m_station->database(), m_station->errors());
    QCOMPARE(users.open(), 0);
    users.record() = user;
    users.record().PassWord.clear();
    QCOMPARE(users.insert(), 0);
    QVERIFY(UserPasswords(m_station->database()).store(users.rowId(), user.PassWord));
}

UserRecord LogonFixture::storedUser(const QString &name)
{
    RecordFileOf<UserRecord> users(m_station->database(), m_station->errors(), false);
    test::setUpStep(users.open(), "open the user file");
    users.record().Name = name;
    return users.fetch(UserRecord::KeyName) == 0 ? users.record() : UserRecord{};
}

bool LogonFixture::passwordIs(const QString &name, const QString &password)
{
    RecordFileOf<UserRecord> users(m_station->database(), m_station->errors(), false);
    test::setUpStep(users.open(), "open the user file");
    users.record().Name = name;
    return users.fetch(UserRecord::KeyName) == 0
           && UserPasswords(m_station->database()).exactlyMatches(users.rowId(), users.record(), password)
                  == UserPasswords::Check::Matches;
}

void LogonFixture::logOn(const QString &name, const QString &password)
{
    LogonRules rules(*m_station);
    QVERIFY(rules.openUsers());
    QCOMPARE(rules.attempt(name, password), LogonRules::Outcome::LoggedOn);
}

void LogonFixture::addLogEntry(const QString &action)
{
    RecordFileOf<LogRecord> log(m_station->database(), m_station->errors());
    QCOMPARE(log.open(), 0);
    log.record() = LogRecord{0, 1, u"Admin"_s, 0, action, Today, Now};
    QCOMPARE(log.insert(), 0);
}

QList<LogRecord> LogonFixture::logEntries()
{
    return test::allRecords<LogRecord>(m_station->database(), m_station->errors(), LogRecord::KeyNr);
}

void LogonFixture::reopenWithReadOnlyLog()
{
    const RunState run = m_station->run();
    const CurrentUser user = m_station->user();
    connect();
    m_station->run() = run;
    m_station->user() = user;
    QVERIFY(m_station->database().open(LogRecord::table(), store::OpenMode::ReadOnly, false));
}

QPoint LogonFixture::openMoveAndClose(QDialog &window, QPoint to, const QString &button)
{
    QPoint opened;
    QTimer::singleShot(0, &window, [&] {
        opened = window.pos();
        window.move(to);
        window.findChild<QPushButton *>(button)->click();
    });
    window.exec();
    return opened;
}

} // namespace vellum::test
