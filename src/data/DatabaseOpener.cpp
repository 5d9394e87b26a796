#include "data/DatabaseOpener.h"

#include "data/RecordFiles.h"

namespace vellum {

namespace {

bool createsMissing(const store::TableDefinition &table, DatabaseOpener::Creation creation)
{
    if (creation == DatabaseOpener::Creation::AllFiles)
        return true;
    for (const RecordFileInfo &info : allRecordFiles())
        if (info.table == &table)
            return info.createIfMissing;
    return true;
}

} // namespace

DatabaseOpener::DatabaseOpener(store::Database &database, ErrorReporter &errors, Creation creation)
    : m_cases(database, errors, createsMissing(CaseRecord::table(), creation)),
      m_knowledgeBase(database, errors, createsMissing(ArchiveRecord::table(), creation)),
      m_clients(database, errors, createsMissing(ClientRecord::table(), creation)),
      m_users(database, errors, createsMissing(UserRecord::table(), creation)),
      m_products(database, errors, createsMissing(ProductRecord::table(), creation)),
      m_configuration(database, errors, createsMissing(SystemRecord::table(), creation)),
      m_log(database, errors, createsMissing(LogRecord::table(), creation)),
      m_problems(database, errors, createsMissing(ProblemRecord::table(), creation))
{
}

int DatabaseOpener::openAll()
{
    for (const RecordFileInfo &info : allRecordFiles()) {
        if (const int result = file(*info.table)->open(); result != 0)
            return result;
    }
    return 0;
}

void DatabaseOpener::closeAll()
{
    for (RecordFile *each : all())
        each->close();
}

RecordFile *DatabaseOpener::file(const store::TableDefinition &table)
{
    for (RecordFile *each : all())
        if (&each->table() == &table)
            return each;
    return nullptr;
}

std::array<RecordFile *, 8> DatabaseOpener::all()
{
    return {&m_cases, &m_knowledgeBase, &m_clients, &m_users, &m_products, &m_configuration, &m_log, &m_problems};
}

} // namespace vellum
