// A server's files copied into record files of the SQLite engine: a backup of a server database
// is a folder any workstation or check can open.

#include "RecordCopy.h"
#include "ServerEngine.h"
#include "Transaction.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <cstdio>

namespace vellum::store {

namespace {

// Made complete in a folder of its own, then put in the older copy's place in one step.
StoreStatus copyToFile(Database &source, const TableDefinition &table, const QString &destination)
{
    const QFileInfo target(destination);
    QDir work(target.absolutePath() + QStringLiteral("/.copy-") + QUuid::createUuid().toString(QUuid::Id128).left(12));
    if (!QDir().mkpath(work.path()))
        return StoreStatus::failure(StoreCode::AccessDenied,
                                    QStringLiteral("the copy cannot be made in %1").arg(target.absolutePath()));
    StoreStatus result;
    {
        Database copy(work.path());
        result = copy.open(table, OpenMode::ReadWrite, true);
        if (result) {
            Transaction transaction(copy, {&table});
            result = transaction.started() ? copyRecords(source, copy, table) : transaction.started();
            if (result)
                result = transaction.commit();
        }
    }
    if (result
        && std::rename(QFile::encodeName(
                           work.filePath(QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()))))
                           .constData(),
                       QFile::encodeName(destination).constData())
               != 0)
        result = StoreStatus::failure(StoreCode::AccessDenied, QStringLiteral("the older copy cannot be replaced"));
    work.removeRecursively();
    return result;
}

} // namespace

std::vector<StoreStatus> Database::copySetFromServer(const std::vector<const TableDefinition *> &tables,
                                                     const QStringList &destinations)
{
    std::vector<StoreStatus> results(tables.size());
    const bool snapshot = !m_server->inTransaction();
    StoreStatus started = snapshot ? m_server->beginSnapshot() : StoreStatus();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (!m_server->isOpen(*tables[i]))
            results[i] = StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("the file is not open"));
        else
            results[i] = started ? copyToFile(*this, *tables[i], destinations[qsizetype(i)]) : started;
    }
    if (snapshot && started)
        m_server->endSnapshot();
    return results;
}

} // namespace vellum::store
