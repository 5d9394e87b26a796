#pragma once
// One search over the files in scope: every record in record order, current cases first, the
// knowledge base after them with the numbering continued. It runs in steps of a number of
// records, so that its window stays responsive and can stop it between two steps. A file that
// cannot be read ends its own pass (reported through the file's errors); the next file still runs.
// The case-number subject does not walk: it fetches by key (findCaseNumber).

#include "SearchPhrase.h"
#include "SearchResultRow.h"
#include "SearchSubject.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vellum {

class ErrorReporter;
class RecordFile;
namespace store {
class Database;
}

class CaseSearch {
public:
    CaseSearch(store::Database &database, ErrorReporter &errors, SearchScope scope, const SearchSubject &subject,
               const QString &phrase);
    ~CaseSearch();
    CaseSearch(const CaseSearch &) = delete;
    CaseSearch &operator=(const CaseSearch &) = delete;

    // The records of every file in scope: the progress bar's range. A file that cannot be opened
    // counts 0 and is not searched.
    std::int64_t total() const { return m_total; }
    // Reads up to `records` more records; false once every pass has ended.
    bool step(int records);
    // Runs every step at once (tests, benchmarks).
    void runToEnd();
    // Ends every pass now; the hits found so far stay.
    void stop();
    bool finished() const;
    // Records read so far, over all files.
    std::int64_t read() const { return m_read; }
    const std::vector<SearchResultRow> &rows() const { return m_rows; }

    // Subject 1: the source ("Case" or "Archive") of the case with the phrase's number, current
    // cases first; nullopt when no file in scope has it.
    static std::optional<QString> findCaseNumber(store::Database &database, ErrorReporter &errors, SearchScope scope,
                                                 const QString &phrase);

private:
    struct Pass;

    void addPass(std::unique_ptr<RecordFile> file, int field, const QString &source);
    void addHit(const Pass &pass, std::span<const std::string_view> texts);

    SearchPhrase m_phrase;
    std::vector<Pass> m_passes;
    std::size_t m_current = 0;
    std::int64_t m_total = 0;
    std::int64_t m_read = 0;
    std::vector<SearchResultRow> m_rows;
};

} // namespace vellum
