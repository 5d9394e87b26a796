// The options windows: a fresh workstation opens on all agents and the first second choice with
// "Admin" remembered; the pick lists show with the choice that needs them; OK without the entry
// a choice needs beeps and puts the cursor into that list.

#include "reports/PrintOptionsWindow.h"

#include "data/ClientRecord.h"
#include "data/ProductRecord.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordLayout.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

Q_DECLARE_METATYPE(vellum::ListReport)

namespace {

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

} // namespace

class TestPrintOptionsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void freshWorkstation_data();
    void freshWorkstation();
    void agentNeeded();
    void knowledgeBaseLists();

private:
    template<typename R>
    void store(const R &record)
    {
        QVERIFY(m_station->database().open(R::table(), store::OpenMode::ReadWrite, true));
        QVERIFY(m_station->database().insert(R::table(), toRow(record)));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsFile> m_settings;
    ScriptedMessages m_messages;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock{0, 0};
    std::unique_ptr<Workstation> m_station;
};

void TestPrintOptionsWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<SettingsFile>(m_dir->filePath(u"vellum12.ini"_s));
    m_messages = ScriptedMessages();
    m_station = std::make_unique<Workstation>(*m_settings, m_messages, m_dialogs, m_clock,
                                              [](int id) { QFAIL(qPrintable(u"fatal error %1"_s.arg(id))); });
    m_station->useDatabaseFolder(m_dir->path());
    for (const QString &name : {u"Employee 1"_s, u"Admin"_s, u"Boss"_s}) {
        UserRecord user;
        user.IdNr = std::uint16_t(name.size());
        user.Name = name;
        store(user);
    }
    for (const QString &id : {u"WIDGET"_s, u"GADGET"_s}) {
        ProductRecord product;
        product.IDProduct = id;
        product.Product = id + u" Maker"_s;
        store(product);
    }
    for (const QString &id : {u"FENWIC"_s, u"FEN"_s}) {
        ClientRecord client;
        client.SName = id;
        client.LName = id + u" Ltd"_s;
        store(client);
    }
}

void TestPrintOptionsWindow::cleanup()
{
    QVERIFY2(m_messages.failures().isEmpty(), qPrintable(m_messages.unexpected()));
    m_station.reset();
}

void TestPrintOptionsWindow::freshWorkstation_data()
{
    QTest::addColumn<ListReport>("report");
    QTest::addColumn<QString>("title");

    QTest::newRow("cases") << ListReport::Cases << u"Printing Cases"_s;
    QTest::newRow("knowledge base") << ListReport::Archive << u"Printing Knowledge Base Cases"_s;
    QTest::newRow("activity log") << ListReport::Log << u"Printing Activity Log"_s;
}

void TestPrintOptionsWindow::freshWorkstation()
{
    QFETCH(ListReport, report);
    QFETCH(QString, title);

    PrintOptionsWindow window(*m_station, report);
    QCOMPARE(window.windowTitle(), title);
    QVERIFY(window.agentButton(1)->isChecked());
    QVERIFY(window.secondButton(1)->isChecked());
    QVERIFY(window.agentList()->isHidden());
    QCOMPARE(entries(window.agentList()), (QStringList{u"Admin"_s, u"Boss"_s, u"Employee 1"_s}));
    window.agentButton(2)->click();
    QVERIFY(!window.agentList()->isHidden());
    QCOMPARE(window.agentList()->currentItem()->text(), u"Admin"_s);
    QCOMPARE(window.options().agent, u"Admin"_s);
}

void TestPrintOptionsWindow::agentNeeded()
{
    PrintOptionsWindow window(*m_station, ListReport::Cases);
    window.agentButton(2)->click();
    window.agentList()->clearSelection();
    window.agentList()->setCurrentItem(nullptr);
    window.accept();
    QCOMPARE(m_messages.beeps(), 1);
    QCOMPARE(window.focusWidget(), window.agentList());
    QCOMPARE(window.result(), int(QDialog::Rejected));
    window.agentList()->setCurrentRow(1);
    window.secondButton(3)->click();
    window.accept();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(m_messages.beeps(), 1);
    const PrintOptions written = PrintOptions::load(SettingsFile(m_settings->path()), ListReport::Cases);
    QCOMPARE(written.agentChoice, 2);
    QCOMPARE(written.agent, u"Boss"_s);
    QCOMPARE(written.secondChoice, 3);
}

void TestPrintOptionsWindow::knowledgeBaseLists()
{
    PrintOptionsWindow window(*m_station, ListReport::Archive);
    QVERIFY(window.productList()->isHidden() && window.clientList()->isHidden());
    QCOMPARE(entries(window.clientList()), (QStringList{u"FEN"_s, u"FENWIC"_s}));
    window.secondButton(PrintOptions::ByClient)->click();
    QVERIFY(window.productList()->isHidden() && !window.clientList()->isHidden());
    window.accept();
    QCOMPARE(m_messages.beeps(), 1);
    QCOMPARE(window.focusWidget(), window.clientList());
    window.secondButton(PrintOptions::ByProduct)->click();
    QVERIFY(!window.productList()->isHidden() && window.clientList()->isHidden());
    window.accept();
    QCOMPARE(m_messages.beeps(), 2);
    QCOMPARE(window.focusWidget(), window.productList());
    window.secondButton(PrintOptions::ClosedOnly)->click();
    QVERIFY(window.productList()->isHidden() && window.clientList()->isHidden());
    window.secondButton(PrintOptions::ByClient)->click();
    window.clientList()->setCurrentRow(0);
    window.accept();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(window.options().client, u"FEN"_s);
    QCOMPARE(m_settings->readText(u"Config"_s, u"PrintArchiveOption5"_s), u"FEN"_s);
    QCOMPARE(m_settings->readNumber(u"Config"_s, u"PrintArchiveOption2"_s), 3);
}

QTEST_MAIN(TestPrintOptionsWindow)
#include "TestPrintOptionsWindow.moc"
