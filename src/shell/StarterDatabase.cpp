#include "shell/StarterDatabase.h"

#include "data/DatabaseOpener.h"
#include "data/FilesWithRecords.h"
#include "data/RecordFiles.h"
#include "data/UserPasswords.h"
#include "framework/ErrorTable.h"
#include "shell/StarterCases.h"
#include "shell/StarterReferenceData.h"
#include "store/Database.h"
#include "store/ServerLocation.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int Failed = int(ErrorSeverity::Notify);

template<class R>
int insertAll(RecordFileOf<R> &file, const std::vector<R> &records)
{
    for (const R &record : records) {
        file.record() = record;
        if (const int result = file.insert(); result != 0)
            return result;
    }
    return 0;
}

int reportStoreFailure(ErrorReporter &errors, int id, const QString &file, const store::StoreStatus &status);

int insertUsers(RecordFileOf<UserRecord> &file, const std::vector<UserRecord> &users, ErrorReporter &errors)
{
    UserPasswords passwords(file.database());
    for (const UserRecord &user : users) {
        file.record() = user;
        if (const int result = file.insert(); result != 0)
            return result;
        if (const store::StoreStatus stored = passwords.store(file.rowId(), StarterReferenceData::passwordOf(user));
            !stored)
            return reportStoreFailure(errors, ErrorId::InsertError, file.name(), stored);
    }
    return 0;
}

int reportStoreFailure(ErrorReporter &errors, int id, const QString &file, const store::StoreStatus &status)
{
    errors.setFile(file);
    errors.setError(status);
    const int shown = int(errors.throwError(id));
    return shown != 0 ? shown : Failed;
}

QString fileNameOf(const store::TableDefinition &table)
{
    return QString::fromUtf8(table.fileName.data(), qsizetype(table.fileName.size()));
}

} // namespace

StarterDatabase::StarterDatabase(const Clock &clock) : m_clock(clock)
{
}

QStringList StarterDatabase::recordFilesIn(const QString &folder)
{
    // A server's tables are no files to step on: only records are.
    if (store::isServerLocation(folder))
        return filesWithRecords(folder);
    QStringList found;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const RecordFileInfo &info : allRecordFiles()) {
        const QString name = fileNameOf(*info.table);
        for (const QString &entry : entries)
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                found.append(entry);
    }
    return found;
}

int StarterDatabase::create(const QString &folder, ErrorReporter &errors) const
{
    if (!recordFilesIn(folder).isEmpty())
        return Failed;
    // On a server the one transaction leaves nothing behind but empty tables, which a new try fills.
    if (store::isServerLocation(folder)) {
        store::Database database(folder);
        return write(database, errors);
    }
    if (!QDir().mkpath(folder)) {
        const auto status = store::StoreStatus::failure(store::StoreCode::CreateFailed, u"no such folder"_s);
        return reportStoreFailure(errors, ErrorId::CreateError, folder, status);
    }
    int result = 0;
    {
        store::Database database(folder);
        result = write(database, errors);
    }
    // Half a database would be taken for a whole one at the next start: leave none.
    if (result != 0)
        for (const RecordFileInfo &info : allRecordFiles())
            QFile::remove(QDir(folder).filePath(fileNameOf(*info.table)));
    return result;
}

int StarterDatabase::write(store::Database &database, ErrorReporter &errors) const
{
    DatabaseOpener files(database, errors, DatabaseOpener::Creation::AllFiles);
    if (const int opened = files.openAll(); opened != 0)
        return opened;
    store::FileSet everyFile;
    for (const RecordFileInfo &info : allRecordFiles())
        everyFile.push_back(info.table);
    store::Transaction transaction(database, everyFile);
    if (!transaction.started())
        return reportStoreFailure(errors, ErrorId::TransactionFailed, database.folder(), transaction.started());

    const auto users = StarterReferenceData::users();
    const auto clients = StarterReferenceData::clients();
    const auto products = StarterReferenceData::products();
    const StarterCases samples(m_clock, clients, products, users);
    files.configuration().record() = StarterReferenceData::configuration();
    files.knowledgeBase().record() = samples.knowledgeBaseCase();
    int result = insertUsers(files.users(), users, errors);
    if (result == 0)
        result = files.configuration().insert();
    if (result == 0)
        result = insertAll(files.clients(), clients);
    if (result == 0)
        result = insertAll(files.products(), products);
    if (result == 0)
        result = insertAll(files.problems(), StarterReferenceData::problems());
    if (result == 0)
        result = insertAll(files.cases(), samples.cases());
    if (result == 0)
        result = files.knowledgeBase().insert();
    if (result == 0)
        result = insertAll(files.log(), samples.logEntries());
    if (result != 0)
        return result;
    if (const store::StoreStatus committed = transaction.commit(); !committed)
        return reportStoreFailure(errors, ErrorId::TransactionFailed, database.folder(), committed);
    return 0;
}

} // namespace vellum
