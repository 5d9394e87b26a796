#pragma once
// One workstation's connection to the database folder. The eight record files are attached to
// it, so a change that spans files commits as a whole; a change locks only the files it writes.
// No SQLite type is visible here.

#include "FieldText.h"
#include "KeyWalk.h"
#include "StoreStatus.h"
#include "TableDefinition.h"
#include "Value.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace vellum::store {

class ServerEngine;

enum class OpenMode { ReadWrite, ReadOnly };

// The files a transaction will write.
using FileSet = std::vector<const TableDefinition *>;

// One row of a scan as the file holds it, valid only while it is visited: the requested fields'
// UTF-8 bytes (numbers as their decimal text).
struct ScannedRow {
    std::int64_t rowId = 0;
    std::span<const std::string_view> texts;
};

struct StoredField {
    QString name;
    QString type;
    int width = 0;
    bool operator==(const StoredField &) const = default;
};

class Database {
public:
    static constexpr int TransactionTimeoutMs = 2000;

    // A folder of record files, or the URI of a database server ("postgresql://...").
    explicit Database(QString folder);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &folder() const { return m_folder; }
    bool onServer() const { return m_server != nullptr; }
    QString pathOf(const TableDefinition &table) const;

    // Opens the file: creates it when missing and allowed, checks its layout, columns and keys. A
    // file that exists is never made anew, not even when it is empty.
    StoreStatus open(const TableDefinition &table, OpenMode mode, bool createIfMissing);
    bool isOpen(const TableDefinition &table) const;
    bool isReadOnly(const TableDefinition &table) const;
    StoreStatus rebuildKeys(const TableDefinition &table);

    // A transaction, or a savepoint inside one. It takes the write lock of each file it names,
    // within the start time-out, and no other: the files it reads stay open to other writers. A
    // file it writes without naming it is locked at its first write (see DatabaseTransactions.cpp).
    StoreStatus begin(int timeoutMs = TransactionTimeoutMs);
    StoreStatus begin(const FileSet &writes, int timeoutMs = TransactionTimeoutMs);
    StoreStatus commit();
    void rollback();
    bool inTransaction() const;

    StoreStatus insert(const TableDefinition &table, const Row &row, StoredRow *stored = nullptr);
    // Writes only where the version is still the one read; otherwise ChangedByOther.
    StoreStatus update(const TableDefinition &table, std::int64_t rowId, std::int64_t version, const Row &row,
                       std::int64_t *newVersion = nullptr);
    // version 0 deletes whatever version is stored; NoRecord when the record is no longer there.
    StoreStatus remove(const TableDefinition &table, std::int64_t rowId, std::int64_t version = 0);
    // Removes, in one transaction and whatever their version, the rows for which every term of the
    // filter holds (with no terms, every row); removed counts them. A clean-up of many rows costs
    // one statement instead of a read and a remove per row. A limit above 0 removes at most that
    // many (the first the filter's key meets), so that a long clean-up can go in short transactions.
    StoreStatus removeWhere(const TableDefinition &table, const std::vector<Condition> &filter, std::int64_t *removed,
                            std::int64_t limit = 0);

    // The first row in key order whose key components equal the given values.
    StoreStatus fetch(const TableDefinition &table, int key, const std::vector<Value> &values, StoredRow *row,
                      bool withMemos = true);
    StoreStatus fetchRow(const TableDefinition &table, std::int64_t rowId, StoredRow *row, bool withMemos = true);
    StoreStatus walk(const TableDefinition &table, const WalkRequest &request, std::vector<StoredRow> *rows);
    // Visits up to `limit` rows in record order after the row `afterRowId` (0: from the start)
    // with the fields' bytes, building no rows: a pass over a few columns of a large file. *last
    // is the last row visited (unchanged when none was); a visit returning false stops the scan.
    using ScanVisit = std::function<bool(const ScannedRow &row)>;
    StoreStatus scan(const TableDefinition &table, const std::vector<int> &fields, std::int64_t afterRowId, int limit,
                     const ScanVisit &visit, std::int64_t *last);
    // Highest value of an auto-numbered key; 0 when the file (or the group of leading values) is empty.
    StoreStatus highest(const TableDefinition &table, int key, std::int64_t *number);
    StoreStatus count(const TableDefinition &table, std::int64_t *records);

    // A hidden column of the row (TableDefinition::hiddenColumns). A file that has not got the
    // column yet (opened read-only) reads it as empty. A write leaves the row's version alone:
    // make it in the transaction that updates the record, so that the watch sees the change.
    StoreStatus hiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column, QString *text);
    StoreStatus setHiddenText(const TableDefinition &table, std::int64_t rowId, std::string_view column,
                              const QString &text);

    StoreStatus storedLayout(const TableDefinition &table, std::vector<StoredField> *fields);
    static std::vector<StoredField> layoutOf(const TableDefinition &table);
    StoreStatus integrityCheck(const TableDefinition &table, QString *report);
    // A consistent copy of the whole file, taken while other workstations may write.
    StoreStatus copyFile(const TableDefinition &table, const QString &destination);
    // Consistent copies of open files, in the given order, into a folder under their own names:
    // all of them show the same moment. One status per file; a failed copy leaves the older copy
    // of that file in place.
    std::vector<StoreStatus> copySet(const std::vector<const TableDefinition *> &tables, const QString &targetFolder);

    // While a restore puts the files of a folder in place, this file stands in it: a workstation
    // then opens none of them, as it would find a mixture of old and new ones.
    static QString restoreMarkerIn(const QString &folder);

    class Impl;

private:
    StoreStatus createFile(const TableDefinition &table, const QString &path);
    StoreStatus attachFile(const TableDefinition &table, OpenMode mode);

    // On a server: copies of the files as record files of the SQLite engine, all read in one snapshot.
    std::vector<StoreStatus> copySetFromServer(const std::vector<const TableDefinition *> &tables,
                                               const QStringList &destinations);

    QString m_folder;
    std::unique_ptr<Impl> m_impl;
    std::unique_ptr<ServerEngine> m_server; // set when the location is a server's
};

} // namespace vellum::store
