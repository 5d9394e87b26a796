#include "CaseSearch.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "framework/ErrorTable.h"
#include "framework/RecordFile.h"
#include "store/Database.h"

namespace vellum {

namespace {

// The scanned fields: the result row's, then the one searched.
enum ScanColumn { ScanCaseNr, ScanSName, ScanLName, ScanIDProduct, ScanProduct, ScanSProblem, ScanSearched };

template<typename R>
std::vector<int> scanFields(int searched)
{
    using Col = typename R::Col;
    return {Col::CaseNr, Col::SName, Col::LName, Col::IDProduct, Col::Product, Col::SProblem, searched};
}

QString textOf(std::string_view utf8)
{
    return SearchPhrase::withoutTrailingBlanks(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::uint32_t numberOf(std::string_view digits)
{
    std::uint32_t number = 0;
    for (const char c : digits)
        number = number * 10 + std::uint32_t(c - '0');
    return number;
}

template<typename R>
bool hasCase(store::Database &database, ErrorReporter &errors, std::uint32_t caseNr)
{
    RecordFileOf<R> file(database, errors);
    if (file.open() != RecordResult::Ok)
        return false;
    file.record().CaseNr = caseNr;
    return file.fetch(R::CaseNrKey) == RecordResult::Ok;
}

} // namespace

struct CaseSearch::Pass {
    std::unique_ptr<RecordFile> file;
    std::vector<int> fields;
    QString source;
    std::int64_t lastRowId = 0;
};

CaseSearch::CaseSearch(store::Database &database, ErrorReporter &errors, SearchScope scope,
                       const SearchSubject &subject, const QString &phrase)
    : m_phrase(phrase)
{
    if (scope != SearchScope::Archive) {
        auto file = std::make_unique<RecordFileOf<CaseRecord>>(database, errors);
        m_passes.push_back({std::move(file), scanFields<CaseRecord>(subject.caseField), SearchSource::Case});
    }
    if (scope != SearchScope::Cases) {
        auto file = std::make_unique<RecordFileOf<ArchiveRecord>>(database, errors);
        m_passes.push_back({std::move(file), scanFields<ArchiveRecord>(subject.archiveField), SearchSource::Archive});
    }
    // A file that cannot be opened has said why; its pass is left out.
    std::erase_if(m_passes, [this](Pass &pass) {
        std::int64_t records = 0;
        if (pass.file->open() != RecordResult::Ok)
            return true;
        if (const store::StoreStatus counted = pass.file->database().count(pass.file->table(), &records); !counted) {
            pass.file->fail(ErrorId::RetrievalError, counted, true);
            return true;
        }
        m_total += records;
        return false;
    });
}

CaseSearch::~CaseSearch() = default;

bool CaseSearch::step(int records)
{
    while (records > 0 && !finished()) {
        Pass &pass = m_passes[m_current];
        int visited = 0;
        const auto visit = [&](const store::ScannedRow &row) {
            ++visited;
            if (m_phrase.foundIn(row.texts[ScanSearched]))
                addHit(pass, row.texts);
            return true;
        };
        const store::StoreStatus scanned = pass.file->database().scan(pass.file->table(), pass.fields, pass.lastRowId,
                                                                      records, visit, &pass.lastRowId);
        m_read += visited;
        records -= visited;
        if (!scanned) {
            pass.file->fail(ErrorId::RetrievalError, scanned, true);
            ++m_current;
        } else if (records > 0) {
            ++m_current; // the file ran out before the step did
        }
    }
    return !finished();
}

void CaseSearch::runToEnd()
{
    while (step(4096)) {
    }
}

bool CaseSearch::finished() const
{
    return m_current >= m_passes.size();
}

void CaseSearch::stop()
{
    m_current = m_passes.size();
}

void CaseSearch::addHit(const Pass &pass, std::span<const std::string_view> texts)
{
    SearchResultRow row;
    row.Nr = std::uint32_t(m_rows.size() + 1);
    row.CaseNr = numberOf(texts[ScanCaseNr]);
    row.SName = textOf(texts[ScanSName]);
    row.LName = textOf(texts[ScanLName]);
    row.IDProduct = textOf(texts[ScanIDProduct]);
    row.Product = textOf(texts[ScanProduct]);
    row.SProblem = textOf(texts[ScanSProblem]);
    row.FromFile = pass.source;
    m_rows.push_back(std::move(row));
}

std::optional<QString> CaseSearch::findCaseNumber(store::Database &database, ErrorReporter &errors, SearchScope scope,
                                                  const QString &phrase)
{
    const std::uint32_t caseNr = SearchPhrase(phrase).caseNumber();
    if (scope != SearchScope::Archive && hasCase<CaseRecord>(database, errors, caseNr))
        return SearchSource::Case;
    if (scope != SearchScope::Cases && hasCase<ArchiveRecord>(database, errors, caseNr))
        return SearchSource::Archive;
    return std::nullopt;
}

} // namespace vellum
