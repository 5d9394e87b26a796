#include "shell/DatabaseMigration.h"

#include "data/DatabaseCheck.h"
#include "data/FilesWithRecords.h"
#include "data/RecordFiles.h"
#include "store/Database.h"
#include "store/RecordCopy.h"
#include "store/ServerLocation.h"
#include "store/Transaction.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QString nameOf(const store::TableDefinition &table)
{
    return QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
}

// Every file opened on both sides; the first failure as a line, else an empty string.
QString openBoth(store::Database &source, store::Database &target)
{
    for (const RecordFileInfo &info : allRecordFiles())
        if (const store::StoreStatus opened = source.open(*info.table, store::OpenMode::ReadOnly, false); !opened)
            return nameOf(*info.table) + u": FAILED - the source cannot be read: "_s + DatabaseCheck::reasonOf(opened);
    for (const RecordFileInfo &info : allRecordFiles())
        if (const store::StoreStatus opened = target.open(*info.table, store::OpenMode::ReadWrite, true); !opened)
            return nameOf(*info.table) + u": FAILED - the target cannot be written: "_s
                   + DatabaseCheck::reasonOf(opened);
    return {};
}

// The records of every file, all in one transaction of the target: all of them or none.
bool copyAll(store::Database &source, store::Database &target, QStringList *lines)
{
    store::FileSet everyFile;
    for (const RecordFileInfo &info : allRecordFiles())
        everyFile.push_back(info.table);
    store::Transaction transaction(target, everyFile);
    if (!transaction.started()) {
        *lines << u"FAILED - the target is busy: "_s + DatabaseCheck::reasonOf(transaction.started());
        return false;
    }
    QStringList copied;
    for (const RecordFileInfo &info : allRecordFiles()) {
        std::int64_t records = 0;
        if (const store::StoreStatus done = store::copyRecords(source, target, *info.table, &records); !done) {
            *lines << nameOf(*info.table) + u": FAILED - "_s + DatabaseCheck::reasonOf(done);
            return false;
        }
        copied << nameOf(*info.table) + u": %1 records"_s.arg(records);
    }
    if (const store::StoreStatus committed = transaction.commit(); !committed) {
        *lines << u"FAILED - nothing was written: "_s + DatabaseCheck::reasonOf(committed);
        return false;
    }
    *lines << copied;
    return true;
}

// The same number of records on both sides, file by file.
bool countsAgree(store::Database &source, store::Database &target, QStringList *lines)
{
    bool agree = true;
    for (const RecordFileInfo &info : allRecordFiles()) {
        std::int64_t from = -1, to = -2;
        if (!source.count(*info.table, &from) || !target.count(*info.table, &to) || from != to) {
            *lines << nameOf(*info.table)
                          + u": FAILED - %1 records in the source, %2 in the target"_s.arg(from).arg(to);
            agree = false;
        }
    }
    return agree;
}

} // namespace

DatabaseMigration::Outcome DatabaseMigration::run(const QString &from, const QString &to)
{
    Outcome outcome;
    if (const QStringList taken = filesWithRecords(to); !taken.isEmpty()) {
        outcome.lines << u"Refused: %1 already holds records (%2)."_s.arg(to, taken.join(u", "_s));
        return outcome;
    }
    if (!store::isServerLocation(to) && !QDir().mkpath(to)) {
        outcome.lines << u"Refused: the folder %1 cannot be made."_s.arg(QDir::toNativeSeparators(to));
        return outcome;
    }
    {
        store::Database source(from);
        store::Database target(to);
        if (const QString failed = openBoth(source, target); !failed.isEmpty()) {
            outcome.lines << failed;
            return outcome;
        }
        if (!copyAll(source, target, &outcome.lines) || !countsAgree(source, target, &outcome.lines))
            return outcome;
    }
    const DatabaseCheck::Outcome check = DatabaseCheck::run(to);
    for (const QString &line : check.lines)
        outcome.lines << u"check "_s + line;
    outcome.migrated = check.passed;
    return outcome;
}

} // namespace vellum
