#include "RecordStation.h"

#include "data/PasswordHash.h"
#include "data/UserPasswords.h"
#include "framework/RecordFile.h"
#include "support/SetUpStep.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

const std::int32_t FirstLogDay = DateTime::dayNumber(QDate(2004, 5, 3));
const QStringList Qualifications{u"User"_s, u"Supervisor"_s, u"Administrator"_s};

} // namespace

RecordStation::RecordStation(const QString &folder, const QString &name)
    : m_settings(std::make_unique<SettingsFile>(QDir(folder).filePath(name + u".ini"_s))),
      m_clock(DateTime::dayNumber(QDate(2004, 5, 3)), DateTime::fromHoursMinutes(9, 6))
{
    PasswordHash::useMinimumLimits();
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    m_station->useDatabaseFolder(folder);
}

RecordStation::~RecordStation() = default;

QStringList RecordStation::shown() const
{
    QStringList texts;
    for (const MessageRequest &message : m_messages.shown())
        texts << message.caption + u": "_s + message.text;
    return texts;
}

UserRecord RecordStation::addUser(const QString &name, const QString &password, int level)
{
    const UserRecord user = addUserWithText(name, {}, level);
    store::StoredRow row;
    if (!m_station->database().fetch(UserRecord::table(), UserRecord::KeyName, {name}, &row)
        || !UserPasswords(m_station->database()).store(row.rowId, password))
        QTest::qFail("the password could not be stored", __FILE__, __LINE__);
    return user;
}

UserRecord RecordStation::addUserWithText(const QString &name, const QString &text, int level)
{
    RecordFileOf<UserRecord> users(m_station->database(), m_station->errors(), true);
    test::setUpStep(users.open(), "open the user file");
    users.record() = {};
    users.record().Name = name;
    users.record().Position = text;
    users.record().Level = std::uint8_t(level);
    users.record().Qualification = Qualifications.value(level);
    if (users.insert() != 0)
        QTest::qFail("the user could not be added", __FILE__, __LINE__);
    return users.record();
}

bool RecordStation::passwordIs(const QString &name, const QString &password)
{
    store::StoredRow row;
    return m_station->database().fetch(UserRecord::table(), UserRecord::KeyName, {name}, &row).ok()
           && UserPasswords(m_station->database()).exactlyMatches(row.rowId, fromRow<UserRecord>(row.values), password)
                  == UserPasswords::Check::Matches;
}

UserRecord RecordStation::storedUser(const QString &name, std::int64_t *version)
{
    store::StoredRow row;
    const bool found = m_station->database().fetch(UserRecord::table(), UserRecord::KeyName, {name}, &row).ok();
    if (version)
        *version = found ? row.version : 0;
    if (!found) {
        UserRecord none;
        none.Level = 0xFF;
        return none;
    }
    return fromRow<UserRecord>(row.values);
}

int RecordStation::userCount()
{
    std::int64_t count = 0;
    if (!m_station->database().count(UserRecord::table(), &count))
        return -1;
    return int(count);
}

void RecordStation::addLogEntries(int count, const QStringList &names)
{
    RecordFileOf<LogRecord> log(m_station->database(), m_station->errors());
    test::setUpStep(log.open(), "open the log");
    QVERIFY(m_station->database().begin().ok());
    for (int i = 1; i <= count; ++i) {
        log.record() = {std::uint32_t(i),
                        1,
                        names[(i - 1) % names.size()],
                        0,
                        i % 2 == 0 ? u"Logon"_s : u"LogOut"_s,
                        FirstLogDay + i / 10,
                        DateTime::fromHoursMinutes(9, i % 60)};
        QCOMPARE(log.tryInsert(), 0);
    }
    QVERIFY(m_station->database().commit().ok());
}

} // namespace vellum::test
