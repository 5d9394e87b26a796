#pragma once
// The record files as tables of a database server: each file is a schema named as the SQLite
// engine attaches it, holding the record table, its layout table and its fold function. Database
// hands every call to it when its location is a server URI. A writer takes a transaction-scoped
// advisory lock per file, in the order of the file names, as the SQLite engine takes file locks.

#include "Database.h"
#include "ServerConnection.h"
#include "TableSql.h"

#include <chrono>
#include <map>

namespace vellum::store {

class ServerEngine {
public:
    explicit ServerEngine(QString location);

    StoreStatus open(const TableDefinition &table, OpenMode mode, bool createIfMissing);
    bool isOpen(const TableDefinition &table) const;
    bool isReadOnly(const TableDefinition &table) const;
    StoreStatus rebuildKeys(const TableDefinition &table);

    StoreStatus begin(const FileSet &writes, int timeoutMs);
    StoreStatus commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }
    // One read-only snapshot over every file until endSnapshot: what a copy of several files reads.
    StoreStatus beginSnapshot();
    void endSnapshot();

    StoreStatus insert(const TableDefinition &table, const Row &row, StoredRow *stored);
    StoreStatus update(const TableDefinition &table, std::int64_t rowId, std::int64_t version, const Row &row,
                       std::int64_t *newVersion);
    StoreStatus remove(const TableDefinition &table, std::int64_t rowId, std::int64_t version);
    StoreStatus removeWhere(const TableDefinition &table, const std::vector<Condition> &filter, std::int64_t *removed,
                            std::int64_t limit);
    StoreStatus fetchRow(const TableDefinition &table, std::int64_t rowId, StoredRow *row, bool withMemos);
    StoreStatus walk(const TableDefinition &table, const WalkRequest &request, std::vector<StoredRow> *rows);
    StoreStatus scan(const TableDefinition &table, const std::vector<int> &fields, std::int64_t afterRowId, int limit,
                     const Database::ScanVisit &visit, std::int64_t *last);
    StoreStatus highest(const TableDefinition &table, int key, std::int64_t *number);
    StoreStatus count(const TableDefinition &table, std::int64_t *records);

    StoreStatus hiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column, QString *text);
    StoreStatus setHiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                              const QString &text);
    StoreStatus storedLayout(const TableDefinition &table, std::vector<StoredField> *fields);
    StoreStatus integrityCheck(const TableDefinition &table, QString *report);

private:
    struct File {
        QByteArray schema;
        std::int64_t lockKey = 0; // the table's own number on the server
        bool readOnly = false;
        bool open = false;
    };

    static QByteArray schemaOf(const TableDefinition &table);
    TableSql sqlOf(const TableDefinition &table) const;
    StoreStatus connect();
    StoreStatus run(const QByteArray &sql, const std::vector<Value> &values = {}, ServerResult *result = nullptr);
    StoreStatus runText(const QByteArray &sql);
    template<typename Statement>
    StoreStatus withConnection(Statement statement);
    const File *readableFile(const TableDefinition &table, StoreStatus *result) const;
    const File *writableFile(const TableDefinition &table, StoreStatus *result) const;
    StoreStatus singleNumber(const QByteArray &sql, const std::vector<Value> &values, std::int64_t *number);

    // Schema
    StoreStatus tableExists(const TableDefinition &table, bool *exists);
    StoreStatus createSchema(const TableDefinition &table);
    StoreStatus checkFile(const TableDefinition &table, OpenMode mode);
    StoreStatus columnsMatch(const TableDefinition &table);
    StoreStatus keysValid(const TableDefinition &table);

    // Locks
    StoreStatus lockBeforeWrite(const TableDefinition &table);
    StoreStatus lockForWriting(const FileSet &writes, int timeoutMs);
    StoreStatus lockFile(const TableDefinition &table, std::chrono::steady_clock::time_point deadline);
    std::string_view lastLockedFile() const;
    // A write outside a transaction holds its file's lock for that one statement.
    template<typename Write>
    StoreStatus writeLocked(const TableDefinition &table, Write write);

    StoreStatus readRows(const TableDefinition &table, const QByteArray &sql, const std::vector<Value> &values,
                         const std::vector<int> &fields, std::vector<StoredRow> *rows);

    ServerConnection m_connection;
    std::map<std::string_view, File> m_files;
    std::map<std::string_view, int> m_locks; // file -> depth of the (save)point that took its lock
    int m_depth = 0;
};

} // namespace vellum::store
