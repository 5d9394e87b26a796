#include "LogFixture.h"

#include "support/AllRecords.h"

#include "framework/RecordFile.h"

#include "store/TextCollation.h"
#include "support/SetUpStep.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace vellum::test {

const std::int32_t LogFixture::Today = DateTime::dayNumber(QDate(2004, 5, 3));
const std::int32_t LogFixture::Now = DateTime::fromHoursMinutes(9, 6);

LogFixture::LogFixture()
{
    m_settings = std::make_unique<SettingsFile>(m_dir.filePath(u"vellum12.ini"_s));
    connect();
    QCOMPARE(RecordFileOf<LogRecord>(m_station->database(), m_station->errors()).open(), 0);
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    system.record().DoLog = 1;
    system.record().HowLong = 30;
    QCOMPARE(system.insert(), 0);
    m_station->run().configuration = system.record();
}

LogFixture::~LogFixture() = default;

void LogFixture::connect()
{
    const SystemRecord configuration = m_station ? m_station->run().configuration : SystemRecord{};
    m_station.reset();
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    m_station->useDatabaseFolder(m_dir.path());
    m_station->run().configuration = configuration;
    m_station->user().name = u"Boss"_s;
    m_station->user().number = 3;
    m_station->user().level = LevelSupervisor;
}

void LogFixture::configure(const std::function<void(SystemRecord &)> &change)
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    QCOMPARE(system.fetch(SystemRecord::KeyID), 0);
    change(system.record());
    QCOMPARE(system.update(), 0);
    m_station->run().configuration = system.record();
}

SystemRecord LogFixture::storedConfiguration()
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    test::setUpStep(system.open(), "open the system file");
    system.record().ID = 1;
    return system.fetch(SystemRecord::KeyID) == 0 ? system.record() : SystemRecord{};
}

void LogFixture::removeConfiguration()
{
    RecordFileOf<SystemRecord> system(m_station->database(), m_station->errors());
    QCOMPARE(system.open(), 0);
    system.record().ID = 1;
    QCOMPARE(system.fetch(SystemRecord::KeyID), 0);
    QCOMPARE(system.tryDelete(), 0);
}

void LogFixture::add(const QList<LogRecord> &entries)
{
    store::Database &database = m_station->database();
    std::int64_t highest = 0;
    QVERIFY(database.highest(LogRecord::table(), LogRecord::KeyNr, &highest));
    QVERIFY(database.begin());
    for (LogRecord entry : entries) {
        entry.Nr = std::uint32_t(++highest);
        QVERIFY(database.insert(LogRecord::table(), toRow(entry)));
    }
    QVERIFY(database.commit());
}

void LogFixture::addEntries(const QStringList &actions, std::int32_t date)
{
    QList<LogRecord> entries;
    for (const QString &action : actions)
        entries.append({0, 5, u"Employee 1"_s, 12, action, date, Now});
    add(entries);
}

void LogFixture::addEntriesDated(const QList<std::int32_t> &dates, const QString &action)
{
    QList<LogRecord> entries;
    for (const std::int32_t date : dates)
        entries.append({0, 5, u"Employee 1"_s, 0, action, date, Now});
    add(entries);
}

QList<LogRecord> LogFixture::entries()
{
    return test::allRecords<LogRecord>(m_station->database(), m_station->errors(), LogRecord::KeyNr);
}

QStringList LogFixture::actions()
{
    QStringList found;
    for (const LogRecord &entry : entries())
        found.append(entry.Action);
    return found;
}

void LogFixture::reopenWithReadOnlyLog()
{
    connect();
    QVERIFY(m_station->database().open(LogRecord::table(), store::OpenMode::ReadOnly, false));
}

// The file's own layout: pages of the size its header gives, a leaf page of a table starting
// with 13 and its cell count at bytes 3 and 4, the header's change counter at byte 24.
void LogFixture::refuseRemoving(std::uint32_t nr)
{
    const QByteArray sql = "CREATE TRIGGER Keep BEFORE DELETE ON Log WHEN old.Nr = " + QByteArray::number(nr)
                           + " BEGIN SELECT RAISE(ABORT, 'kept'); END";
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(m_station->database().pathOf(LogRecord::table()));
    QCOMPARE(sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    store::registerTextCollation(db);
    const int created = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    QCOMPARE(created, SQLITE_OK);
}

int LogFixture::damageOnePageOfEntries()
{
    QFile file(m_station->database().pathOf(LogRecord::table()));
    if (!file.open(QIODevice::ReadWrite))
        return -1;
    QByteArray bytes = file.readAll();
    const int pageSize = qFromBigEndian<quint16>(bytes.constData() + 16);
    QList<int> leaves;
    for (int at = pageSize; at + pageSize <= bytes.size(); at += pageSize)
        if (bytes.at(at) == 13 && bytes.mid(at, pageSize).contains("Employee"))
            leaves.append(at);
    if (leaves.size() < 3)
        return -1;
    const int at = leaves[leaves.size() / 2];
    const int entries = qFromBigEndian<quint16>(bytes.constData() + at + 3);
    qToBigEndian<quint16>(0xFFFF, bytes.data() + at + 3); // more cells than any page holds
    // Every connection reads the file afresh instead of its cached pages.
    qToBigEndian<quint32>(qFromBigEndian<quint32>(bytes.constData() + 24) + 1, bytes.data() + 24);
    file.seek(0);
    file.write(bytes);
    return entries;
}

} // namespace vellum::test
