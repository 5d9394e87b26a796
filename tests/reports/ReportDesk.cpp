#include "ReportDesk.h"

#include "framework/widgets/ReportRenderer.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace vellum::test {

PrintOptions chosen(int agentChoice, const QString &agent, int second, const QString &id)
{
    PrintOptions options;
    options.agentChoice = agentChoice;
    options.agent = agent;
    options.secondChoice = second;
    options.product = options.client = id;
    return options;
}

ReportDesk::ReportDesk()
    : m_errors(m_messages, [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); }),
      m_database(std::make_unique<store::Database>(m_dir.path()))
{
}

void ReportDesk::createEmpty(const store::TableDefinition &table)
{
    QVERIFY(m_database->open(table, store::OpenMode::ReadWrite, true));
}

void ReportDesk::storeRow(const store::TableDefinition &table, const store::Row &row)
{
    createEmpty(table);
    QVERIFY(m_database->insert(table, row));
}

QStringList ReportDesk::pdfPages(const ReportRun &run)
{
    const QString path = m_dir.filePath(u"report.pdf"_s);
    if (!ReportRenderer(run.document()).writePdf(path, run.allPages()))
        return {u"no PDF written"_s};
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {u"pdftotext failed: "_s + QString::fromUtf8(pdftotext.readAllStandardError())};
    QStringList text = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (!text.isEmpty() && text.last().trimmed().isEmpty())
        text.removeLast();
    return text;
}

} // namespace vellum::test
