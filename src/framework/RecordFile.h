#pragma once
// One record file as a window uses it: opens it, reads in key or record order, inserts with
// automatic numbering, writes back under the watch, and keeps snapshots of its buffer.
// Every window owns its own RecordFile objects (and so its own buffer); they share the
// workstation's connection. Operations return an ErrorSeverity value as int: 0 is success.

#include "ErrorReporter.h"
#include "RecordLayout.h"
#include "RecordResult.h"
#include "store/Database.h"

#include <map>
#include <optional>
#include <vector>

namespace vellum {

class RecordFile {
public:
    RecordFile(store::Database &database, const store::TableDefinition &table, ErrorReporter &errors,
               bool createIfMissing);
    virtual ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    const store::TableDefinition &table() const { return m_table; }
    store::Database &database() const { return m_database; }
    ErrorReporter &errors() const { return m_errors; }
    QString name() const; // the full path, as %File shows it

    RecordResult open();
    void close();
    bool isOpen() const { return m_opened; }
    bool isReadOnly() const { return m_readOnly; }

    // Reads the record whose key equals the buffer's key fields; 5 when there is none.
    RecordResult fetch(int key);
    // Re-reads the record last read and watches it again (a list does so before a change).
    RecordResult reread();

    // Where Next and Previous start: the first (last) record of a key, the buffer's key values, record order.
    void set(int key);
    void setFromBuffer(int key);
    void setRecordOrder();
    RecordResult next();
    RecordResult previous();
    bool endOfFile() const { return m_endOfFile; }

    RecordResult insert() { return insertRecord(true); }
    RecordResult tryInsert() { return insertRecord(false); }
    RecordResult update(bool fromForm = false) { return updateRecord(true, fromForm); }
    RecordResult tryUpdate(bool fromForm = false) { return updateRecord(false, fromForm); }
    // Deletes the record last read, whatever its version: a delete has no watch.
    RecordResult tryDelete();

    RecordResult primeRecord();
    RecordResult primeAutoNumber() { return allocateNumber(true); }
    RecordResult tryPrimeAutoNumber() { return allocateNumber(false); }
    RecordResult cancelAutoNumber();
    bool autoNumberDone() const { return m_autoNumberDone; }

    int saveBuffer();
    void restoreBuffer(int snapshot);
    void discardBuffer(int snapshot);
    bool equalBuffer(int snapshot) const;

    int savePosition();
    void restorePosition(int saved);

    // Show an error of the table for this file; they answer what the message box answered.
    int throwError(int id);
    int throwMessage(int id, const QString &message);
    // Records error id with the store's status as this file's last error, and shows it when asked.
    int fail(int id, const store::StoreStatus &status, bool show);
    // The error of the last operation; 0 when it succeeded. Every operation sets it afresh.
    RecordResult lastError() const { return m_lastError; }
    // Shows an error that a Try operation only recorded, with the context it recorded.
    int showError(int id);
    const store::StoreStatus &lastStatus() const { return m_lastStatus; }

    // A unique key whose texts are all empty would let a record without its name in, and then
    // keep every other such record out: inserts and changes refuse it, naming the field. This is
    // the key's first text field in the buffer, or -1 when every unique key has its text.
    int emptyKeyField() const;
    // The name a message gives the field: the label a window shows for it, else its own name.
    void setFieldLabel(int field, const QString &label);
    QString fieldLabel(int field) const;

    // The record as it was last read or written: what the watch compares and links change from.
    const store::Row &readRow() const { return m_read.values; }
    std::int64_t rowId() const { return m_read.rowId; }
    struct Watch {
        store::StoredRow read;
    };
    Watch watch() const { return {m_read}; }
    void setWatch(const Watch &watch) { m_read = watch.read; }

    // The buffer in generic form; the typed subclass holds the record itself.
    virtual store::Row buffer() const = 0;
    virtual void setBuffer(const store::Row &row) = 0;

protected:
    virtual void clearBuffer() = 0; // empty record with the file's defaults

private:
    struct Position {
        int key = -1;
        std::optional<store::KeyPosition> after;
        std::optional<std::vector<store::Value>> from;
    };
    struct SavedPosition {
        Position position;
        store::StoredRow read;
    };

    enum class Numbering { Added, ReadFailed, AddFailed };

    bool ensureOpen();
    void clearError();
    RecordResult insertRecord(bool show);
    RecordResult duplicate(const store::StoreStatus &status, std::int64_t ownRowId, bool show,
                           const std::vector<int> &skipKeys = {});
    store::StoreStatus namingTheKey(store::StoreStatus status) const;
    RecordResult refuseEmptyKey(int field, bool show);
    RecordResult updateRecord(bool show, bool fromForm);
    RecordResult allocateNumber(bool show);
    Numbering addWithNextNumber(const std::vector<int> &markedKeys, store::StoreStatus *status);
    std::vector<int> emptyUniqueKeys() const;
    int firstDuplicateKey(std::int64_t ownRowId, const std::vector<int> &skipKeys = {}) const;
    void accept(store::StoredRow row);
    RecordResult step(store::Direction direction);
    store::KeyPosition positionOf(const store::StoredRow &row) const;

    store::Database &m_database;
    const store::TableDefinition &m_table;
    ErrorReporter &m_errors;
    bool m_createIfMissing;
    bool m_readOnly = false;
    bool m_opened = false;
    int m_openCount = 0;
    bool m_endOfFile = false;
    bool m_autoNumberDone = false;
    int m_lastError = 0;
    store::StoreStatus m_lastStatus;
    std::int64_t m_duplicateOwnRowId = 0; // the record a duplicate may match without being one
    std::vector<int> m_duplicateSkipKeys;
    int m_refusedField = -1; // the field of the empty key an insert or change was refused for
    std::map<int, QString> m_fieldLabels;
    store::StoredRow m_read;        // identity, version and values of the record last read
    store::StoredRow m_placeholder; // the record added by automatic numbering
    Position m_position;
    std::vector<store::StoredRow> m_readAhead; // the rest of the page last read, nearest first
    store::Direction m_readAheadDirection = store::Direction::Forward;
    std::map<int, store::Row> m_snapshots;
    std::map<int, SavedPosition> m_positions;
    int m_nextSnapshot = 1;
};

// A record file whose buffer is the record struct R itself.
template<class R>
class RecordFileOf final : public RecordFile {
public:
    RecordFileOf(store::Database &database, ErrorReporter &errors, bool createIfMissing = true)
        : RecordFile(database, R::table(), errors, createIfMissing)
    {
    }
    ~RecordFileOf() override = default;

    R &record() { return m_record; }
    const R &record() const { return m_record; }

    store::Row buffer() const override { return toRow(m_record); }
    void setBuffer(const store::Row &row) override { m_record = fromRow<R>(row); }

protected:
    void clearBuffer() override
    {
        if constexpr (requires { R::primed(); })
            m_record = R::primed();
        else
            m_record = R{};
    }

private:
    R m_record{};
};

} // namespace vellum
