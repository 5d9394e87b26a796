#include "shell/HelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestHelpFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void windowTopicsExist_data();
    void windowTopicsExist();
    void linksLeadToTopics();
    void topicsInFileOrder();
    void missingFileHasNoTopics();

private:
    QString m_shipped;
};

void TestHelpFile::initTestCase()
{
    m_shipped = HelpFile::locate();
    QVERIFY2(!m_shipped.isEmpty(), "qvl2a.hlp is neither beside the program nor in the sources");
    QVERIFY(m_shipped.endsWith(u"/qvl2a.hlp"_s));
}

void TestHelpFile::windowTopicsExist_data()
{
    QTest::addColumn<QString>("topic");
    for (const QString &topic : HelpFile::windowTopics())
        QTest::newRow(qPrintable(topic)) << topic;
}

void TestHelpFile::windowTopicsExist()
{
    QFETCH(QString, topic);
    const HelpFile file(m_shipped);

    QVERIFY(file.contains(topic));
    QVERIFY(file.contains(topic.toUpper()));
    const QString html = file.topicHtml(topic.toLower());
    QVERIFY(html.startsWith(u"<html><head><title>%1</title><style>"_s.arg(topic)));
    QVERIFY(html.contains(u"<h1>"_s));
    QVERIFY(html.endsWith(u"</body></html>"_s));
}

void TestHelpFile::linksLeadToTopics()
{
    static const QRegularExpression link(u"href=\"#([^\"]*)\""_s);
    const HelpFile file(m_shipped);
    for (const QString &topic : file.topics()) {
        for (const QRegularExpressionMatch &match : link.globalMatch(file.topicHtml(topic)))
            QVERIFY2(!file.topicOfAnchor(match.captured(1)).isEmpty(),
                     qPrintable(u"%1 links to #%2"_s.arg(topic, match.captured(1))));
    }
}

void TestHelpFile::topicsInFileOrder()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"qvl2a.hlp"_s);
    QFile written(path);
    QVERIFY(written.open(QIODevice::WriteOnly));
    written.write("<html><body>\n"
                  "<!-- <section id=\"x\" data-topic=\"Example\">...</section> -->\n"
                  "<section id=\"b\" data-topic=\"Second Topic\"><p>two %1</p></section>\n"
                  "<section id=\"a\" data-topic=\"First Topic\"><p>one</p></section>\n"
                  "</body></html>\n");
    written.close();

    const HelpFile file(path);
    QCOMPARE(file.topics(), (QStringList{u"Second Topic"_s, u"First Topic"_s}));
    QCOMPARE(file.topicHtml(u"Second Topic"_s),
             u"<html><head><title>Second Topic</title></head><body><p>two %1</p></body></html>"_s);
    QCOMPARE(file.topicOfAnchor(u"a"_s), u"First Topic"_s);
    QCOMPARE(file.topicHtml(u"Third Topic"_s), QString());
}

void TestHelpFile::missingFileHasNoTopics()
{
    const HelpFile file(u"/nonexistent/qvl2a.hlp"_s);
    QVERIFY(!file.isLoaded());
    QVERIFY(file.topics().isEmpty());
    QVERIFY(!file.contains(QString(HelpFile::Contents)));
}

QTEST_GUILESS_MAIN(TestHelpFile)
#include "TestHelpFile.moc"
