// A list's layout in the settings file: what is written reads back the same, and each damaged or
// foreign value falls back to the design without touching the values beside it.

#include "framework/BrowseLayout.h"
#include "framework/SettingsFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

const QString Section = u"BrowsLog"_s;

std::vector<BrowseColumn> declared()
{
    return {{0, u"Nr"_s, 6, {}, true}, {1, u"Name"_s, 20, {}}, {2, u"Action"_s, 10, {}}};
}

BrowseLayout changed()
{
    BrowseLayout layout = BrowseLayout::designed(declared());
    std::swap(layout.columns[0], layout.columns[2]);
    layout.columns[0].width = 140;
    layout.columns[0].header = u"Did, what; 100% \"so\""_s;
    layout.columns[0].background = 0x00FF00;
    layout.columns[0].selectedText = 0x0000FF;
    layout.columns[0].dataJustify = Justify::Decimal;
    layout.columns[0].dataOffset = 4;
    layout.columns[1].hidden = true;
    layout.columns[1].underline = true;
    layout.columns[2].resizable = false;
    layout.columns[2].border = true;
    layout.columns[2].fixed = true;
    layout.x = -20;
    layout.y = 30;
    layout.width = 640;
    layout.height = 480;
    layout.horizontalScroll = false;
    layout.lineHeight = 22;
    layout.font = u"DejaVu Sans"_s;
    layout.point = 11;
    layout.color = 0x112233;
    layout.fontStyle = BrowseLayout::FontBold | BrowseLayout::FontItalic;
    layout.sortColumn = 2;
    layout.descending = true;
    return layout;
}

} // namespace

class TestBrowseLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writtenLayoutReadsBack();
    void nothingStoredIsTheDesign();
    void damagedValueFallsBack_data();
    void damagedValueFallsBack();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestBrowseLayout::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(u"vellum12.ini"_s);
}

void TestBrowseLayout::writtenLayoutReadsBack()
{
    {
        SettingsFile settings(m_path);
        QVERIFY(changed().write(settings, Section, declared()));
    }
    SettingsFile reopened(m_path);
    QCOMPARE(reopened.readText(Section, u"XploreAscDesc-?Browse:1"_s), u"Descending"_s);
    QCOMPARE(reopened.readText(Section, u"XplorePrevCol-?Browse:1"_s), u"3"_s);
    QCOMPARE(BrowseLayout::parseFormat(reopened.readText(Section, u"XploreOrigFormatString-?Browse:1"_s), 3).value(),
             BrowseLayout::designed(declared()).columns);
    QVERIFY(BrowseLayout::read(reopened, Section, declared()) == changed());
    // Another list's section is not this one's.
    QVERIFY(BrowseLayout::read(reopened, u"BrowsClients"_s, declared()) == BrowseLayout::designed(declared()));
}

void TestBrowseLayout::nothingStoredIsTheDesign()
{
    SettingsFile settings(m_path);
    QVERIFY(BrowseLayout::read(settings, Section, declared()) == BrowseLayout::designed(declared()));
}

void TestBrowseLayout::damagedValueFallsBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QString format = u"XploreFormatString-1?Browse:1"_s;
    const QString good = BrowseLayout::formatString(changed().columns);
    QString entries = good;
    QTest::newRow("format: not a format") << format << u"garbage"_s;
    QTest::newRow("format: another version") << format << QString(good).replace(0, 1, u"2"_s);
    QTest::newRow("format: a column short") << format << good.left(good.lastIndexOf(u';'));
    QTest::newRow("format: a column twice") << format << good + u';' + good.section(u';', 1, 1);
    QTest::newRow("format: an unknown column") << format << QString(good).replace(u";2,"_s, u";7,"_s);
    QTest::newRow("format: a negative width") << format << QString(good).replace(u";2,140,"_s, u";2,-140,"_s);
    QTest::newRow("format: a colour out of range") << format << QString(good).replace(u"65280"_s, u"99999999"_s);
    QTest::newRow("format: a word for a number") << format << QString(good).replace(u";2,140,"_s, u";2,wide,"_s);
    QTest::newRow("format: a field missing") << format << QString(good).replace(u";2,140,"_s, u";2,"_s);
    QTest::newRow("format: only separators") << format << u";;;;"_s;
    QTest::newRow("line height: a word") << u"XploreLineHeight-?Browse:1"_s << u"tall"_s;
    QTest::newRow("line height: negative") << u"XploreLineHeight-?Browse:1"_s << u"-5"_s;
    QTest::newRow("sort column: past the last") << u"XplorePrevCol-?Browse:1"_s << u"99"_s;
    QTest::newRow("colour: too large") << u"XploreColor-?Browse:1"_s << u"16777216"_s;
    QTest::newRow("font style: unknown bits") << u"XploreStyle-?Browse:1"_s << u"64"_s;
    QTest::newRow("scroll bar: not 0 or 1") << u"XploreHscroll-?Browse:1"_s << u"7"_s;
    QTest::newRow("width: huge") << u"XploreWidth-?Browse:1"_s << u"123456789012"_s;
}

void TestBrowseLayout::damagedValueFallsBack()
{
    QFETCH(QString, key);
    QFETCH(QString, value);

    SettingsFile settings(m_path);
    QVERIFY(changed().write(settings, Section, declared()));
    QVERIFY(settings.writeText(Section, key, value));
    const BrowseLayout read = BrowseLayout::read(settings, Section, declared());
    const BrowseLayout design = BrowseLayout::designed(declared());
    BrowseLayout want = changed();
    if (key.startsWith(u"XploreFormatString"_s))
        want.columns = design.columns;
    else if (key.startsWith(u"XploreLineHeight"_s))
        want.lineHeight = design.lineHeight;
    else if (key.startsWith(u"XplorePrevCol"_s))
        std::tie(want.sortColumn, want.descending) = std::pair(design.sortColumn, design.descending);
    else if (key.startsWith(u"XploreColor"_s))
        want.color = design.color;
    else if (key.startsWith(u"XploreStyle"_s))
        want.fontStyle = design.fontStyle;
    else if (key.startsWith(u"XploreHscroll"_s))
        want.horizontalScroll = design.horizontalScroll;
    else if (key.startsWith(u"XploreWidth"_s))
        want.width = design.width;
    QVERIFY(read == want);
}

QTEST_GUILESS_MAIN(TestBrowseLayout)
#include "TestBrowseLayout.moc"
