// The list colour every window takes from the settings file, and the frame's choice of it.

#include "framework/BrowseColor.h"
#include "framework/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestBrowseColor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readFromTheSettings_data();
    void readFromTheSettings();
    void storedForTheNextWindow();

private:
    QTemporaryDir m_dir;
};

void TestBrowseColor::readFromTheSettings_data()
{
    QTest::addColumn<QString>("stored"); // empty: none stored
    QTest::addColumn<int>("fallback");
    QTest::addColumn<int>("color");

    constexpr int InboxDefault = 12567173;
    QTest::newRow("none") << QString() << BrowseColor::Default << 12975860;
    QTest::newRow("0") << u"0"_s << BrowseColor::Default << 12975860;
    QTest::newRow("own") << u"255"_s << BrowseColor::Default << 255;
    QTest::newRow("none, window's default") << QString() << InboxDefault << InboxDefault;
    QTest::newRow("0, window's default") << u"0"_s << InboxDefault << InboxDefault;
    QTest::newRow("own before window's default") << u"16711680"_s << InboxDefault << 16711680;
}

void TestBrowseColor::readFromTheSettings()
{
    QFETCH(QString, stored);
    QFETCH(int, fallback);
    QFETCH(int, color);
    SettingsFile settings(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".ini"_s));
    if (!stored.isEmpty())
        QVERIFY(settings.writeText(u"Config"_s, u"Color"_s, stored));

    QCOMPARE(BrowseColor::read(settings, fallback), color);
    // Reading never writes.
    QCOMPARE(settings.readText(u"Config"_s, u"Color"_s), stored);
}

void TestBrowseColor::storedForTheNextWindow()
{
    SettingsFile settings(m_dir.filePath(u"stored.ini"_s));
    QVERIFY(BrowseColor::store(settings, 0x336699));
    QCOMPARE(BrowseColor::read(SettingsFile(settings.path())), 0x336699);
    QCOMPARE(settings.readText(u"Config"_s, u"Color"_s), u"3368601"_s);

    // A regular file where the folder should be.
    QFile blocker(m_dir.filePath(u"blocker"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    SettingsFile unwritable(blocker.fileName() + u"/vellum12.ini"_s);
    QVERIFY(!BrowseColor::store(unwritable, 0x336699));
}

QTEST_MAIN(TestBrowseColor)
#include "TestBrowseColor.moc"
