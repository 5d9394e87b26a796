// A list's export file: the CSV read back and the HTML table parsed back into the header texts
// and the texts the list shows (quotes, ampersands, less-than signs, commas included); an export
// that does not finish leaves the earlier file as it was; a folder that cannot take the file is told.

#include "framework/CsvLine.h"
#include "framework/DateTime.h"
#include "framework/ListExport.h"

#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMessages;

namespace {

const std::vector<BrowseColumn> Columns{
    {0, u"Name"_s, 20, {}},
    {1, u"Nr"_s, 5, ColumnFormat::number, true},
    dateColumn(2, u"Date"_s),
};

const QString Awkward = uR"(Smith "Jr" & <Sons>, Ltd)"_s;

const std::vector<store::Row> Rows{
    {Awkward, std::int64_t(7), std::int64_t(DateTime::dayNumber(QDate(2004, 5, 3)))},
    {u"plain "_s, std::int64_t(0), std::int64_t(DateTime::NoDate)},
};

// The texts the file should hold: the header, then each row as the list shows it, without padding.
const QList<QStringList> Expected{
    {u"Name"_s, u"Nr"_s, u"Date"_s},
    {Awkward, u"7"_s, u"3/05/04"_s},
    {u"plain"_s, u"0"_s, QString()},
};

QString contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"(missing)"_s;
}

// The cells of every row of the document's one table, and its border.
QList<QStringList> tableOf(const QString &html, QString *border)
{
    QList<QStringList> rows;
    QXmlStreamReader reader(html);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"table"_s)
            *border = reader.attributes().value(u"border"_s).toString();
        else if (reader.name() == u"tr"_s)
            rows.append(QStringList());
        else if (reader.name() == u"th"_s || reader.name() == u"td"_s)
            rows.last().append(reader.readElementText());
    }
    if (reader.hasError())
        rows.append({u"parse error: "_s + reader.errorString()});
    return rows;
}

} // namespace

class TestListExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void readsBack_data();
    void readsBack();
    void unfinishedKeepsEarlierFile();
    void folderThatCannotTakeIt();

private:
    bool exportRows(ListExport::Format format, const QString &folder, bool complete);

    ScriptedMessages m_messages;
};

void TestListExport::cleanup()
{
    QVERIFY2(m_messages.failures().isEmpty(), qPrintable(m_messages.unexpected()));
}

bool TestListExport::exportRows(ListExport::Format format, const QString &folder, bool complete)
{
    ListExport file(format, Columns, u"Things & <more>"_s, folder, m_messages);
    if (!file.open())
        return false;
    for (const store::Row &row : Rows)
        if (!file.add(row))
            return false;
    return file.finish(complete);
}

void TestListExport::readsBack_data()
{
    QTest::addColumn<bool>("html");
    QTest::newRow("CSV") << false;
    QTest::newRow("HTML") << true;
}

void TestListExport::readsBack()
{
    QFETCH(bool, html);
    QTemporaryDir dir;
    const auto format = html ? ListExport::Format::Html : ListExport::Format::Csv;
    QVERIFY(exportRows(format, dir.path(), true));
    const QString path = dir.filePath(html ? u"XPort.HTM"_s : u"XPort.CSV"_s);
    const QString text = contents(path);
    QList<QStringList> rows;
    if (html) {
        QString border;
        rows = tableOf(text, &border);
        QCOMPARE(border, u"2"_s);
        QVERIFY(text.contains(u"<title>Things &amp; &lt;more&gt;</title>"_s));
    } else {
        QVERIFY(text.endsWith(u"\r\n"_s));
        for (const QString &line : text.split(u"\r\n"_s, Qt::SkipEmptyParts))
            rows.append(CsvLine::fields(line).value_or(QStringList{u"unreadable: "_s + line}));
    }
    QCOMPARE(rows, Expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

// Cancelled or failed, an export leaves no partial file under the export's name: the earlier
// export stays as it was, and no file written aside is left behind.
void TestListExport::unfinishedKeepsEarlierFile()
{
    QTemporaryDir dir;
    ListExport earlier(ListExport::Format::Csv, Columns, u"Things"_s, dir.path(), m_messages);
    QVERIFY(earlier.open());
    QVERIFY(earlier.finish(true));
    const QString path = dir.filePath(u"XPort.CSV"_s);
    const QString before = contents(path);
    QCOMPARE(before, u"\"Name\",\"Nr\",\"Date\"\r\n"_s);

    QVERIFY(!exportRows(ListExport::Format::Csv, dir.path(), false));
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"XPort.CSV"_s});
}

void TestListExport::folderThatCannotTakeIt()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"gone"_s);
    m_messages.expect(u"could not be written"_s, ButtonOk);
    ListExport file(ListExport::Format::Html, Columns, u"Things"_s, missing, m_messages);
    QVERIFY(!file.open());
    QVERIFY(!file.finish(true));
    QVERIFY(m_messages.shown().last().text.contains(missing));
    QVERIFY(!QFileInfo::exists(missing));
}

QTEST_GUILESS_MAIN(TestListExport)
#include "TestListExport.moc"
