// A commit across two files that meets a full disk: it fails, both files keep what they held, no
// journal and no super-journal stays in the shared folder, and the next commit goes through. The
// full disk is a file layer of the test's own in front of the engine's: from the moment a commit
// across files begins, every write that would grow one chosen file fails with "disk full". A
// left-over super-journal is only removed when no journal needs it.

#include "store/SuperJournals.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <array>
#include <string>

using namespace Qt::StringLiterals;
using namespace vellum::store;

namespace {

constexpr std::array<FieldDefinition, 2> fields{{
    {"ONE:Nr", FieldType::ULong, 4},
    {"ONE:Word", FieldType::String, 10},
}};
constexpr std::array<KeyDefinition, 1> keys{{
    {"ONE:NrKey", "ONE:NrKey", KeyKind::Primary, true, {0, -1}},
}};
constexpr std::array<FieldDefinition, 2> otherFields{{
    {"TWO:Nr", FieldType::ULong, 4},
    {"TWO:Word", FieldType::String, 10},
}};
constexpr std::array<KeyDefinition, 1> otherKeys{{
    {"TWO:NrKey", "TWO:NrKey", KeyKind::Primary, true, {0, -1}},
}};
// Opened first, the first file carries the connection and names the super-journal.
constexpr TableDefinition first{"First.tps", "ONE", fields, keys};
constexpr TableDefinition second{"Second.tps", "TWO", otherFields, otherKeys};

// The file layer: the engine's own, except that writes to the armed file fail as on a full disk.
struct FullDiskFile {
    sqlite3_file base; // must come first: the engine sees only this part
    sqlite3_file *real;
    std::string path;
};

sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_fullDisk;
std::string g_fullFile; // the file whose writes fail once the disk is full
bool g_full = false;    // the disk fills up the moment a commit across files begins

constexpr std::int64_t Batch = 500; // records a change adds to each file

sqlite3_file *realOf(sqlite3_file *file)
{
    return reinterpret_cast<FullDiskFile *>(file)->real;
}

// As on a real full disk, what the file already holds can be overwritten; only growing fails.
int fullDiskWrite(sqlite3_file *file, const void *data, int amount, sqlite3_int64 offset)
{
    sqlite3_file *real = realOf(file);
    sqlite3_int64 size = 0;
    if (g_full && reinterpret_cast<FullDiskFile *>(file)->path == g_fullFile
        && (real->pMethods->xFileSize(real, &size) != SQLITE_OK || offset + amount > size))
        return SQLITE_FULL;
    return real->pMethods->xWrite(real, data, amount, offset);
}

int fullDiskClose(sqlite3_file *file)
{
    const int rc = realOf(file)->pMethods ? realOf(file)->pMethods->xClose(realOf(file)) : SQLITE_OK;
    reinterpret_cast<FullDiskFile *>(file)->path.~basic_string();
    return rc;
}

// Version 1 of the methods: no shared memory and no mapping, which a journal in DELETE mode
// never asks for.
const sqlite3_io_methods g_methods = {
    1,
    fullDiskClose,
    [](sqlite3_file *f, void *data, int amount, sqlite3_int64 offset) {
        return realOf(f)->pMethods->xRead(realOf(f), data, amount, offset);
    },
    fullDiskWrite,
    [](sqlite3_file *f, sqlite3_int64 size) { return realOf(f)->pMethods->xTruncate(realOf(f), size); },
    [](sqlite3_file *f, int flags) { return realOf(f)->pMethods->xSync(realOf(f), flags); },
    [](sqlite3_file *f, sqlite3_int64 *size) { return realOf(f)->pMethods->xFileSize(realOf(f), size); },
    [](sqlite3_file *f, int lock) { return realOf(f)->pMethods->xLock(realOf(f), lock); },
    [](sqlite3_file *f, int lock) { return realOf(f)->pMethods->xUnlock(realOf(f), lock); },
    [](sqlite3_file *f, int *reserved) { return realOf(f)->pMethods->xCheckReservedLock(realOf(f), reserved); },
    [](sqlite3_file *f, int op, void *arg) { return realOf(f)->pMethods->xFileControl(realOf(f), op, arg); },
    [](sqlite3_file *f) { return realOf(f)->pMethods->xSectorSize(realOf(f)); },
    [](sqlite3_file *f) { return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f)); },
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

int fullDiskOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *own = reinterpret_cast<FullDiskFile *>(file);
    own->base.pMethods = nullptr;
    own->real = reinterpret_cast<sqlite3_file *>(own + 1);
    const int rc = g_real->xOpen(g_real, name, own->real, flags, outFlags);
    if (rc != SQLITE_OK)
        return rc;
    new (&own->path) std::string(name ? name : "");
    if ((flags & SQLITE_OPEN_SUPER_JOURNAL) != 0 && !g_fullFile.empty())
        g_full = true;
    own->base.pMethods = &g_methods;
    return SQLITE_OK;
}

void installFullDisk()
{
    if (g_real)
        return;
    g_real = sqlite3_vfs_find(nullptr);
    g_fullDisk = *g_real;
    g_fullDisk.zName = "vellum-full-disk";
    g_fullDisk.szOsFile = int(sizeof(FullDiskFile)) + g_real->szOsFile;
    g_fullDisk.xOpen = fullDiskOpen;
    g_fullDisk.pAppData = nullptr;
    sqlite3_vfs_register(&g_fullDisk, 1);
}

QStringList leftOver(const QString &folder)
{
    return QDir(folder).entryList({u"*-mj*"_s, u"*-journal"_s}, QDir::Files | QDir::Hidden);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFullDisk(); }
    void failedCommitLeavesNoSuperJournal_data();
    void failedCommitLeavesNoSuperJournal();
    void superJournalRemovedOnlyWhenNoJournalNeedsIt_data();
    void superJournalRemovedOnlyWhenNoJournalNeedsIt();
};

void TestFullDisk::failedCommitLeavesNoSuperJournal_data()
{
    QTest::addColumn<QString>("fullFile");
    QTest::newRow("the first file's journal") << u"First.tps-journal"_s;
    QTest::newRow("the first file's pages") << u"First.tps"_s;
    QTest::newRow("the second file's journal") << u"Second.tps-journal"_s;
    QTest::newRow("the second file's pages") << u"Second.tps"_s;
}

void TestFullDisk::failedCommitLeavesNoSuperJournal()
{
    QFETCH(QString, fullFile);
    QTemporaryDir dir;
    Database db(dir.path());
    QVERIFY(db.open(first, OpenMode::ReadWrite, true));
    QVERIFY(db.open(second, OpenMode::ReadWrite, true));
    QVERIFY(db.insert(first, {std::int64_t(1), u"kept"_s}));
    const auto change = [&db](std::int64_t nr) {
        Transaction transaction(db);
        if (!transaction.started())
            return transaction.started();
        // Enough records that both files must grow.
        for (std::int64_t each = nr * Batch; each < (nr + 1) * Batch; ++each) {
            if (StoreStatus one = db.insert(first, {each, u"one"_s}); !one)
                return one;
            if (StoreStatus two = db.insert(second, {each, u"two"_s}); !two)
                return two;
        }
        return transaction.commit();
    };

    g_fullFile = QDir(dir.path()).filePath(fullFile).toStdString();
    const StoreStatus committed = change(2);
    g_fullFile.clear();
    g_full = false;

    QVERIFY(!committed.ok());
    QCOMPARE(committed.errorCode & 0xff, SQLITE_FULL);
    QCOMPARE(leftOver(dir.path()), QStringList());
    std::int64_t records = 0;
    QVERIFY(db.count(first, &records));
    QCOMPARE(records, std::int64_t(1));
    QVERIFY(db.count(second, &records));
    QCOMPARE(records, std::int64_t(0));
    QString report;
    QVERIFY2(db.integrityCheck(first, &report).ok() && db.integrityCheck(second, &report).ok(), qPrintable(report));

    QVERIFY(change(3));
    QVERIFY(db.count(second, &records));
    QCOMPARE(records, Batch);
    QCOMPARE(leftOver(dir.path()), QStringList());
}

void TestFullDisk::superJournalRemovedOnlyWhenNoJournalNeedsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("journals");  // the names it lists, as the engine writes them
    QTest::addColumn<QString>("journalThere"); // a journal present in the folder, if any
    QTest::addColumn<bool>("removed");
    const QByteArray listed = "/srv/a/First.tps-journal\0/srv/a/Second.tps-journal\0"_ba;
    QTest::newRow("no journal of it is there") << u"First.tps-mj1A2B3C94F"_s << listed << QString() << true;
    QTest::newRow("a hot journal names it") << u"First.tps-mj1A2B3C94F"_s << listed << u"Second.tps-journal"_s << false;
    QTest::newRow("still being written") << u"First.tps-mj1A2B3C94F"_s << listed.chopped(1) << QString() << false;
    QTest::newRow("just made, empty") << u"First.tps-mj1A2B3C94F"_s << QByteArray() << QString() << false;
    QTest::newRow("not the engine's name") << u"First.tps-mjnotes"_s << listed << QString() << false;
}

void TestFullDisk::superJournalRemovedOnlyWhenNoJournalNeedsIt()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, journals);
    QFETCH(QString, journalThere);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    const QString superJournal = dir.filePath(name);
    writeFile(superJournal, journals);
    // The journal is found beside the files even though the name it is listed under is another
    // workstation's path to the folder.
    if (!journalThere.isEmpty())
        writeFile(dir.filePath(journalThere), "hot");

    QCOMPARE(SuperJournals::removeOrphans(dir.path()), removed ? 1 : 0);
    QCOMPARE(QFile::exists(superJournal), !removed);
    QVERIFY(journalThere.isEmpty() || QFile::exists(dir.filePath(journalThere)));
}

QTEST_GUILESS_MAIN(TestFullDisk)
#include "TestFullDisk.moc"
