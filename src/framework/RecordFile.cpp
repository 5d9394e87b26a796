#include "RecordFile.h"

#include "ErrorTable.h"
#include "store/Transaction.h"

#include <algorithm>

namespace vellum {

using store::Direction;
using store::StoreCode;
using store::StoreStatus;

namespace {

constexpr int Failed = int(ErrorSeverity::Notify); // 5: what a failed operation returns
constexpr int ReadAheadRows = 64;
constexpr int NumberingAttempts = 3;

bool contains(const std::vector<int> &values, int value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// The field of a key that carries its text; -1 for a key of numbers only.
int firstTextField(const store::TableDefinition &table, const store::KeyDefinition &key)
{
    for (int i = 0; i < key.partCount(); ++i)
        if (table.fields[std::size_t(key.parts[std::size_t(i)])].isText())
            return key.parts[std::size_t(i)];
    return -1;
}

// What a placeholder holds in an empty unique text: a value of its own number, which no record
// holds and nobody types, so that it collides with no record and no other placeholder.
QString placeholderText(std::int64_t number)
{
    return QChar(u'\x01') + QString::number(number);
}

} // namespace

RecordFile::RecordFile(store::Database &database, const store::TableDefinition &table, ErrorReporter &errors,
                       bool createIfMissing)
    : m_database(database), m_table(table), m_errors(errors), m_createIfMissing(createIfMissing)
{
}

RecordFile::~RecordFile() = default;

QString RecordFile::name() const
{
    return m_database.pathOf(m_table);
}

RecordResult RecordFile::open()
{
    clearError();
    ++m_openCount;
    if (m_opened)
        return RecordResult::Ok;
    const auto mode = [this] { return m_readOnly ? store::OpenMode::ReadOnly : store::OpenMode::ReadWrite; };
    for (int attempt = 0; attempt < 2;) {
        StoreStatus status = m_database.open(m_table, mode(), m_createIfMissing);
        if (status.code == StoreCode::AccessDenied)
            status = m_database.open(m_table, mode(), m_createIfMissing); // once more, as after lock recovery
        switch (status.code) {
        case StoreCode::Ok:
            m_opened = true;
            m_readOnly = m_database.isReadOnly(m_table);
            m_endOfFile = false;
            m_autoNumberDone = false;
            return RecordResult::Ok;
        case StoreCode::AccessDenied:
            if (m_readOnly) { // not even reading is allowed: trying read-only again is no way out
                --m_openCount;
                return fail(ErrorId::OpenError, status, true);
            }
            fail(ErrorId::AccessDenied, status, true);
            m_readOnly = true;
            ++attempt;
            continue;
        case StoreCode::InvalidKeys:
            fail(ErrorId::InvalidKeys, status, true);
            if (StoreStatus rebuilt = m_database.rebuildKeys(m_table); !rebuilt) {
                --m_openCount;
                return fail(ErrorId::RebuildKeysFailed, rebuilt, true);
            }
            continue; // start again with the keys rebuilt
        case StoreCode::CreateFailed:
            --m_openCount;
            return fail(ErrorId::CreateError, status, true);
        default:
            --m_openCount;
            return fail(ErrorId::OpenError, status, true);
        }
    }
    --m_openCount;
    return fail(ErrorId::OpenError, m_lastStatus, true);
}

void RecordFile::close()
{
    if (m_openCount > 0 && --m_openCount == 0)
        m_opened = false;
}

bool RecordFile::ensureOpen()
{
    if (m_opened)
        return true;
    fail(ErrorId::FileNotOpened, StoreStatus::failure(StoreCode::NotOpen, QStringLiteral("file not opened")), true);
    return false;
}

void RecordFile::clearError()
{
    m_lastError = 0;
    m_lastStatus = {};
}

int RecordFile::fail(int id, const StoreStatus &status, bool show)
{
    m_lastError = id;
    m_lastStatus = status;
    if (!show)
        return Failed;
    m_errors.setError(status);
    const int shown = throwError(id);
    // A question answered Yes is still a failed operation for the caller of a record operation.
    return shown == int(ErrorSeverity::Fatal) || shown == int(ErrorSeverity::ProgramError) ? shown : Failed;
}

int RecordFile::throwError(int id)
{
    m_errors.setFile(name());
    return int(m_errors.throwError(id));
}

int RecordFile::throwMessage(int id, const QString &message)
{
    m_errors.setFile(name());
    return int(m_errors.throwMessage(id, message));
}

void RecordFile::accept(store::StoredRow row)
{
    setBuffer(row.values);
    m_read = std::move(row);
}

RecordResult RecordFile::fetch(int key)
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    const store::Row values = buffer();
    const store::KeyDefinition &spec = m_table.keys[std::size_t(key)];
    std::vector<store::Value> keyValues;
    for (int i = 0; i < spec.partCount(); ++i)
        keyValues.push_back(values[std::size_t(spec.parts[std::size_t(i)])]);
    store::StoredRow row;
    const StoreStatus status = m_database.fetch(m_table, key, keyValues, &row);
    if (status.code == StoreCode::NoRecord)
        return Failed;
    if (!status)
        return fail(ErrorId::RetrievalError, status, true);
    accept(std::move(row));
    // The key first: the position holds that key's values of the record.
    m_position = {key, std::nullopt, std::nullopt};
    m_position.after = positionOf(m_read);
    m_readAhead.clear();
    return RecordResult::Ok;
}

RecordResult RecordFile::reread()
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    store::StoredRow row;
    const StoreStatus status = m_database.fetchRow(m_table, m_read.rowId, &row);
    if (status.code == StoreCode::NoRecord)
        return Failed;
    if (!status)
        return fail(ErrorId::RetrievalError, status, true);
    accept(std::move(row));
    return RecordResult::Ok;
}

store::KeyPosition RecordFile::positionOf(const store::StoredRow &row) const
{
    store::KeyPosition position;
    position.rowId = row.rowId;
    if (m_position.key >= 0) {
        const store::KeyDefinition &spec = m_table.keys[std::size_t(m_position.key)];
        for (int i = 0; i < spec.partCount(); ++i)
            position.values.push_back(row.values[std::size_t(spec.parts[std::size_t(i)])]);
    }
    return position;
}

void RecordFile::set(int key)
{
    m_position = {key, std::nullopt, std::nullopt};
    m_readAhead.clear();
    m_endOfFile = false;
}

void RecordFile::setFromBuffer(int key)
{
    const store::Row values = buffer();
    const store::KeyDefinition &spec = m_table.keys[std::size_t(key)];
    std::vector<store::Value> from;
    for (int i = 0; i < spec.partCount(); ++i)
        from.push_back(values[std::size_t(spec.parts[std::size_t(i)])]);
    m_position = {key, std::nullopt, std::move(from)};
    m_readAhead.clear();
    m_endOfFile = false;
}

void RecordFile::setRecordOrder()
{
    set(-1);
}

RecordResult RecordFile::next()
{
    return step(Direction::Forward);
}

RecordResult RecordFile::previous()
{
    return step(Direction::Backward);
}

// Records are read a page ahead (the read-ahead of sequential reading); the page's statement is
// finished before the records are handed out, so no read holds the file between calls.
RecordResult RecordFile::step(Direction direction)
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    if (direction != m_readAheadDirection)
        m_readAhead.clear();
    m_readAheadDirection = direction;
    if (m_readAhead.empty()) {
        store::WalkRequest request;
        request.key = m_position.key;
        request.direction = direction;
        request.after = m_position.after;
        if (!request.after)
            request.from = m_position.from;
        request.limit = ReadAheadRows;
        request.withMemos = true;
        std::vector<store::StoredRow> rows;
        if (const StoreStatus status = m_database.walk(m_table, request, &rows); !status)
            return fail(ErrorId::RetrievalError, status, true);
        m_readAhead.assign(std::make_move_iterator(rows.rbegin()), std::make_move_iterator(rows.rend()));
    }
    if (m_readAhead.empty()) {
        m_endOfFile = true;
        return Failed;
    }
    accept(std::move(m_readAhead.back()));
    m_readAhead.pop_back();
    m_position.after = positionOf(m_read);
    m_endOfFile = false;
    return RecordResult::Ok;
}

int RecordFile::firstDuplicateKey(std::int64_t ownRowId, const std::vector<int> &skipKeys) const
{
    const store::Row values = buffer();
    for (std::size_t key = 0; key < m_table.keys.size(); ++key) {
        const store::KeyDefinition &spec = m_table.keys[key];
        if (!spec.unique() || contains(skipKeys, int(key)))
            continue;
        std::vector<store::Value> keyValues;
        for (int i = 0; i < spec.partCount(); ++i)
            keyValues.push_back(values[std::size_t(spec.parts[std::size_t(i)])]);
        store::StoredRow found;
        if (m_database.fetch(m_table, int(key), keyValues, &found, false) && found.rowId != ownRowId)
            return int(key);
    }
    return -1;
}

int RecordFile::showError(int id)
{
    if (id == ErrorId::DuplicateKey)
        return duplicate(m_lastStatus, m_duplicateOwnRowId, true, m_duplicateSkipKeys);
    if (id == ErrorId::KeyFieldEmpty)
        return refuseEmptyKey(m_refusedField, true);
    m_errors.setError(m_lastStatus);
    return throwError(id);
}

RecordResult RecordFile::duplicate(const StoreStatus &status, std::int64_t ownRowId, bool show,
                                   const std::vector<int> &skipKeys)
{
    m_lastError = ErrorId::DuplicateKey;
    m_lastStatus = status;
    m_duplicateOwnRowId = ownRowId;
    m_duplicateSkipKeys = skipKeys;
    if (show) {
        const int key = firstDuplicateKey(ownRowId, skipKeys);
        const auto description = key >= 0 ? m_table.keys[std::size_t(key)].description : std::string_view();
        throwMessage(ErrorId::DuplicateKey, QString::fromUtf8(description.data(), qsizetype(description.size())));
    }
    return Failed;
}

// A change's duplicate is a failed change (error 25): the key it met goes into the error text.
StoreStatus RecordFile::namingTheKey(StoreStatus status) const
{
    if (const int key = firstDuplicateKey(m_read.rowId); key >= 0) {
        const std::string_view description = m_table.keys[std::size_t(key)].description;
        status.errorText = QStringLiteral("duplicate entry for the key: ")
                           + QString::fromUtf8(description.data(), qsizetype(description.size()));
    }
    return status;
}

std::vector<int> RecordFile::emptyUniqueKeys() const
{
    const store::Row values = buffer();
    std::vector<int> empty;
    for (std::size_t key = 0; key < m_table.keys.size(); ++key) {
        const store::KeyDefinition &spec = m_table.keys[key];
        if (!spec.unique() || spec.autoNumber)
            continue;
        bool hasText = false;
        bool allEmpty = true;
        for (int i = 0; i < spec.partCount(); ++i) {
            const store::FieldDefinition &field = m_table.fields[std::size_t(spec.parts[std::size_t(i)])];
            if (!field.isText())
                continue;
            hasText = true;
            const store::Value &value = values[std::size_t(spec.parts[std::size_t(i)])];
            allEmpty = allEmpty && store::fitText(store::asText(value), field.textCapacity()).isEmpty();
        }
        if (hasText && allEmpty)
            empty.push_back(int(key));
    }
    return empty;
}

int RecordFile::emptyKeyField() const
{
    const std::vector<int> empty = emptyUniqueKeys();
    return empty.empty() ? -1 : firstTextField(m_table, m_table.keys[std::size_t(empty.front())]);
}

void RecordFile::setFieldLabel(int field, const QString &label)
{
    QString name = label;
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    name = name.trimmed();
    while (name.endsWith(u':'))
        name = name.chopped(1).trimmed();
    m_fieldLabels[field] = name;
}

QString RecordFile::fieldLabel(int field) const
{
    if (auto found = m_fieldLabels.find(field); found != m_fieldLabels.end() && !found->second.isEmpty())
        return found->second;
    const std::string_view name = m_table.fields[std::size_t(field)].name;
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

RecordResult RecordFile::refuseEmptyKey(int field, bool show)
{
    m_refusedField = field;
    m_lastError = ErrorId::KeyFieldEmpty;
    m_lastStatus = StoreStatus::failure(StoreCode::Failed, QStringLiteral("%1 is empty").arg(fieldLabel(field)));
    if (show) {
        m_errors.setField(fieldLabel(field));
        throwError(ErrorId::KeyFieldEmpty);
    }
    return Failed;
}

RecordResult RecordFile::insertRecord(bool show)
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    if (const int field = emptyKeyField(); field >= 0)
        return refuseEmptyKey(field, show);
    if (m_table.autoNumberKey() >= 0 && !m_autoNumberDone) {
        // Numbering adds the whole buffer at once: the insert is then complete.
        if (allocateNumber(show) != RecordResult::Ok)
            return Failed;
        m_autoNumberDone = false;
        m_placeholder = {};
        return RecordResult::Ok;
    }
    StoreStatus status;
    store::StoredRow stored;
    if (m_autoNumberDone) {
        stored = m_placeholder;
        stored.values = store::fitRow(m_table, buffer());
        status = m_database.update(m_table, m_placeholder.rowId, m_placeholder.version, stored.values, &stored.version);
    } else {
        status = m_database.insert(m_table, buffer(), &stored);
    }
    if (status) {
        m_autoNumberDone = false;
        m_placeholder = {};
        m_read = std::move(stored);
        return RecordResult::Ok;
    }
    if (status.code == StoreCode::Duplicate)
        return duplicate(status, m_placeholder.rowId, show);
    return fail(ErrorId::InsertError, status, show);
}

RecordResult RecordFile::updateRecord(bool show, bool fromForm)
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    if (const int field = emptyKeyField(); field >= 0)
        return refuseEmptyKey(field, show);
    store::StoredRow written = m_read;
    // What was read is kept as stored, so that a link compares and carries as the file holds it.
    written.values = store::fitRow(m_table, buffer());
    const StoreStatus status =
        m_database.update(m_table, m_read.rowId, m_read.version, written.values, &written.version);
    if (status) {
        m_read = std::move(written);
        return RecordResult::Ok;
    }
    if (status.code == StoreCode::Duplicate)
        return fail(ErrorId::UpdateError, namingTheKey(status), show);
    if (status.code != StoreCode::ChangedByOther)
        return fail(ErrorId::UpdateError, status, show);
    // The buffer (and with it the form) now shows the other station's version, watched afresh;
    // a record that is gone leaves the user's values where they are.
    store::StoredRow current;
    const StoreStatus reread = m_database.fetchRow(m_table, m_read.rowId, &current);
    if (reread.code == StoreCode::NoRecord)
        return fail(ErrorId::RecordDeleted, reread, show);
    if (!reread)
        return fail(ErrorId::RetrievalError, reread, show);
    accept(std::move(current));
    return fail(fromForm ? ErrorId::ChangedByOtherStationForm : ErrorId::ChangedByOtherStation, status, show);
}

RecordResult RecordFile::tryDelete()
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    const StoreStatus status = m_database.remove(m_table, m_read.rowId);
    if (!status)
        return fail(ErrorId::DeleteError, status, false);
    m_read = {};
    m_readAhead.clear();
    return RecordResult::Ok;
}

// The number is taken by adding the record at once, so no other workstation can hand it out.
RecordFile::Numbering RecordFile::addWithNextNumber(const std::vector<int> &markedKeys, StoreStatus *status)
{
    const int key = m_table.autoNumberKey();
    const auto field = std::size_t(m_table.keys[std::size_t(key)].parts[0]);
    store::Transaction transaction(m_database, {&m_table});
    // Only a file held by another workstation may be free at the next try; a file whose table
    // cannot even be locked is not read better by another.
    if (*status = transaction.started(); !*status)
        return status->code == StoreCode::Busy ? Numbering::AddFailed : Numbering::ReadFailed;
    std::int64_t highest = 0;
    if (*status = m_database.highest(m_table, key, &highest); !*status)
        return Numbering::ReadFailed;
    store::Row row = buffer();
    row[field] = highest + 1;
    store::Row added = row;
    for (int marked : markedKeys)
        added[std::size_t(firstTextField(m_table, m_table.keys[std::size_t(marked)]))] = placeholderText(highest + 1);
    store::StoredRow stored;
    if (*status = m_database.insert(m_table, added, &stored); !*status)
        return Numbering::AddFailed;
    if (*status = transaction.commit(); !*status)
        return Numbering::AddFailed;
    setBuffer(row);
    m_placeholder = stored;
    m_read = std::move(stored);
    return Numbering::Added;
}

RecordResult RecordFile::allocateNumber(bool show)
{
    if (!ensureOpen())
        return int(ErrorSeverity::Fatal);
    clearError();
    // Empty unique texts are a placeholder's (a record is refused with them), and are given values
    // of its own number: only a number taken at the same moment makes them collide.
    const std::vector<int> marked = emptyUniqueKeys();
    std::vector<int> retried = marked;
    retried.push_back(m_table.autoNumberKey());
    for (;;) {
        StoreStatus status;
        for (int attempt = 0; attempt < NumberingAttempts; ++attempt) {
            const Numbering outcome = addWithNextNumber(marked, &status);
            if (outcome == Numbering::Added) {
                clearError(); // after "Try Again?" nothing is left of the failures before
                m_autoNumberDone = true;
                return RecordResult::Ok;
            }
            // A search for the highest number that fails is not mended by another try.
            if (outcome == Numbering::ReadFailed)
                return fail(ErrorId::RetrievalError, status, show);
            // Nor is a value that another record holds on a key other than the number's.
            if (status.code == StoreCode::Duplicate && firstDuplicateKey(0, retried) >= 0)
                return duplicate(status, 0, show, retried);
        }
        m_lastError = ErrorId::AutoNumberFailed;
        m_lastStatus = status;
        if (!show)
            return Failed;
        m_errors.setError(status);
        // Yes starts a new series of three attempts, No gives up.
        if (throwError(ErrorId::AutoNumberFailed) != int(ErrorSeverity::Silent))
            return Failed;
    }
}

RecordResult RecordFile::cancelAutoNumber()
{
    clearError();
    if (!m_autoNumberDone)
        return RecordResult::Ok;
    // A placeholder that another station deleted meanwhile has nothing left to give back.
    const StoreStatus status = m_database.remove(m_table, m_placeholder.rowId);
    if (!status && status.code != StoreCode::NoRecord)
        return fail(ErrorId::DeleteError, status, true);
    m_autoNumberDone = false;
    m_placeholder = {};
    m_read = {};
    return RecordResult::Ok;
}

RecordResult RecordFile::primeRecord()
{
    clearBuffer();
    m_read = {};
    if (m_table.autoNumberKey() >= 0)
        return primeAutoNumber();
    return RecordResult::Ok;
}

int RecordFile::saveBuffer()
{
    const int snapshot = m_nextSnapshot++;
    m_snapshots[snapshot] = buffer();
    return snapshot;
}

void RecordFile::restoreBuffer(int snapshot)
{
    if (auto found = m_snapshots.find(snapshot); found != m_snapshots.end()) {
        setBuffer(found->second);
        m_snapshots.erase(found);
    }
}

void RecordFile::discardBuffer(int snapshot)
{
    m_snapshots.erase(snapshot);
}

bool RecordFile::equalBuffer(int snapshot) const
{
    auto found = m_snapshots.find(snapshot);
    return found != m_snapshots.end() && found->second == buffer();
}

int RecordFile::savePosition()
{
    const int saved = m_nextSnapshot++;
    m_positions[saved] = {m_position, m_read};
    m_snapshots[saved] = buffer();
    return saved;
}

void RecordFile::restorePosition(int saved)
{
    auto found = m_positions.find(saved);
    if (found == m_positions.end())
        return;
    m_position = found->second.position;
    m_read = found->second.read;
    m_readAhead.clear();
    m_positions.erase(found);
    restoreBuffer(saved);
}

} // namespace vellum
