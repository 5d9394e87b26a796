#pragma once
// The eight record files of one workstation, one typed record file each, opened together in the
// order the program sets them up. Failures are shown through the error reporter as they occur.

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "data/SystemRecord.h"
#include "data/UserRecord.h"
#include "framework/RecordFile.h"

#include <array>

namespace vellum {

class DatabaseOpener {
public:
    // AsDeclared leaves a missing user file missing (an open error); AllFiles creates it as well,
    // for a new database that is about to receive its users.
    enum class Creation { AsDeclared, AllFiles };

    DatabaseOpener(store::Database &database, ErrorReporter &errors, Creation creation = Creation::AsDeclared);

    // 0 when all eight are open; otherwise the result of the first file that failed, after
    // which the rest are not tried.
    int openAll();
    void closeAll();

    RecordFileOf<CaseRecord> &cases() { return m_cases; }
    RecordFileOf<ArchiveRecord> &knowledgeBase() { return m_knowledgeBase; }
    RecordFileOf<ClientRecord> &clients() { return m_clients; }
    RecordFileOf<UserRecord> &users() { return m_users; }
    RecordFileOf<ProductRecord> &products() { return m_products; }
    RecordFileOf<SystemRecord> &configuration() { return m_configuration; }
    RecordFileOf<LogRecord> &log() { return m_log; }
    RecordFileOf<ProblemRecord> &problems() { return m_problems; }

    // The file of the given layout; nullptr for a layout that is not one of the eight.
    RecordFile *file(const store::TableDefinition &table);

private:
    std::array<RecordFile *, 8> all();

    RecordFileOf<CaseRecord> m_cases;
    RecordFileOf<ArchiveRecord> m_knowledgeBase;
    RecordFileOf<ClientRecord> m_clients;
    RecordFileOf<UserRecord> m_users;
    RecordFileOf<ProductRecord> m_products;
    RecordFileOf<SystemRecord> m_configuration;
    RecordFileOf<LogRecord> m_log;
    RecordFileOf<ProblemRecord> m_problems;
};

} // namespace vellum
