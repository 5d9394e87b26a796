// The client form from the client list and from a case form: no more than two open at a time,
// the fixed priority by level and its OK check, the case's client edited as a change or found
// gone, what the case form gets back, the short name carried into the client's cases, and a
// client with cases kept.

#include "ClientFixture.h"

#include "framework/BrowseModel.h"
#include "reference/ClientForm.h"
#include "reference/ClientList.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ClientFixture;
using Col = vellum::ClientRecord::Col;

namespace {

const QString ClientGone =
    u"Quor Vellum 1.2: Client ID is changed ! - Press OK in the\r\nCase Window to select a new ID.."_s;

const std::vector<int> EntryFields{Col::SName, Col::LName,   Col::Contact, Col::Phone, Col::Phone2, Col::Email,
                                   Col::Fax,   Col::Address, Col::ZIPCode, Col::City,  Col::State,  Col::Remarks};

QString highlighted(const ClientList &list)
{
    return list.model()->data(list.model()->index(list.currentRow(), ClientList::NameColumn)).toString();
}

// Typed one character at a time, letters beyond ASCII included.
void type(QWidget *entry, const QString &text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(entry, &press);
    }
}

ClientForm *formOf(const ClientList &list)
{
    return static_cast<ClientForm *>(list.form());
}

} // namespace

class TestClientForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void thirdFormBringsNewestToFront_data();
    void thirdFormBringsNewestToFront();
    void priorityByLevel_data();
    void priorityByLevel();
    void userEditsAllButThePriority();
    void entriesTakeWhatTheFieldStores_data();
    void entriesTakeWhatTheFieldStores();
    void okWithoutPriorityRefusedSilently();
    void longRemarksOpenAtStart();
    void caseClientEditedAsChange();
    void caseClientGone();
    void shortNameCarriedIntoItsCases();
    void clientWithCasesKept();

private:
    ClientList &openList(const QString &highlight = {});
    ClientForm *openForCase(const QString &shortName, FormRequest request = ChangeRequest);

    std::unique_ptr<ClientFixture> m_fixture;
    std::unique_ptr<ClientList> m_list;
    std::vector<std::unique_ptr<ClientForm>> m_caseForms;
};

void TestClientForm::init()
{
    m_fixture = std::make_unique<ClientFixture>();
    m_fixture->setLevel(LevelSupervisor);
    m_fixture->addClient(u"ACME"_s, u"Acme Anvils Ltd"_s, u"555 0101"_s);
    m_fixture->addClient(u"BOLT"_s, u"Bolt & Nut Works"_s, u"555 0202"_s);
    m_fixture->addClient(u"CRANE"_s, u"Crane Hoists"_s, u"555 0303"_s);
}

void TestClientForm::cleanup()
{
    QVERIFY2(m_fixture->messages().failures().isEmpty(), qPrintable(m_fixture->messages().unexpected()));
    m_caseForms.clear();
    m_list.reset();
    m_fixture.reset();
}

ClientList &TestClientForm::openList(const QString &highlight)
{
    m_list = std::make_unique<ClientList>(m_fixture->workstation());
    m_list->resize(900, 400);
    m_list->showBeside(nullptr);
    for (int row = 0; row < m_list->model()->rowCount(); ++row) {
        m_list->setCurrentRow(row);
        if (highlighted(*m_list) == highlight)
            break;
    }
    return *m_list;
}

ClientForm *TestClientForm::openForCase(const QString &shortName, FormRequest request)
{
    m_caseForms.push_back(std::make_unique<ClientForm>(m_fixture->workstation(), shortName));
    ClientForm *form = m_caseForms.back().get();
    form->open(request);
    return form;
}

void TestClientForm::thirdFormBringsNewestToFront_data()
{
    QTest::addColumn<int>("request");
    QTest::newRow("insert") << int(InsertRequest);
    QTest::newRow("change") << int(ChangeRequest);
    QTest::newRow("delete") << int(DeleteRequest);
}

// Nothing is asked and nothing changes: a third request is answered RequestCancelled at once.
void TestClientForm::thirdFormBringsNewestToFront()
{
    QFETCH(int, request);
    ClientForm *first = openForCase(u"ACME"_s);
    ClientForm *newest = openForCase(u"BOLT"_s);
    QVERIFY(QTest::qWaitForWindowExposed(first) && QTest::qWaitForWindowExposed(newest));
    first->activateWindow();
    QApplication::setActiveWindow(first);
    QVERIFY(QTest::qWaitForWindowActive(first));

    ClientList &list = openList(u"CRANE"_s);
    QVERIFY(list.request(FormRequest(request)));

    QCOMPARE(list.form(), nullptr);
    QTRY_COMPARE(QApplication::activeWindow(), newest);
    QCOMPARE(m_fixture->station().shown(), QStringList());
    QCOMPARE(m_fixture->clientCount(), 3);
    QCOMPARE(highlighted(list), u"CRANE"_s);

    ClientForm third(m_fixture->workstation(), u"CRANE"_s);
    QSignalSpy finished(&third, &ProcedureWindow::finished);
    QVERIFY(!third.open(ChangeRequest));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(RequestCancelled));
    QVERIFY(!third.isVisible());

    // Once one of the two has closed, the next form opens.
    first->cancelButton()->click();
    QVERIFY(list.request(ChangeRequest));
    QVERIFY(list.form() != nullptr && list.form()->isVisible());
    formOf(list)->cancelButton()->click();
}

void TestClientForm::priorityByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("loggedOut");
    QTest::addColumn<bool>("forCase");
    QTest::addColumn<bool>("editable");
    QTest::newRow("user") << int(LevelUser) << false << false << false;
    QTest::newRow("supervisor") << int(LevelSupervisor) << false << false << true;
    QTest::newRow("administrator") << int(LevelAdministrator) << false << false << true;
    QTest::newRow("administrator, case's client") << int(LevelAdministrator) << false << true << false;
    QTest::newRow("supervisor logged out") << int(LevelSupervisor) << true << false << false;
}

void TestClientForm::priorityByLevel()
{
    QFETCH(int, level);
    QFETCH(bool, loggedOut);
    QFETCH(bool, forCase);
    QFETCH(bool, editable);
    m_fixture->setLevel(level);
    m_fixture->workstation().run().loggedOut = loggedOut;
    ClientForm *form = nullptr;
    if (forCase) {
        form = openForCase(u"BOLT"_s);
    } else {
        ClientList &list = openList(u"BOLT"_s);
        QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
        form = formOf(list);
    }

    QVERIFY(form->isVisible());
    QCOMPARE(form->priorityGroup()->title(), u"Client Priority"_s);
    QCOMPARE(form->priorityBox()->text(), u"Set Priority "_s);
    QCOMPARE(form->priorityGroup()->isEnabled(), editable);
    QCOMPARE(form->entry(Col::SName)->isEnabled(), !forCase);
    for (int field : EntryFields)
        if (field != Col::SName)
            QVERIFY2(form->entry(field)->isEnabled(), qPrintable(form->entry(field)->objectName()));
}

void TestClientForm::userEditsAllButThePriority()
{
    m_fixture->setLevel(LevelUser);
    ClientList &list = openList(u"BOLT"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    ClientForm *form = formOf(list);
    QCOMPARE(form->windowTitle(), u"Changing a Client Record"_s);
    for (int field : EntryFields) {
        QLineEdit *entry = form->entry(field);
        entry->clear();
        QTest::keyClicks(entry, entry->objectName().left(5));
    }
    QCOMPARE(form->entry(Col::SName)->text(), u"SName"_s);

    form->okButton()->click();

    QCOMPARE(list.form(), nullptr);
    const ClientRecord stored = m_fixture->storedClient(u"SName"_s);
    QCOMPARE(stored.LName, u"LName"_s);
    const QStringList others{stored.Contact, stored.Phone,   stored.Phone2, stored.Email, stored.Fax,
                             stored.Address, stored.ZIPCode, stored.City,   stored.State, stored.Remarks};
    QCOMPARE(others, (QStringList{u"Conta"_s, u"Phone"_s, u"Phone"_s, u"Email"_s, u"Fax"_s, u"Addre"_s, u"ZIPCo"_s,
                                  u"City"_s, u"State"_s, u"Remar"_s}));
    QCOMPARE(stored.PriorityFix, std::uint8_t(0));
    QCOMPARE(m_fixture->clientCount(), 3);
}

void TestClientForm::entriesTakeWhatTheFieldStores_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept"); // what the entry shows and the client stores
    QTest::newRow("phone of 25") << int(Col::Phone) << u"+44 20 7946 0958 ext 1234"_s << u"+44 20 7946 0958"_s;
    QTest::newRow("full name of 62") << int(Col::LName)
                                     << u"Bolt and Nut Works of the Eastern Valley Industrial Estate Ltd"_s
                                     << u"Bolt and Nut Works of the Eastern Valley Industria"_s;
    // Ten characters of two bytes each: the ZIP code stores ten bytes.
    QTest::newRow("ZIP in two-byte letters") << int(Col::ZIPCode) << u"ÄÖÜäöüßéèê"_s << u"ÄÖÜäö"_s;
}

// An entry takes no more than its field stores, counted in stored bytes: what it shows is kept.
void TestClientForm::entriesTakeWhatTheFieldStores()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    ClientList &list = openList(u"BOLT"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    QLineEdit *entry = formOf(list)->entry(field);
    entry->clear();

    type(entry, typed);
    formOf(list)->okButton()->click();

    QCOMPARE(entry->text(), kept);
    QCOMPARE(list.form(), nullptr);
    const store::Row stored = toRow(m_fixture->storedClient(u"BOLT"_s));
    QCOMPARE(store::asText(stored[std::size_t(field)]), kept);
}

void TestClientForm::okWithoutPriorityRefusedSilently()
{
    ClientList &list = openList(u"ACME"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    ClientForm *form = formOf(list);
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QVERIFY(form->priorityList()->isHidden());
    form->priorityBox()->click();
    QVERIFY(!form->priorityList()->isHidden());
    QCOMPARE(form->priorityList()->currentIndex(), -1);

    form->okButton()->click();

    QVERIFY(form->isVisible());
    QCOMPARE(QApplication::focusWidget(), form->priorityList());
    QCOMPARE(m_fixture->station().shown(), QStringList());
    QCOMPARE(m_fixture->storedClient(u"ACME"_s).PriorityFix, std::uint8_t(0));

    form->priorityList()->setCurrentText(u"Minimal"_s);
    form->okButton()->click();
    QCOMPARE(list.form(), nullptr);
    const ClientRecord stored = m_fixture->storedClient(u"ACME"_s);
    QCOMPARE(stored.PriorityFix, std::uint8_t(1));
    QCOMPARE(stored.Priority, u"Minimal"_s);
}

void TestClientForm::longRemarksOpenAtStart()
{
    ClientRecord client;
    client.SName = u"LONG"_s;
    client.LName = u"Long Remarks Ltd"_s;
    client.Remarks = u"Call before noon. "_s.repeated(12).trimmed();
    m_fixture->addClient(client);
    ClientList &list = openList(u"LONG"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);

    QLineEdit *remarks = formOf(list)->entry(Col::Remarks);
    QCOMPARE(remarks->text(), client.Remarks);
    QCOMPARE(remarks->cursorPosition(), 0);
    formOf(list)->cancelButton()->click();
}

// Whatever the case form asks, its client is changed; the case gets the stored values back.
void TestClientForm::caseClientEditedAsChange()
{
    ClientForm *form = openForCase(u"ACME"_s, InsertRequest);
    QSignalSpy handedBack(form, &ClientForm::handedBack);
    QVERIFY(form->isVisible());
    QCOMPARE(form->windowTitle(), u"Changing a Client Record"_s);
    QCOMPARE(form->entry(Col::SName)->text(), u"ACME"_s);
    QCOMPARE(form->entry(Col::LName)->text(), u"Acme Anvils Ltd"_s);
    form->entry(Col::Phone)->setText(u"+44 20 7946 0958 ext 12"_s);

    form->okButton()->click();

    QVERIFY(!form->isVisible());
    QCOMPARE(handedBack.count(), 1);
    QCOMPARE(handedBack.at(0), (QList<QVariant>{u"Acme Anvils Ltd"_s, u"+44 20 7946 0958"_s}));
    QCOMPARE(m_fixture->storedClient(u"ACME"_s).Phone, u"+44 20 7946 0958"_s);
    QCOMPARE(m_fixture->clientCount(), 3);
}

void TestClientForm::caseClientGone()
{
    m_fixture->messages().expect(u"Client ID is changed"_s, ButtonOk);
    m_caseForms.push_back(std::make_unique<ClientForm>(m_fixture->workstation(), u"GONE"_s));
    ClientForm *form = m_caseForms.back().get();
    QSignalSpy finished(form, &ProcedureWindow::finished);
    QSignalSpy handedBack(form, &ClientForm::handedBack);

    QVERIFY(!form->open(ChangeRequest));

    QCOMPARE(m_fixture->station().shown(), QStringList{ClientGone});
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), int(RequestCancelled));
    QCOMPARE(handedBack.count(), 0);
    QVERIFY(!form->isVisible());
}

void TestClientForm::shortNameCarriedIntoItsCases()
{
    m_fixture->addClient(u"ACMEX"_s, u"Acme Export"_s);
    m_fixture->addCase(1, u"ACME"_s, {});
    m_fixture->addCase(2, u"BOLT"_s, {});
    m_fixture->addCase(3, u"ACME"_s, {});
    m_fixture->addCase(4, u"ACMEX"_s, {});
    ClientList &list = openList(u"ACME"_s);
    QTest::keyClick(list.view(), Qt::Key_Return, Qt::ControlModifier);
    formOf(list)->entry(Col::SName)->setText(u"ANVIL"_s);

    formOf(list)->okButton()->click();

    QCOMPARE(list.form(), nullptr);
    const QMap<std::uint32_t, QString> expected{{1, u"ANVIL"_s}, {2, u"BOLT"_s}, {3, u"ANVIL"_s}, {4, u"ACMEX"_s}};
    QCOMPARE(m_fixture->caseClients(), expected);
    QCOMPARE(m_fixture->storedClient(u"ANVIL"_s).LName, u"Acme Anvils Ltd"_s);
    QCOMPARE(highlighted(list), u"ANVIL"_s);
}

void TestClientForm::clientWithCasesKept()
{
    m_fixture->addCase(1, u"BOLT"_s, {});
    ClientList &list = openList(u"BOLT"_s);
    m_fixture->messages().expect(u"Confirm Delete"_s, ButtonYes);
    m_fixture->messages().expect(u"referenced in the Case file"_s, ButtonOk);

    QTest::keyClick(list.view(), Qt::Key_Delete);

    QCOMPARE(m_fixture->station().shown(),
             (QStringList{u"Confirm Delete: Are you sure you want to delete the highlighted record?"_s,
                          u"Quor Vellum 1.2: This record is referenced in the Case file. This record cannot be "
                          u"deleted while these references still exist ! "_s}));
    QCOMPARE(m_fixture->clientCount(), 3);
    QCOMPARE(highlighted(list), u"BOLT"_s);
}

QTEST_MAIN(TestClientForm)
#include "TestClientForm.moc"
