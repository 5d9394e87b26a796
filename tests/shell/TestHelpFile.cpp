// The help file: the topics every window opens are written, links lead to topics, and the
// search finds the topics that hold the words asked for.

#include "shell/HelpFile.h"
#include "shell/HelpSearch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The help topics the program's sources name: every argument of setHelpTopic() and of
// HelpWindow::showTopic(), resolved to its text, and HelpFile's own topic names. An argument
// that cannot be resolved is reported, so that no window can name a topic this test misses.
class TopicScan {
public:
    explicit TopicScan(const QString &sourceTree)
    {
        const QString helpFile = readAll(sourceTree + u"/shell/HelpFile.h"_s);
        static const QRegularExpression constant(u"QLatin1StringView\\s+(\\w+)\\{\"([^\"]+)\"\\}"_s);
        for (const QRegularExpressionMatch &match : constant.globalMatch(helpFile)) {
            m_helpFileNames.insert(match.captured(1), match.captured(2));
            if (match.captured(1) != u"FileName"_s)
                add(match.captured(2));
        }
        QDirIterator files(sourceTree, {u"*.cpp"_s, u"*.h"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            scan(files.next());
    }

    const QStringList &topics() const { return m_topics; }
    const QStringList &unresolved() const { return m_unresolved; }

private:
    void add(const QString &topic)
    {
        if (!m_topics.contains(topic))
            m_topics.append(topic);
    }

    void scan(const QString &path)
    {
        if (QFileInfo(path).baseName() == u"HelpWindow"_s)
            return; // the viewer only passes on what it is given
        static const QRegularExpression call(u"(?:setHelpTopic\\(|showTopic\\([^,;]+,)\\s*(.+?)\\);"_s);
        // A window that asks for its topic without setHelpTopic() (a dialog) names it in HelpTopic.
        static const QRegularExpression topicConstant(u"\\bHelpTopic\\s*=\\s*u?\"([^\"]+)\""_s);
        const QString text = readAll(path);
        for (const QRegularExpressionMatch &match : topicConstant.globalMatch(text))
            add(match.captured(1));
        for (const QRegularExpressionMatch &match : call.globalMatch(text)) {
            const QString argument = match.captured(1).trimmed();
            // A declaration, or the frame passing on the topic a window asked for.
            if (argument.startsWith(u"const "_s) || argument == u"topic"_s)
                continue;
            const QString topic = resolve(argument, path);
            if (topic.isEmpty())
                m_unresolved.append(u"%1: %2"_s.arg(QFileInfo(path).fileName(), argument));
            else
                add(topic);
        }
    }

    // A text literal, a HelpFile name, or a constant defined in the file or its header or source.
    QString resolve(const QString &argument, const QString &path) const
    {
        static const QRegularExpression literal(u"^u?\"([^\"]+)\""_s);
        static const QRegularExpression helpFileName(u"HelpFile::(\\w+)"_s);
        if (const QRegularExpressionMatch match = literal.match(argument); match.hasMatch())
            return match.captured(1);
        if (const QRegularExpressionMatch match = helpFileName.match(argument); match.hasMatch())
            return m_helpFileNames.value(match.captured(1));
        const QString name = argument.section(u"::"_s, -1);
        const QRegularExpression definition(u"\\b%1\\s*=\\s*u?\"([^\"]+)\""_s.arg(QRegularExpression::escape(name)));
        const QFileInfo info(path);
        for (const QString &suffix : {u"cpp"_s, u"h"_s}) {
            const QString sibling = info.dir().filePath(info.completeBaseName() + u'.' + suffix);
            if (const QRegularExpressionMatch match = definition.match(readAll(sibling)); match.hasMatch())
                return match.captured(1);
        }
        return {};
    }

    QMap<QString, QString> m_helpFileNames;
    QStringList m_topics;
    QStringList m_unresolved;
};

QString writeHelpFile(const QTemporaryDir &folder, const QByteArray &body)
{
    const QString path = folder.filePath(u"qvl2a.hlp"_s);
    QFile written(path);
    if (!written.open(QIODevice::WriteOnly))
        return {};
    written.write("<html><body>\n" + body + "</body></html>\n");
    return path;
}

} // namespace

class TestHelpFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void windowTopicsExist_data();
    void windowTopicsExist();
    void everyTopicTheProgramNamesIsWritten();
    void searchFindsTopicsHoldingEveryWord_data();
    void searchFindsTopicsHoldingEveryWord();
    void topicTextWithoutMarkup();
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

void TestHelpFile::everyTopicTheProgramNamesIsWritten()
{
    const TopicScan scan(QStringLiteral(VELLUM_SOURCE_TREE));
    QVERIFY2(scan.unresolved().isEmpty(), qPrintable(scan.unresolved().join(u"; "_s)));
    // The windows that exist today name at least these; the scan must see them.
    for (const QString &known : {u"Activity Log"_s, u"Activity View"_s, u"Browse Clients"_s, u"Inserting Products"_s,
                                 u"users"_s, u"Configuring Quor Vellum"_s, u"How to Use Help"_s, u"Email Options"_s})
        QVERIFY2(scan.topics().contains(known), qPrintable(known));

    const HelpFile file(m_shipped);
    for (const QString &topic : scan.topics()) {
        QVERIFY2(file.contains(topic), qPrintable(u"no topic \"%1\" in qvl2a.hlp"_s.arg(topic)));
        QVERIFY2(file.topicHtml(topic).contains(u"<h1>"_s), qPrintable(topic));
        const qsizetype words = file.topicText(topic).split(u' ', Qt::SkipEmptyParts).size();
        QVERIFY2(words >= 60, qPrintable(u"\"%1\" has only %2 words"_s.arg(topic).arg(words)));
    }
}

void TestHelpFile::searchFindsTopicsHoldingEveryWord_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QStringList>("found");
    const QStringList both{u"Password and Signature"_s, u"Logon"_s};
    QTest::newRow("word in a name counts first") << u"password"_s << both;
    QTest::newRow("more hits rank higher") << u"name"_s << QStringList{u"Logon"_s, u"Password and Signature"_s};
    QTest::newRow("letter case ignored") << u"PASSWORD"_s << both;
    QTest::newRow("every word must occur") << u"password light"_s << QStringList{u"Logon"_s};
    QTest::newRow("start of a word") << u"print"_s << QStringList{u"Printing"_s};
    QTest::newRow("not inside a word") << u"rint"_s << QStringList();
    QTest::newRow("markup is not text") << u"section"_s << QStringList();
    QTest::newRow("words around a sign") << u"Fenwick & Loam"_s << QStringList{u"Printing"_s};
    QTest::newRow("entity names are not text") << u"amp"_s << QStringList();
    QTest::newRow("nothing asked") << u"  "_s << QStringList();
    QTest::newRow("nowhere") << u"escalation"_s << QStringList();
}

void TestHelpFile::searchFindsTopicsHoldingEveryWord()
{
    QFETCH(QString, phrase);
    QFETCH(QStringList, found);
    QTemporaryDir folder;
    const HelpFile file(writeHelpFile(
        folder, "<section id=\"logon\" data-topic=\"Logon\"><h1>Logon</h1><p>Choose your name and type the "
                "password. The light turns amber. Your name is kept.</p></section>\n"
                "<section id=\"password\" data-topic=\"Password and Signature\"><h1>Password</h1><p>The old "
                "password, then the new one. Your name is shown.</p></section>\n"
                "<section id=\"printing\" data-topic=\"Printing\"><h1>Printing</h1><p>Choose a printer for "
                "Fenwick &amp; Loam.</p></section>\n"));
    QCOMPARE(HelpSearch(file).find(phrase), found);
}

void TestHelpFile::topicTextWithoutMarkup()
{
    QTemporaryDir folder;
    const HelpFile file(writeHelpFile(folder, "<section id=\"a\" data-topic=\"A\"><h1>Title</h1>\n"
                                              "<p>One &lt;two&gt;  &amp;\n<b>three</b>&nbsp;&quot;four&quot;</p>"
                                              "</section>\n"));
    QCOMPARE(file.topicText(u"A"_s), u"Title One <two> & three \"four\""_s);
    QCOMPARE(file.topicText(u"B"_s), QString());
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
