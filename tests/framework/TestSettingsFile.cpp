#include "framework/SettingsFile.h"
#include "framework/WindowPlacement.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void foundWithoutRegardToCase_data();
    void foundWithoutRegardToCase();
    void keepsTheSpellingFirstWritten();
    void missingKeyReadsEmptyAndZero();
    void leadingNumber_data();
    void leadingNumber();
    void numbersAreWrittenInDecimal();
    void writesReachTheFileAtOnce();
    void damagedFileIsReadAsFarAsItGoes_data();
    void damagedFileIsReadAsFarAsItGoes();
    void wideFileIsReadAndStaysWide_data();
    void wideFileIsReadAndStaysWide();
    void unwritablePathKeepsTheValueForTheRun();
    void utf8ValuesRoundTrip();
    void placementKeptInsideArea_data();
    void placementKeptInsideArea();

private:
    QString iniPath() const { return m_dir->filePath(u"vellum12.ini"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettingsFile::foundWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("askedSection");
    QTest::addColumn<QString>("askedKey");

    QTest::newRow("as written") << u"Config"_s << u"DataBase"_s << u"Config"_s << u"DataBase"_s;
    QTest::newRow("upper") << u"Config"_s << u"DataBase"_s << u"CONFIG"_s << u"DATABASE"_s;
    QTest::newRow("lower") << u"Config"_s << u"DataBase"_s << u"config"_s << u"database"_s;
    QTest::newRow("user section beyond ASCII")
        << u"Jürgen Öster"_s << u"ViewFlag2"_s << u"JÜRGEN ÖSTER"_s << u"viewflag2"_s;
}

void TestSettingsFile::foundWithoutRegardToCase()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, askedSection);
    QFETCH(QString, askedKey);

    SettingsFile settings(iniPath());
    QVERIFY(settings.writeText(section, key, u"value"_s));
    QCOMPARE(settings.readText(askedSection, askedKey), u"value"_s);
    QVERIFY(settings.contains(askedSection, askedKey));

    const SettingsFile reopened(iniPath());
    QCOMPARE(reopened.readText(askedSection, askedKey), u"value"_s);
}

void TestSettingsFile::keepsTheSpellingFirstWritten()
{
    SettingsFile settings(iniPath());
    QVERIFY(settings.writeText(u"Config"_s, u"DataBase"_s, u"/first"_s));
    QVERIFY(settings.writeText(u"CONFIG"_s, u"database"_s, u"/second"_s));
    QCOMPARE(contentsOf(iniPath()), "[Config]\nDataBase=/second\n"_ba);
}

void TestSettingsFile::missingKeyReadsEmptyAndZero()
{
    SettingsFile settings(iniPath());
    QVERIFY(settings.writeText(u"Config"_s, u"Color"_s, u"5"_s));
    for (const auto &[section, key] : {std::pair(u"Config"_s, u"WallSel"_s), std::pair(u"Main"_s, u"Color"_s)}) {
        QCOMPARE(settings.readText(section, key), QString());
        QCOMPARE(settings.readNumber(section, key), 0);
        QVERIFY(!settings.contains(section, key));
    }
}

void TestSettingsFile::leadingNumber_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("number");

    QTest::newRow("plain") << u"12975860"_s << 12975860;
    QTest::newRow("letters after") << u"12abc"_s << 12;
    QTest::newRow("negative") << u"-7"_s << -7;
    QTest::newRow("blanks around") << u"  42  "_s << 42;
    QTest::newRow("letters only") << u"Yes"_s << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("digits of another script end the number") << u"12\u0663"_s << 12;
}

void TestSettingsFile::leadingNumber()
{
    QFETCH(QString, stored);
    QFETCH(int, number);

    SettingsFile settings(iniPath());
    settings.writeText(u"Config"_s, u"Color"_s, stored);
    QCOMPARE(settings.readNumber(u"Config"_s, u"Color"_s), number);
    QCOMPARE(SettingsFile(iniPath()).readNumber(u"Config"_s, u"Color"_s), number);
}

void TestSettingsFile::numbersAreWrittenInDecimal()
{
    SettingsFile settings(iniPath());
    QVERIFY(settings.writeNumber(u"Config"_s, u"Color"_s, 12975860));
    QVERIFY(settings.writeNumber(u"Config"_s, u"MessageOnOff"_s, 0));
    QCOMPARE(settings.readText(u"Config"_s, u"Color"_s), u"12975860"_s);
    QCOMPARE(contentsOf(iniPath()), "[Config]\nColor=12975860\nMessageOnOff=0\n"_ba);
}

void TestSettingsFile::writesReachTheFileAtOnce()
{
    SettingsFile writer(iniPath());
    QVERIFY(writer.writeText(u"Config"_s, u"DataBase"_s, u"/srv/vellum"_s));
    QVERIFY(writer.writeText(u"Main"_s, u"Maximize"_s, u"No"_s));
    QCOMPARE(SettingsFile(iniPath()).readText(u"Config"_s, u"DataBase"_s), u"/srv/vellum"_s);

    QVERIFY(writer.remove(u"Config"_s, u"DataBase"_s));
    const SettingsFile reader(iniPath());
    QVERIFY(!reader.contains(u"Config"_s, u"DataBase"_s));
    QCOMPARE(reader.readText(u"Main"_s, u"Maximize"_s), u"No"_s);
}

void TestSettingsFile::damagedFileIsReadAsFarAsItGoes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QByteArray before = "[Config]\nDataBase=/srv/vellum\n"_ba;
    const QByteArray after = "[Main]\nMaximize=Yes\n"_ba;
    const QByteArray garbage = "\x00\x01\xff\xfe\x00[\x80\x9f=\x00\xc3\n\x00\x00\x7f"_ba;

    QTest::newRow("garbage: key before") << before + garbage + after << u"Config"_s << u"DataBase"_s
                                         << u"/srv/vellum"_s;
    QTest::newRow("garbage: key after") << before + garbage + "\n" + after << u"Main"_s << u"Maximize"_s << u"Yes"_s;
    QTest::newRow("line without '='") << "[Config]\nnonsense line\nColor=255\n"_ba << u"Config"_s << u"Color"_s
                                      << u"255"_s;
    QTest::newRow("unterminated section leaves the keys where they were")
        << "[Config]\n[Broken\nColor=255\n"_ba << u"Config"_s << u"Color"_s << u"255"_s;
    QTest::newRow("unterminated section at the end")
        << before + "[Broken"_ba << u"Config"_s << u"DataBase"_s << u"/srv/vellum"_s;
    QTest::newRow("not UTF-8") << "[Config]\nWallSel=caf\xe9.jpg\nColor=255\n"_ba << u"Config"_s << u"Color"_s
                               << u"255"_s;
    QTest::newRow("Windows line ends") << "[Config]\r\nColor=255\r\n"_ba << u"Config"_s << u"Color"_s << u"255"_s;
}

void TestSettingsFile::damagedFileIsReadAsFarAsItGoes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    writeBytes(iniPath(), bytes);
    SettingsFile settings(iniPath());
    QCOMPARE(settings.readText(section, key), value);

    // Writing to the damaged file keeps what could be read.
    QVERIFY(settings.writeText(u"Config"_s, u"NoOnHold"_s, u"1"_s));
    const SettingsFile reopened(iniPath());
    QCOMPARE(reopened.readText(section, key), value);
    QCOMPARE(reopened.readNumber(u"Config"_s, u"NoOnHold"_s), 1);
}

void TestSettingsFile::wideFileIsReadAndStaysWide_data()
{
    QTest::addColumn<int>("encoding"); // QStringConverter::Encoding
    QTest::addColumn<QString>("text");
    const QString text = u"[Config]\r\nDataBase=\\\\server\\Vellum\r\n[Jürgen]\r\nColor=255\r\n"_s;
    QTest::newRow("UTF-16, little end first") << int(QStringConverter::Utf16LE) << text;
    QTest::newRow("UTF-16, big end first") << int(QStringConverter::Utf16BE) << text;
    QTest::newRow("UTF-16, Unix line ends") << int(QStringConverter::Utf16LE) << QString(text).remove(u'\r');
    QTest::newRow("UTF-32") << int(QStringConverter::Utf32LE) << text;
}

void TestSettingsFile::wideFileIsReadAndStaysWide()
{
    QFETCH(int, encoding);
    QFETCH(QString, text);
    const auto wide = QStringConverter::Encoding(encoding);
    const QByteArray mark = QStringEncoder(wide, QStringConverter::Flag::WriteBom).encode(QString());
    writeBytes(iniPath(), QStringEncoder(wide, QStringConverter::Flag::WriteBom).encode(text));

    SettingsFile settings(iniPath());
    QCOMPARE(settings.readText(u"config"_s, u"database"_s), u"\\\\server\\Vellum"_s);
    QCOMPARE(settings.readNumber(u"JÜRGEN"_s, u"Color"_s), 255);

    QVERIFY(settings.writeNumber(u"Config"_s, u"NoOnHold"_s, 1));
    const QByteArray written = contentsOf(iniPath());
    QVERIFY(written.startsWith(mark));
    QVERIFY(QString(QStringDecoder(wide).decode(written)).contains(u"[Jürgen]"_s));
    const SettingsFile reopened(iniPath());
    QCOMPARE(reopened.readText(u"Config"_s, u"DataBase"_s), u"\\\\server\\Vellum"_s);
    QCOMPARE(reopened.readNumber(u"Jürgen"_s, u"Color"_s), 255);
    QCOMPARE(reopened.readNumber(u"Config"_s, u"NoOnHold"_s), 1);
}

void TestSettingsFile::unwritablePathKeepsTheValueForTheRun()
{
    // A regular file where the folder should be: no user, not even the superuser, can write below it.
    const QString blocker = m_dir->filePath(u"blocker"_s);
    writeBytes(blocker, "x"_ba);
    SettingsFile settings(blocker + u"/vellum12.ini"_s);

    QVERIFY(!settings.writeText(u"Config"_s, u"DataBase"_s, u"/srv/vellum"_s));
    QVERIFY(!settings.writeNumber(u"Config"_s, u"Color"_s, 255));
    QCOMPARE(settings.readText(u"Config"_s, u"DataBase"_s), u"/srv/vellum"_s);
    QCOMPARE(settings.readNumber(u"Config"_s, u"Color"_s), 255);
}

void TestSettingsFile::utf8ValuesRoundTrip()
{
    const QString value = u"/srv/Dienstübersicht – 日本 ✓"_s;
    SettingsFile settings(iniPath());
    QVERIFY(settings.writeText(u"Config"_s, u"DataBase"_s, value));

    QVERIFY(contentsOf(iniPath()).contains(value.toUtf8()));
    QCOMPARE(SettingsFile(iniPath()).readText(u"Config"_s, u"DataBase"_s), value);
}

void TestSettingsFile::placementKeptInsideArea_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<bool>("resizable");
    QTest::addColumn<QRect>("kept"); // inside the area 0,0 800x600
    QTest::newRow("inside stays") << QRect(10, 20, 300, 200) << false << QRect(10, 20, 300, 200);
    QTest::newRow("past the right and bottom") << QRect(700, 550, 300, 200) << false << QRect(500, 400, 300, 200);
    QTest::newRow("above and left") << QRect(-50, -10, 300, 200) << false << QRect(0, 0, 300, 200);
    QTest::newRow("far away") << QRect(5000, 3000, 300, 200) << true << QRect(500, 400, 300, 200);
    QTest::newRow("larger list shrinks") << QRect(100, 100, 1000, 900) << true << QRect(0, 0, 800, 600);
    QTest::newRow("larger form at top left") << QRect(100, 100, 1000, 900) << false << QRect(0, 0, 1000, 900);
}

// A frame made smaller leaves no remembered window outside it.
void TestSettingsFile::placementKeptInsideArea()
{
    QFETCH(QRect, stored);
    QFETCH(bool, resizable);
    QFETCH(QRect, kept);

    QCOMPARE(WindowPlacement::keptInside(stored, QRect(0, 0, 800, 600), resizable), kept);
    QCOMPARE(WindowPlacement::keptInside(stored, QRect(), resizable), stored);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "TestSettingsFile.moc"
