// The CSV line reader and writer: fields bare and quoted, commas and doubled quotes inside
// quotes, empty fields, and the broken quoting that makes a line unusable; every quoted text
// reads back into itself.

#include "framework/CsvLine.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestCsvLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fields_data();
    void fields();
    void quotedReadsBack_data();
    void quotedReadsBack();
};

void TestCsvLine::fields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty line") << QString() << true << QStringList{QString()};
    QTest::newRow("bare") << u"1,two, three "_s << true << QStringList{u"1"_s, u"two"_s, u" three "_s};
    QTest::newRow("quoted") << uR"("a","b c")"_s << true << QStringList{u"a"_s, u"b c"_s};
    QTest::newRow("comma inside quotes") << uR"("x, y",z)"_s << true << QStringList{u"x, y"_s, u"z"_s};
    QTest::newRow("doubled quote") << uR"("say ""hi""")"_s << true << QStringList{uR"(say "hi")"_s};
    QTest::newRow("empty fields") << u",\"\","_s << true << QStringList{QString(), QString(), QString()};
    QTest::newRow("quote inside a bare field") << uR"(ab"c,d)"_s << true << QStringList{uR"(ab"c)"_s, u"d"_s};
    QTest::newRow("quotes do not close") << uR"("open,b)"_s << false << QStringList{};
    QTest::newRow("text after closing quote") << uR"("a"b,c)"_s << false << QStringList{};
    QTest::newRow("lone quote") << u"\""_s << false << QStringList{};
}

void TestCsvLine::fields()
{
    QFETCH(QString, line);
    QFETCH(bool, usable);
    QFETCH(QStringList, expected);
    const std::optional<QStringList> read = CsvLine::fields(line);
    QCOMPARE(read.has_value(), usable);
    if (usable)
        QCOMPARE(*read, expected);
}

void TestCsvLine::quotedReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << u"Acme"_s;
    QTest::newRow("comma and quotes") << uR"(Smith, "Jones" & Co)"_s;
    QTest::newRow("only quotes") << u"\"\"\""_s;
    QTest::newRow("blanks") << u"  two  blanks  "_s;
}

void TestCsvLine::quotedReadsBack()
{
    QFETCH(QString, text);
    const QString line = CsvLine::quoted(text) + u',' + CsvLine::quoted(text);
    QCOMPARE(CsvLine::fields(line), std::optional<QStringList>(QStringList{text, text}));
}

QTEST_MAIN(TestCsvLine)
#include "TestCsvLine.moc"
