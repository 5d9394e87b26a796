// The counts a list's graph draws: time columns in four-hour and six-hour ranges, date columns by
// weekday and by month, other columns by display text in the order of their values, records
// without a date or time left out, the limit on distinct values; and the graph preferences with
// their defaults where a value is missing or damaged.

#include "framework/DateTime.h"
#include "framework/GraphCategories.h"
#include "framework/GraphPreferences.h"
#include "framework/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

using Grouping = GraphCategories::Grouping;

std::int32_t day(int year, int month, int dayOfMonth)
{
    return DateTime::dayNumber(QDate(year, month, dayOfMonth));
}

std::int32_t time(int hours, int minutes, int seconds = 0, int hundredths = 0)
{
    return DateTime::timeValue(QTime(hours, minutes, seconds, hundredths * 10));
}

// The categories that hold records, as "label=count".
QStringList counted(const std::vector<GraphCategories::Category> &categories)
{
    QStringList texts;
    for (const GraphCategories::Category &category : categories)
        if (category.count > 0)
            texts.append(category.label + u'=' + QString::number(category.count));
    return texts;
}

store::Value valueOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return std::int64_t(value.toLongLong());
}

} // namespace

Q_DECLARE_METATYPE(GraphCategories::Grouping)

class TestGraphCategories : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void categories_data();
    void categories();
    void tooManyValues();
    void messages();
    void preferences_data();
    void preferences();
    void storedPreferences_data();
    void storedPreferences();
};

void TestGraphCategories::categories_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<Grouping>("grouping");
    QTest::addColumn<QStringList>("expected"); // the categories with records
    QTest::addColumn<int>("categoryCount");    // with the empty ones
    QTest::addColumn<int>("records");          // the records that fell into one

    const QVariantList times{time(0, 0), time(3, 59, 59, 99), time(4, 0), time(5, 59), time(6, 0), time(11, 59),
                             time(12, 0), time(17, 59), time(18, 0), time(23, 59), DateTime::NoTime,
                             // past midnight, as a deadline may be: 00:30 on the next day
                             DateTime::HundredthsPerDay + time(0, 30)};
    QTest::newRow("time in four-hour ranges") << int(ColumnKind::Time) << times << Grouping::FourHours
                                              << QStringList{u"00:00-03:59=3"_s, u"04:00-07:59=3"_s, u"08:00-11:59=1"_s,
                                                             u"12:00-15:59=1"_s, u"16:00-19:59=2"_s, u"20:00-23:59=1"_s}
                                              << 6 << 11;
    QTest::newRow("time in six-hour ranges")
        << int(ColumnKind::Time) << times << Grouping::SixHours
        << QStringList{u"00:00-05:59=5"_s, u"06:00-11:59=2"_s, u"12:00-17:59=2"_s, u"18:00-23:59=2"_s} << 4 << 11;

    // 3 May 2004 is a Monday, 9 May a Sunday, 31 December a Friday, 1 January 2005 a Saturday.
    const QVariantList dates{day(2004, 5, 3), day(2004, 5, 9),  day(2004, 5, 10), day(2004, 12, 31),
                             day(2005, 1, 1), DateTime::NoDate, day(1801, 1, 1)};
    QTest::newRow("date by weekday") << int(ColumnKind::Date) << dates << Grouping::Weekday
                                     << QStringList{u"1 =Sunday=1"_s, u"2 =Monday=2"_s, u"5 =Thursday=1"_s,
                                                    u"6 =Friday=1"_s, u"7 =Saturday=1"_s}
                                     << 7 << 6;
    QTest::newRow("date by month") << int(ColumnKind::Date) << dates << Grouping::Month
                                   << QStringList{u"1 =January=2"_s, u"5 =May=3"_s, u"12 =December=1"_s} << 12 << 6;

    QTest::newRow("numbers in their order, not their texts'")
        << int(ColumnKind::Plain) << QVariantList{10, 9, 10, 100} << Grouping::ByValue
        << QStringList{u"9=1"_s, u"10=2"_s, u"100=1"_s} << 3 << 4;
    QTest::newRow("texts without regard to case, an empty one counted")
        << int(ColumnKind::Plain) << QVariantList{u"b"_s, u"A"_s, u"b"_s, u""_s} << Grouping::ByValue
        << QStringList{u"=1"_s, u"A=1"_s, u"b=2"_s} << 3 << 4;
}

void TestGraphCategories::categories()
{
    QFETCH(int, kind);
    QFETCH(QVariantList, values);
    QFETCH(Grouping, grouping);
    QFETCH(QStringList, expected);
    QFETCH(int, categoryCount);
    QFETCH(int, records);

    GraphCategories categories({0, u"Column"_s, 10, {}, false, ColumnKind(kind)});
    QVERIFY(categories.isEmpty());
    QVERIFY(std::find(categories.groupings().begin(), categories.groupings().end(), grouping)
            != categories.groupings().end());
    for (const QVariant &value : values)
        QVERIFY(categories.add(valueOf(value)));
    QCOMPARE(counted(categories.categories(grouping)), expected);
    QCOMPARE(int(categories.categories(grouping).size()), categoryCount);
    QCOMPARE(categories.counted(), records);
}

// The texts the list shows are the categories: values that show alike count as one, and the
// limit counts them, not the values stored.
void TestGraphCategories::tooManyValues()
{
    GraphCategories categories(
        {0, u"Name"_s, 10, [](const store::Value &value) { return store::asText(value).toUpper(); }});
    QCOMPARE(categories.groupings(), std::vector<Grouping>{Grouping::ByValue});
    for (int i = 0; i < GraphCategories::MaxCategories; ++i)
        QVERIFY(categories.add(u"name %1"_s.arg(i)));
    QVERIFY(categories.add(u"NAME 0"_s));
    QVERIFY(!categories.add(u"one more"_s));
    QVERIFY(categories.add(u"Name 7"_s));
    const auto all = categories.categories(Grouping::ByValue);
    QCOMPARE(int(all.size()), GraphCategories::MaxCategories);
    QCOMPARE(all.front(), (GraphCategories::Category{u"NAME 0"_s, 2}));
}

void TestGraphCategories::messages()
{
    QCOMPARE(GraphCategories::tooComplexText(), u"Too complex to graph - exceeds max number of categories:50"_s);
    QCOMPARE(GraphCategories::noCategoriesText(u"Date"_s), u"There are no categories to Graph of 'Date'"_s);
}

void TestGraphCategories::preferences_data()
{
    QTest::addColumn<QStringList>("stored"); // key=value
    QTest::addColumn<QList<int>>("colours");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("fontColour");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");

    const QList<int> defaults{0x000080, 0x008080, 0x800000, 0xC0C0C0, 0x800080, 0x008000, 0x808000, 0x808080};
    QTest::newRow("nothing stored") << QStringList{} << defaults << u"Arial"_s << 10 << 0 << 400 << false;
    QList<int> chosen = defaults;
    chosen[0] = 0x800000;
    chosen[1] = 255;
    chosen[7] = 0xFF00FF;
    QTest::newRow("names in any case and numbers") << QStringList{u"Col01=navy"_s,
                                                                  u"Col02= 255 "_s,
                                                                  u"Col08=FUSCHIA"_s,
                                                                  u"FontName=Courier New"_s,
                                                                  u"FontSize=12"_s,
                                                                  u"FontColor=Red"_s,
                                                                  u"FontStyle=%1"_s.arg(0x1000 + 700)}
                                                   << chosen << u"Courier New"_s << 12 << 0x0000FF << 700 << true;
    QTest::newRow("damaged values") << QStringList{u"Col01=Mauve"_s,       u"Col02=-5"_s,       u"Col03=16777216"_s,
                                                   u"Col04=12abc"_s,       u"FontName=  "_s,    u"FontSize=huge"_s,
                                                   u"FontColor=#ff0000"_s, u"FontStyle=99999"_s}
                                    << defaults << u"Arial"_s << 10 << 0 << 400 << false;
    QTest::newRow("sizes and styles out of reach")
        << QStringList{u"FontSize=0"_s, u"FontStyle=-700"_s} << defaults << u"Arial"_s << 10 << 0 << 400 << false;
}

void TestGraphCategories::preferences()
{
    QFETCH(QStringList, stored);
    QFETCH(QList<int>, colours);
    QFETCH(QString, fontName);
    QFETCH(int, fontSize);
    QFETCH(int, fontColour);
    QFETCH(int, weight);
    QFETCH(bool, italic);

    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(u"station.ini"_s));
    for (const QString &entry : stored)
        QVERIFY(settings.writeText(GraphPreferences::Section, entry.section(u'=', 0, 0), entry.section(u'=', 1)));
    const GraphPreferences preferences(settings);
    QCOMPARE(QList<int>(preferences.colours().begin(), preferences.colours().end()), colours);
    QCOMPARE(preferences.font().name, fontName);
    QCOMPARE(preferences.font().size, fontSize);
    QCOMPARE(preferences.font().colour, fontColour);
    QCOMPARE(preferences.font().weight, weight);
    QCOMPARE(preferences.font().italic, italic);
}

void TestGraphCategories::storedPreferences_data()
{
    QTest::addColumn<QStringList>("read");    // the file the preferences are read from
    QTest::addColumn<bool>("writable");       // whether the file they are stored in can be written
    QTest::addColumn<QStringList>("written"); // keys of the stored file, as text

    QTest::newRow("designed values") << QStringList{} << true
                                     << QStringList{u"Col01=Maroon"_s,   u"Col13=Fuschia"_s, u"Col16=Black"_s,
                                                    u"FontName=Arial"_s, u"FontSize=10"_s,   u"FontColor=Black"_s,
                                                    u"FontStyle=400"_s};
    QStringList everyKey{u"FontName=Courier New"_s, u"FontSize=14"_s, u"FontColor=1193046"_s,
                         u"FontStyle=%1"_s.arg(0x7000 + 600)};
    for (int i = 0; i < GraphPreferences::ColourCount; ++i)
        everyKey.append(GraphPreferences::colourKey(i) + u'=' + QString::number(0x010203 * (i + 1)));
    everyKey[4] = u"Col01=navy"_s;
    QTest::newRow("every key chosen") << everyKey << true << QStringList{u"Col01=Navy"_s,     u"Col02=132102"_s,
                                                                         u"Col16=1056816"_s,  u"FontName=Courier New"_s,
                                                                         u"FontSize=14"_s,    u"FontColor=1193046"_s,
                                                                         u"FontStyle=29272"_s};
    QTest::newRow("file that cannot be written") << QStringList{u"Col01=1"_s} << false << QStringList{};
}

void TestGraphCategories::storedPreferences()
{
    QFETCH(QStringList, read);
    QFETCH(bool, writable);
    QFETCH(QStringList, written);

    QTemporaryDir dir;
    SettingsFile source(dir.filePath(u"source.ini"_s));
    for (const QString &entry : read)
        QVERIFY(source.writeText(GraphPreferences::Section, entry.section(u'=', 0, 0), entry.section(u'=', 1)));
    const GraphPreferences preferences(source);

    // A regular file where the folder should be makes every write fail.
    QFile blocker(dir.filePath(u"blocker"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString target = writable ? dir.filePath(u"target.ini"_s) : blocker.fileName() + u"/target.ini"_s;
    {
        SettingsFile settings(target);
        QCOMPARE(preferences.store(settings), writable);
    }
    QCOMPARE(QFile::exists(target), writable);
    if (!writable)
        return;

    const SettingsFile stored(target);
    QCOMPARE(GraphPreferences(stored), preferences);
    for (const QString &entry : written)
        QCOMPARE(stored.readText(GraphPreferences::Section, entry.section(u'=', 0, 0)), entry.section(u'=', 1));
}

QTEST_GUILESS_MAIN(TestGraphCategories)
#include "TestGraphCategories.moc"
