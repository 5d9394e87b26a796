#include "RecordFileSetRestore.h"

#include "RecordFileSetCopy.h"

#include "data/DatabaseCheck.h"
#include "store/Database.h"
#include "store/FilePresence.h"
#include "store/ServerLocation.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using store::FilePresence;
using store::StoreCode;
using store::StoreStatus;

QString native(const QString &folder)
{
    return QDir::toNativeSeparators(folder);
}

RecordFileSetRestore::Outcome refused(QStringList lines, const QString &why)
{
    lines.append(u"Refused: "_s + why + u"; nothing was changed."_s);
    return {lines, false};
}

// Every file of the database held exclusively: a workstation that has one open stands in the
// way, and none can open one until the restore lets go.
QString holdAll(const QString &databaseFolder, std::vector<FilePresence> *held)
{
    for (const QString &name : RecordFileSetCopy::fileNames()) {
        const QString path = QDir(databaseFolder).filePath(name);
        if (!QFile::exists(path))
            continue;
        StoreStatus status;
        held->push_back(FilePresence::take(path, FilePresence::Kind::Exclusive, &status));
        if (status.code == StoreCode::Busy)
            return u"a workstation has the database open (%1 is in use)"_s.arg(name);
        if (!status)
            return u"it cannot be told whether a workstation has %1 open (%2)"_s.arg(name,
                                                                                     DatabaseCheck::reasonOf(status));
    }
    return {};
}

bool writeMarker(const QString &databaseFolder)
{
    QFile marker(store::Database::restoreMarkerIn(databaseFolder));
    return marker.open(QIODevice::WriteOnly | QIODevice::Truncate) && marker.flush();
}

QString moveIntoPlace(const QString &staging, const QString &databaseFolder, const QString &name)
{
    const QString target = QDir(databaseFolder).filePath(name);
    // The journal of a file being replaced would be played back into its successor.
    QFile::remove(target + u"-journal"_s);
    if (::rename(QFile::encodeName(QDir(staging).filePath(name)).constData(), QFile::encodeName(target).constData())
        == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

RecordFileSetRestore::Outcome RecordFileSetRestore::run(const QString &backupFolder, const QString &databaseFolder)
{
    if (QDir(backupFolder).canonicalPath() == QDir(databaseFolder).canonicalPath())
        return refused({}, u"the backup and the database are the same folder"_s);
    // Files are put in place only in a folder; a server's database is filled by migrate.
    if (store::isServerLocation(databaseFolder) || store::isServerLocation(backupFolder))
        return refused({}, u"a restore goes from a backup folder into a database folder; for a server use migrate"_s);
    const DatabaseCheck::Outcome check = DatabaseCheck::run(backupFolder);
    QStringList lines;
    for (const QString &line : check.lines)
        lines.append(u"check "_s + line);
    if (!check.passed)
        return refused(lines, u"the backup in %1 fails its check"_s.arg(native(backupFolder)));
    if (!QDir().mkpath(databaseFolder))
        return refused(lines, u"the folder %1 cannot be made"_s.arg(native(databaseFolder)));
    std::vector<FilePresence> held;
    if (const QString busy = holdAll(databaseFolder, &held); !busy.isEmpty())
        return refused(lines, busy);

    // Beside the database, so that each file takes its place by a rename on the same disk.
    const QString staging = QDir(databaseFolder).filePath(u".vellum-restore"_s);
    QDir(staging).removeRecursively();
    const RecordFileSetCopy::Outcome copy =
        QDir().mkpath(staging) ? RecordFileSetCopy::run(backupFolder, staging) : RecordFileSetCopy::Outcome{{}, false};
    lines.append(copy.lines);
    if (!copy.complete || !writeMarker(databaseFolder)) {
        QDir(staging).removeRecursively();
        return refused(lines, u"the backup could not be copied into %1"_s.arg(native(databaseFolder)));
    }
    for (const QString &name : RecordFileSetCopy::fileNames()) {
        if (const QString failure = moveIntoPlace(staging, databaseFolder, name); !failure.isEmpty()) {
            lines.append(name + u": FAILED - "_s + failure);
            lines.append(u"Restore INTERRUPTED: no workstation can open %1 until a restore completes."_s.arg(
                native(databaseFolder)));
            return {lines, false};
        }
        lines.append(name + u": restored"_s);
    }
    QFile::remove(store::Database::restoreMarkerIn(databaseFolder));
    QDir(staging).removeRecursively();
    lines.append(u"Restore complete: %1 holds the backup of %2"_s.arg(native(databaseFolder), native(backupFolder)));
    return {lines, true};
}

} // namespace vellum
