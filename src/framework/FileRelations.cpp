#include "FileRelations.h"

#include "ErrorTable.h"

#include <algorithm>

namespace vellum {

using store::StoreCode;
using store::StoreStatus;

namespace {

constexpr int Failed = int(ErrorSeverity::Notify);
constexpr int OtherFailure = 1;
constexpr int ChildPage = 100;

QString fileNameOf(const store::Database &database, const store::TableDefinition &table)
{
    return database.pathOf(table);
}

// Whether a change of the parent reaches the relation's children; without rows (a delete), it does.
bool reachesChildren(const RelationDefinition &relation, const store::Row *before, const store::Row *after)
{
    const auto field = std::size_t(relation.parentField);
    if (!before || !after || before->size() <= field || after->size() <= field)
        return true;
    return relation.onUpdate != RelationRule::None && (*before)[field] != (*after)[field];
}

} // namespace

FileRelations::FileRelations(RecordFile &file, std::span<const RelationDefinition> relations)
    : m_file(file), m_relations(relations)
{
}

RecordResult FileRelations::open()
{
    if (const int opened = m_file.open(); opened != RecordResult::Ok)
        return opened;
    // The related files are read and written inside a transaction, where none can be opened any more.
    store::Database &database = m_file.database();
    for (const RelationDefinition &relation : m_relations) {
        const store::TableDefinition *other = nullptr;
        if (relation.parent == &m_file.table())
            other = relation.child;
        else if (relation.child == &m_file.table())
            other = relation.parent;
        else
            continue;
        if (StoreStatus opened = database.open(*other, store::OpenMode::ReadWrite, true); !opened) {
            ErrorReporter &errors = m_file.errors();
            errors.setError(opened);
            errors.setFile(fileNameOf(database, *other));
            return int(errors.throwError(ErrorId::OpenError));
        }
    }
    return RecordResult::Ok;
}

void FileRelations::close()
{
    m_file.close();
}

// A change locks only what it may reach: an update the children whose link it changes (and all
// below them), a delete every file below, whose children it reads. A file reached but not named
// would be locked at its first write, where the order of the locks may refuse it.
store::FileSet FileRelations::filesInTransaction(const store::Row *before, const store::Row *after) const
{
    store::FileSet files{&m_file.table()};
    for (std::size_t next = 0; next < files.size(); ++next)
        for (const RelationDefinition &relation : m_relations) {
            if (relation.parent != files[next] || std::find(files.begin(), files.end(), relation.child) != files.end())
                continue;
            if (next > 0 || reachesChildren(relation, before, after))
                files.push_back(relation.child);
        }
    return files;
}

bool FileRelations::started(const store::Transaction &transaction)
{
    if (transaction.started())
        return true;
    m_file.fail(ErrorId::TransactionFailed, transaction.started(), true);
    return false;
}

// Walks the children that carry the parent's link value, a page at a time by key position, so that
// children whose link is rewritten are neither skipped nor met twice.
FileRelations::Outcome FileRelations::forEachChild(const RelationDefinition &relation, const store::Value &link,
                                                   const std::function<Outcome(store::StoredRow &)> &action)
{
    store::Database &database = m_file.database();
    const store::TableDefinition &child = *relation.child;
    if (StoreStatus opened = database.open(child, store::OpenMode::ReadWrite, true); !opened)
        return showChildError(relation, ErrorId::OpenError, opened), Outcome::Failed;
    store::WalkRequest request;
    request.key = relation.childKey;
    request.range = {link};
    request.limit = ChildPage;
    request.withMemos = true;
    for (;;) {
        std::vector<store::StoredRow> rows;
        if (StoreStatus read = database.walk(child, request, &rows); !read)
            return showChildError(relation, ErrorId::RetrievalError, read), Outcome::Failed;
        if (rows.empty())
            return Outcome::Done;
        for (store::StoredRow &row : rows)
            if (const Outcome outcome = action(row); outcome != Outcome::Done)
                return outcome;
        // The position keeps the link value walked, whatever was written into the children.
        request.after = store::KeyPosition{{link}, rows.back().rowId};
    }
}

int FileRelations::showChildError(const RelationDefinition &relation, int id, const StoreStatus &status)
{
    ErrorReporter &errors = m_file.errors();
    errors.setError(status);
    errors.setFile(fileNameOf(m_file.database(), *relation.child));
    return int(errors.throwError(id));
}

FileRelations::Outcome FileRelations::carryToChildren(const store::TableDefinition &parent, const store::Row &before,
                                                      const store::Row &after)
{
    store::Database &database = m_file.database();
    for (const RelationDefinition &relation : m_relations) {
        if (relation.parent != &parent || relation.onUpdate == RelationRule::None)
            continue;
        const store::Value &oldLink = before[std::size_t(relation.parentField)];
        const store::Value &newLink = after[std::size_t(relation.parentField)];
        if (oldLink == newLink)
            continue;
        const Outcome outcome = forEachChild(relation, oldLink, [&](store::StoredRow &row) {
            if (relation.onUpdate == RelationRule::Restrict) {
                ErrorReporter &errors = m_file.errors();
                errors.setFile(fileNameOf(database, *relation.child));
                errors.throwError(ErrorId::RestrictedUpdate);
                return Outcome::Refused;
            }
            const store::Row childBefore = row.values;
            row.values[std::size_t(relation.childField)] =
                relation.onUpdate == RelationRule::Cascade ? newLink : store::Value(QString());
            if (StoreStatus written = database.update(*relation.child, row.rowId, row.version, row.values); !written)
                return showChildError(relation, ErrorId::UpdateError, written), Outcome::Failed;
            return carryToChildren(*relation.child, childBefore, row.values);
        });
        if (outcome != Outcome::Done)
            return outcome;
    }
    return Outcome::Done;
}

RecordResult FileRelations::update(bool fromForm)
{
    const store::Row changed = m_file.buffer();
    store::Transaction transaction(m_file.database(), filesInTransaction(&m_file.readRow(), &changed));
    if (!started(transaction))
        return Failed;
    const RecordFile::Watch watched = m_file.watch();
    const store::Row before = m_file.readRow();
    if (m_file.tryUpdate(fromForm) != RecordResult::Ok) {
        transaction.rollback();
        int id = m_file.lastError();
        if (fromForm && id == ErrorId::ChangedByOtherStation)
            id = ErrorId::ChangedByOtherStationForm;
        m_file.showError(id);
        // Another station's doing, changed or deleted: trying the same write again cannot help.
        const bool concurrency = id == ErrorId::ChangedByOtherStation || id == ErrorId::ChangedByOtherStationForm
                                 || id == ErrorId::RecordDeleted;
        return concurrency ? Failed : OtherFailure;
    }
    const Outcome carried = carryToChildren(m_file.table(), before, m_file.readRow());
    if (carried != Outcome::Done) {
        transaction.rollback();
        const store::Row attempted = m_file.buffer();
        m_file.setWatch(watched);
        if (carried == Outcome::Refused) {
            // A restricted link goes back to its original value in the form.
            store::Row restored = attempted;
            for (const RelationDefinition &relation : m_relations)
                if (relation.parent == &m_file.table())
                    restored[std::size_t(relation.parentField)] = before[std::size_t(relation.parentField)];
            m_file.setBuffer(restored);
        }
        return Failed;
    }
    if (StoreStatus committed = transaction.commit(); !committed) {
        m_file.setWatch(watched);
        m_file.fail(ErrorId::UpdateError, committed, true);
        return OtherFailure;
    }
    return RecordResult::Ok;
}

FileRelations::Outcome FileRelations::deleteChildren(const store::TableDefinition &parent, const store::Row &values)
{
    store::Database &database = m_file.database();
    for (const RelationDefinition &relation : m_relations) {
        if (relation.parent != &parent || relation.onDelete == RelationRule::None)
            continue;
        const store::Value &link = values[std::size_t(relation.parentField)];
        const Outcome outcome = forEachChild(relation, link, [&](store::StoredRow &row) {
            switch (relation.onDelete) {
            case RelationRule::Restrict:
                m_file.throwError(ErrorId::ReferencedInCases);
                return Outcome::Refused;
            case RelationRule::Cascade: {
                if (const Outcome below = deleteChildren(*relation.child, row.values); below != Outcome::Done)
                    return below;
                if (StoreStatus removed = database.remove(*relation.child, row.rowId); !removed)
                    return showChildError(relation, ErrorId::DeleteError, removed), Outcome::Failed;
                return Outcome::Done;
            }
            default: {
                row.values[std::size_t(relation.childField)] = QString();
                if (StoreStatus written = database.update(*relation.child, row.rowId, row.version, row.values);
                    !written)
                    return showChildError(relation, ErrorId::UpdateError, written), Outcome::Failed;
                return Outcome::Done;
            }
            }
        });
        if (outcome != Outcome::Done)
            return outcome;
    }
    return Outcome::Done;
}

// The record is deleted as it is stored now, not as it was read before "Confirm Delete": its
// children are looked for by the links it has now, and another station's change of it since does
// not stand in the way of the delete (nor of a retry).
FileRelations::Outcome FileRelations::removeAsStored(store::Transaction &transaction, StoreStatus *failure)
{
    store::StoredRow current;
    if (*failure = m_file.database().fetchRow(m_file.table(), m_file.rowId(), &current, false); !*failure)
        return Outcome::Failed;
    if (const Outcome children = deleteChildren(m_file.table(), current.values); children != Outcome::Done)
        return Outcome::Refused; // the children's failure has been shown
    if (m_file.tryDelete() != RecordResult::Ok) {
        *failure = m_file.lastStatus();
        return Outcome::Failed;
    }
    *failure = transaction.commit();
    return *failure ? Outcome::Done : Outcome::Failed;
}

RecordResult FileRelations::deleteRecord(bool ask)
{
    if (ask && m_file.throwError(ErrorId::ConfirmDelete) != int(ErrorSeverity::Silent))
        return Failed;
    for (;;) {
        store::Transaction transaction(m_file.database(), filesInTransaction(nullptr, nullptr));
        if (!started(transaction))
            return Failed;
        const RecordFile::Watch watched = m_file.watch();
        StoreStatus failure;
        const Outcome outcome = removeAsStored(transaction, &failure);
        if (outcome == Outcome::Done)
            return RecordResult::Ok;
        // Whatever went back with the transaction is there again, as it was read.
        transaction.rollback();
        m_file.setWatch(watched);
        if (outcome == Outcome::Refused)
            return Failed;
        m_file.fail(ErrorId::DeleteError, failure, true);
        // A record another station deleted is not there to be deleted by a retry.
        if (failure.code == StoreCode::NoRecord)
            return Failed;
        if (m_file.throwError(ErrorId::DeleteAgain) != int(ErrorSeverity::Silent))
            return Failed;
    }
}

} // namespace vellum
