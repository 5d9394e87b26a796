#include "ReportRun.h"

#include "ListReportRules.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProductRecord.h"
#include "framework/ApplicationMessage.h"
#include "framework/Clock.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

DateTime::DayTime nowOf(const Clock &clock)
{
    return {clock.today(), clock.now()};
}

std::unique_ptr<RecordFile> listFile(const ReportRun::Context &context, ListReport report)
{
    switch (report) {
    case ListReport::Cases:
        return std::make_unique<RecordFileOf<CaseRecord>>(context.database, context.errors, context.createIfMissing);
    case ListReport::Archive:
        return std::make_unique<RecordFileOf<ArchiveRecord>>(context.database, context.errors, context.createIfMissing);
    case ListReport::Log:
        return std::make_unique<RecordFileOf<LogRecord>>(context.database, context.errors, context.createIfMissing);
    case ListReport::Clients:
        return std::make_unique<RecordFileOf<ClientRecord>>(context.database, context.errors, context.createIfMissing);
    case ListReport::Products:
        break;
    }
    return std::make_unique<RecordFileOf<ProductRecord>>(context.database, context.errors, context.createIfMissing);
}

template<typename R>
ProgressProcess::Handler caseHandler(std::function<bool(const CaseReportFields &)> add)
{
    return [add = std::move(add)](RecordFile &file) {
        return add(CaseReportFields::of(static_cast<RecordFileOf<R> &>(file).record()));
    };
}

} // namespace

ReportRun::ReportRun(const Context &context, ListReport report, const PrintOptions &options)
    : m_context(context),
      m_document(ListReportRules::title(report, options), nowOf(context.clock), ApplicationMessage::Title),
      m_file(listFile(context, report)), m_process(std::make_unique<ProgressProcess>(*m_file, context.clock)),
      m_tellsEmptySelection(ListReportRules::tellsEmptySelection(report)),
      m_emptyCaption(ListReportRules::emptySelectionCaption(report))
{
    m_list.emplace(m_document, ListReportRules::columns(report), context.messages);
    m_process->setOrder(ListReportRules::order(report));
    m_process->setNoRecordsMessage(false);
    m_process->setSelection(
        [report, options](const RecordFile &file) { return ListReportRules::selects(report, options, file.buffer()); });
    m_process->setHandler(m_list->handler());
}

ReportRun::ReportRun(const Context &context, CaseReportLayout::Source source, std::uint32_t caseNr)
    : m_context(context), m_document(CaseReportLayout::title(caseNr), nowOf(context.clock), ApplicationMessage::Title),
      m_source(source)
{
    auto add = [this](const CaseReportFields &fields) { return addCase(fields); };
    const bool current = source == CaseReportLayout::Source::CurrentCase;
    m_file = listFile(context, current ? ListReport::Cases : ListReport::Archive);
    m_process = std::make_unique<ProgressProcess>(*m_file, context.clock);
    m_process->setOrder(current ? CaseRecord::CaseNrKey : ArchiveRecord::CaseNrKey, {std::int64_t(caseNr)});
    m_process->setWithMemos(true);
    m_process->setNoRecordsMessage(false);
    m_process->setHandler(current ? caseHandler<CaseRecord>(add) : caseHandler<ArchiveRecord>(add));
}

ReportRun::~ReportRun()
{
    if (m_opened)
        m_file->close();
}

bool ReportRun::open()
{
    if (m_opened)
        return true;
    m_opened = m_file->open() == RecordResult::Ok;
    return m_opened;
}

void ReportRun::tellSpoolFailure()
{
    ApplicationMessage::show(m_context.messages, u"The report's pages could not be written to the temporary folder."_s,
                             MessageIcon::Exclamation);
}

bool ReportRun::addCase(const CaseReportFields &fields)
{
    for (const QString &line : CaseReportLayout::lines(fields, m_source))
        if (!m_document.addLine(line)) {
            tellSpoolFailure();
            return false;
        }
    return true;
}

ReportRun::Outcome ReportRun::conclude()
{
    if (!m_opened || m_document.failed())
        return Outcome::Failed;
    if (!m_process->reachedEnd())
        return Outcome::Stopped;
    if (!m_document.finish()) {
        tellSpoolFailure();
        return Outcome::Failed;
    }
    if (m_tellsEmptySelection && m_process->handled() == 0) {
        m_context.messages.show({m_emptyCaption, NothingSelected, MessageIcon::Information, ButtonOk, ButtonOk, {}});
        return Outcome::NothingSelected;
    }
    return Outcome::Printable;
}

QList<int> ReportRun::allPages() const
{
    QList<int> pages;
    for (int page = 1; page <= m_document.pageCount(); ++page)
        pages.append(page);
    return pages;
}

ReportRun::Outcome ReportRun::runToEnd()
{
    if (!open())
        return Outcome::Failed;
    m_process->runToEnd();
    return conclude();
}

} // namespace vellum
