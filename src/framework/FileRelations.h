#pragma once
// Keeps linked files consistent: a parent's changed link is carried into its children, and a
// parent that still has children is not deleted. Each change runs in one transaction.

#include "RecordFile.h"
#include "RelationDefinition.h"
#include "store/Transaction.h"

#include <span>

namespace vellum {

class FileRelations {
public:
    // `relations` holds every link of the application; this file's parents and children are found in it.
    FileRelations(RecordFile &file, std::span<const RelationDefinition> relations);

    RecordFile &file() const { return m_file; }
    RecordResult open();
    void close();

    // Writes the buffer back; returns 0, 5 after a concurrency failure or a refused link change, 1 otherwise.
    RecordResult update(bool fromForm = true);
    // Deletes the record last read, after "Confirm Delete" when asked; 0 when it is gone.
    RecordResult deleteRecord(bool ask = true);

private:
    enum class Outcome { Done, Refused, Failed };

    // The files a change writes or reads, locked at its start; an update names the rows before and
    // after, a delete none.
    store::FileSet filesInTransaction(const store::Row *before, const store::Row *after) const;
    bool started(const store::Transaction &transaction);
    Outcome carryToChildren(const store::TableDefinition &parent, const store::Row &before, const store::Row &after);
    Outcome deleteChildren(const store::TableDefinition &parent, const store::Row &values);
    Outcome removeAsStored(store::Transaction &transaction, store::StoreStatus *failure);
    Outcome forEachChild(const RelationDefinition &relation, const store::Value &link,
                         const std::function<Outcome(store::StoredRow &)> &action);
    int showChildError(const RelationDefinition &relation, int id, const store::StoreStatus &status);

    RecordFile &m_file;
    std::span<const RelationDefinition> m_relations;
};

} // namespace vellum
