// The rules of the list reports: which record a selection prints, the title each choice gives,
// and the options a workstation remembers.

#include "ReportDesk.h"

#include "reports/ListReportRules.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"
#include "data/LogRecord.h"
#include "framework/RecordLayout.h"
#include "framework/SettingsFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::chosen;

Q_DECLARE_METATYPE(vellum::ListReport)
Q_DECLARE_METATYPE(vellum::PrintOptions)

namespace {

// A case, knowledge-base case or log entry with the owner and the status (action, or client id
// and product id for the knowledge base).
store::Row rowOf(ListReport report, const QString &owner, const QString &status, const QString &id = {})
{
    if (report == ListReport::Log) {
        LogRecord entry;
        entry.Name = owner;
        entry.Action = status;
        return toRow(entry);
    }
    if (report == ListReport::Archive) {
        ArchiveRecord archived;
        archived.Owner = owner;
        archived.Status = status;
        archived.SName = id;
        archived.IDProduct = id;
        return toRow(archived);
    }
    CaseRecord current;
    current.Owner = owner;
    current.Status = status;
    return toRow(current);
}

} // namespace

class TestListReportRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void selection_data();
    void selection();
    void titles_data();
    void titles();
    void rememberedOptions_data();
    void rememberedOptions();
};

void TestListReportRules::selection_data()
{
    QTest::addColumn<ListReport>("report");
    QTest::addColumn<PrintOptions>("chosen");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("printed");

    const ListReport cases = ListReport::Cases;
    const ListReport log = ListReport::Log;
    const ListReport kb = ListReport::Archive;
    QTest::newRow("cases: all") << cases << chosen(1, u"Admin"_s, 1) << u"Boss"_s << u"Closed"_s << QString() << true;
    QTest::newRow("cases: on hold") << cases << chosen(1, u"Admin"_s, 3) << u"Boss"_s << u"On Hold"_s << QString()
                                    << true;
    QTest::newRow("cases: active is not on hold")
        << cases << chosen(1, u"Admin"_s, 3) << u"Boss"_s << u"Active"_s << QString() << false;
    QTest::newRow("cases: status is not a prefix")
        << cases << chosen(1, u"Admin"_s, 3) << u"Boss"_s << u"On Hold!"_s << QString() << false;
    QTest::newRow("cases: of agent") << cases << chosen(2, u"Boss"_s, 2) << u"Boss"_s << u"Active"_s << QString()
                                     << true;
    QTest::newRow("cases: other agent") << cases << chosen(2, u"Boss"_s, 1) << u"Bossy"_s << u"Active"_s << QString()
                                        << false;
    QTest::newRow("cases: agent blank-padded")
        << cases << chosen(2, u"Boss"_s, 1) << u"Boss                "_s << u"Active"_s << QString() << true;
    QTest::newRow("cases: agent choice 1 ignores the name")
        << cases << chosen(1, u"Boss"_s, 4) << u"Admin"_s << u"Closed"_s << QString() << true;
    QTest::newRow("log: created") << log << chosen(1, u"Admin"_s, 2) << u"Boss"_s << u"Created"_s << QString() << true;
    QTest::newRow("log: closed is not created")
        << log << chosen(1, u"Admin"_s, 2) << u"Boss"_s << u"Closed"_s << QString() << false;
    QTest::newRow("log: of agent padded as entries are")
        << log << chosen(2, u"Employee 1"_s, 1) << u"Employee 1          "_s << u"Created"_s << QString() << true;
    QTest::newRow("kb: client equal") << kb << chosen(1, u"Admin"_s, 3, u"FEN"_s) << u"Boss"_s << u"Closed"_s
                                      << u"FEN"_s << true;
    QTest::newRow("kb: client is no prefix")
        << kb << chosen(1, u"Admin"_s, 3, u"FEN"_s) << u"Boss"_s << u"Closed"_s << u"FENWIC"_s << false;
    QTest::newRow("kb: product equal") << kb << chosen(1, u"Admin"_s, 2, u"WIDGET"_s) << u"Boss"_s << u"Closed"_s
                                       << u"WIDGET"_s << true;
    QTest::newRow("kb: product is no prefix")
        << kb << chosen(1, u"Admin"_s, 2, u"WID"_s) << u"Boss"_s << u"Closed"_s << u"WIDGET"_s << false;
    QTest::newRow("kb: closed choice selects nothing")
        << kb << chosen(1, u"Admin"_s, 4) << u"Boss"_s << u"Closed"_s << QString() << false;
    QTest::newRow("kb: of agent and client")
        << kb << chosen(2, u"Boss"_s, 3, u"FEN"_s) << u"Admin"_s << u"Closed"_s << u"FEN"_s << false;
    QTest::newRow("clients: everything") << ListReport::Clients << chosen(2, u"Boss"_s, 3) << QString() << QString()
                                         << QString() << true;
}

void TestListReportRules::selection()
{
    QFETCH(ListReport, report);
    QFETCH(PrintOptions, chosen);
    QFETCH(QString, owner);
    QFETCH(QString, status);
    QFETCH(QString, id);
    QFETCH(bool, printed);

    if (report == ListReport::Clients) {
        QVERIFY(ListReportRules::selects(report, chosen, {}));
        return;
    }
    QCOMPARE(ListReportRules::selects(report, chosen, rowOf(report, owner, status, id)), printed);
}

void TestListReportRules::titles_data()
{
    QTest::addColumn<ListReport>("report");
    QTest::addColumn<PrintOptions>("chosen");
    QTest::addColumn<QString>("title");

    QTest::newRow("cases on hold") << ListReport::Cases << chosen(1, u"Boss"_s, 3) << u"Report of All Cases On Hold"_s;
    QTest::newRow("closed cases of agent") << ListReport::Cases << chosen(2, u"Boss                "_s, 4)
                                           << u"Report of All Closed Cases of Agent Boss"_s;
    QTest::newRow("log created of agent")
        << ListReport::Log << chosen(2, u"Employee 1"_s, 2) << u"Log-Report of All Created Cases of Agent Employee 1"_s;
    QTest::newRow("log all") << ListReport::Log << chosen(1, u"Boss"_s, 1) << u"Log-Report of All Activities"_s;
    QTest::newRow("kb all of agent") << ListReport::Archive << chosen(2, u"Boss"_s, 1)
                                     << u"Report of All Knowledge Base Cases of Agent Boss"_s;
    QTest::newRow("kb product") << ListReport::Archive << chosen(1, u"Boss"_s, 2, u"WIDGET   "_s)
                                << u"Report of Knowledge Base Product WIDGET"_s;
    QTest::newRow("kb client of agent") << ListReport::Archive << chosen(2, u"Boss"_s, 3, u"FEN"_s)
                                        << u"Report of Knowledge Base Client FEN of Agent Boss"_s;
    QTest::newRow("kb closed") << ListReport::Archive << chosen(2, u"Boss"_s, 4) << QString();
    QTest::newRow("cut to 75") << ListReport::Archive << chosen(2, u"A"_s.repeated(20), 2, u"P"_s.repeated(16))
                               << QString(u"Report of Knowledge Base Product "_s + u"P"_s.repeated(16) + u" of Agent "_s
                                          + u"A"_s.repeated(20))
                                      .left(75);
    QTest::newRow("clients") << ListReport::Clients << chosen(2, u"Boss"_s, 3) << u"Report of Client File"_s;
    QTest::newRow("products") << ListReport::Products << chosen(1, u"Boss"_s, 1) << u"Report of Product File"_s;
}

void TestListReportRules::titles()
{
    QFETCH(ListReport, report);
    QFETCH(PrintOptions, chosen);
    QFETCH(QString, title);

    QCOMPARE(ListReportRules::title(report, chosen), title);
}

void TestListReportRules::rememberedOptions_data()
{
    QTest::addColumn<ListReport>("report");
    QTest::addColumn<QStringList>("lines"); // the section "Config" of the settings file
    QTest::addColumn<PrintOptions>("loaded");

    QTest::newRow("fresh cases") << ListReport::Cases << QStringList() << chosen(1, u"Admin"_s, 1);
    QTest::newRow("fresh log") << ListReport::Log << QStringList() << chosen(1, u"Admin"_s, 1);
    QTest::newRow("fresh kb") << ListReport::Archive << QStringList() << chosen(1, u"Admin"_s, 1);
    QTest::newRow("zeros and blanks") << ListReport::Cases
                                      << QStringList{u"PrintOption1=0"_s, u"PrintOption2=0"_s, u"PrintOption3=   "_s}
                                      << chosen(1, u"Admin"_s, 1);
    QTest::newRow("log keys") << ListReport::Log
                              << QStringList{u"PrintOption1=1"_s, u"PrintOption4=2"_s, u"PrintOption5=3"_s,
                                             u"PrintOption6=Boss"_s}
                              << chosen(2, u"Boss"_s, 3);
    PrintOptions kb = chosen(2, u"Boss"_s, 3);
    kb.product = u"WIDGET"_s;
    kb.client = u"FEN"_s;
    QTest::newRow("kb keys") << ListReport::Archive
                             << QStringList{u"PrintArchiveOption1=2"_s, u"PrintArchiveOption2=3"_s,
                                            u"PrintArchiveOption3=Boss"_s, u"PrintArchiveOption4=WIDGET"_s,
                                            u"PrintArchiveOption5=FEN"_s}
                             << kb;
}

void TestListReportRules::rememberedOptions()
{
    QFETCH(ListReport, report);
    QFETCH(QStringList, lines);
    QFETCH(PrintOptions, loaded);

    QTemporaryDir dir;
    QFile file(dir.filePath(u"vellum12.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write((u"[Config]\n"_s + lines.join(u'\n') + u'\n').toUtf8());
    file.close();
    const PrintOptions read = PrintOptions::load(SettingsFile(file.fileName()), report);
    QCOMPARE(read.agentChoice, loaded.agentChoice);
    QCOMPARE(read.agent, loaded.agent);
    QCOMPARE(read.secondChoice, loaded.secondChoice);
    QCOMPARE(read.product, loaded.product);
    QCOMPARE(read.client, loaded.client);
}

QTEST_GUILESS_MAIN(TestListReportRules)
#include "TestListReportRules.moc"
