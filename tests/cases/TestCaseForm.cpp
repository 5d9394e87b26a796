// The case form on real files: a new case from its client and product to the stored record with
// its deadlines and log entry, a stored case opened with its rights, a closed case, the client
// lookup cancelled, a full history, another workstation deleting or changing the case, and the
// opener that keeps one form per workstation.

#include "CaseDesks.h"

#include "cases/CaseForm.h"
#include "cases/CaseFormLauncher.h"
#include "cases/NotesWindow.h"
#include "data/ClientRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "reference/ClientForm.h"
#include "reference/ClientList.h"
#include "reference/ProductPicker.h"
#include "support/SetUpStep.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace vellum;
using namespace vellum::test;

namespace {

constexpr std::int32_t OneHour = 360000;

template<typename Window>
QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<Window *>(widget); window != nullptr && window->isVisible())
            found.append(window);
    return found;
}

// The notes window the next step opens: confirmed with the note, or cancelled when it is empty.
void answerNote(const QString &note, QStringList *titles)
{
    QTimer::singleShot(0, [note, titles] {
        auto *notes = qobject_cast<NotesWindow *>(QApplication::activeModalWidget());
        if (notes == nullptr)
            return;
        titles->append(notes->windowTitle());
        if (note.isEmpty()) {
            notes->reject();
            return;
        }
        notes->findChild<QPlainTextEdit *>(u"note"_s)->setPlainText(note);
        notes->confirm();
    });
}

// Typed into an entry and left, as the user does.
void enter(QLineEdit *entry, const QString &text)
{
    entry->setText(text);
    entry->setModified(true);
    Q_EMIT entry->editingFinished();
}

} // namespace

class TestCaseForm : public QObject, public CaseDesks {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void newCaseStoredWithDeadlinesAndLog();
    void storedCaseOpensWithRights();
    void closedCaseOffersNoNotes();
    void rightsOfUserLoggedOnNow();
    void yankThenPriorityChosen();
    void clientLookupCancelled();
    void clientDetailsComeBack();
    void productGoneBeforeOk();
    void startOutsideServiceShift();
    void stepsThroughNotesWindow();
    void fullHistoryTold();
    void historyColoursKept();
    void unstoredCaseIsNotLogged();
    void otherStationChangedCase_data();
    void otherStationChangedCase();
    void deletedCaseNotOpened();
    void secondRequestBringsFormForward();

private:
    void addClient(const QString &shortName, const QString &priority = {});
    void addProduct(const std::function<void(ProductRecord &)> &change = {});
    CaseForm *openStored(Desk &agent);

    std::unique_ptr<Desk> m_marta;
};

void TestCaseForm::init()
{
    setUpDesks();
    m_marta = desk(u"Marta"_s, LevelUser);
    // The client and product files exist, still empty.
    test::setUpStep(RecordFileOf<ClientRecord>(m_marta->station->database(), m_marta->station->errors()).open(),
                    "create the client file");
    test::setUpStep(RecordFileOf<ProductRecord>(m_marta->station->database(), m_marta->station->errors()).open(),
                    "create the product file");
}

void TestCaseForm::cleanup()
{
    QList<QPointer<ProcedureWindow>> left;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<ProcedureWindow *>(widget))
            left.append(window);
    for (const QPointer<ProcedureWindow> &window : left)
        delete window.data();
    m_marta.reset();
    tearDownDesks();
}

void TestCaseForm::addClient(const QString &shortName, const QString &priority)
{
    ClientRecord client;
    client.SName = shortName;
    client.LName = shortName + u" Limited"_s;
    client.Phone = u"555-0100"_s;
    client.Priority = priority;
    client.PriorityFix = priority.isEmpty() ? 0 : 1;
    QVERIFY(m_marta->station->database().insert(ClientRecord::table(), toRow(client)));
}

// Round the clock: the first level an hour after the start, the second a day after it.
void TestCaseForm::addProduct(const std::function<void(ProductRecord &)> &change)
{
    ProductRecord product;
    product.IDProduct = u"W1"_s;
    product.Product = u"Widget"_s;
    product.FirstEsc = OneHour;
    product.SecEscDays = 1;
    if (change)
        change(product);
    QVERIFY(m_marta->station->database().insert(ProductRecord::table(), toRow(product)));
}

CaseForm *TestCaseForm::openStored(Desk &agent)
{
    auto *form = new CaseForm(*agent.station, CaseNr);
    form->open(ChangeRequest);
    return form;
}

void TestCaseForm::newCaseStoredWithDeadlinesAndLog()
{
    addClient(u"ACME"_s);
    addProduct();
    auto *form = new CaseForm(*m_marta->station, 0);
    QSignalSpy finished(form, &ProcedureWindow::finished);
    QVERIFY(form->open(InsertRequest));
    const CaseFormControls &c = form->controls();

    QCOMPARE(form->windowTitle(), u" New Case  - Creator : Marta"_s);
    QCOMPARE(c.caseNr->text(), u"000001"_s);
    QVERIFY(c.history->toPlainText().startsWith(u"Case CREATED :  3/05/04 -  9:06  by Agent Marta"_s));
    QVERIFY(c.statusRow->isHidden());
    QVERIFY(c.yank->isHidden());
    QVERIFY(c.priorityRow->isHidden());
    QVERIFY(c.escalation[0].row->isHidden());
    QVERIFY(!c.print->isEnabled()); // nothing stored to print yet
    QCOMPARE(form->focusWidget(), static_cast<QWidget *>(c.client));

    enter(c.client, u"acme"_s);
    QCOMPARE(c.clientName->text(), u"ACME Limited"_s);
    QCOMPARE(c.phone->text(), u"555-0100"_s);
    QVERIFY(!c.priorityRow->isHidden());
    enter(c.product, u"widget"_s);
    QCOMPARE(c.productId->text(), u"W1"_s);
    c.problem->setEditText(u"Printer jams"_s);
    form->okButton()->click();

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(RequestCompleted));
    const CaseRecord stored = read(1);
    QCOMPARE(stored.Owner.trimmed(), u"Marta"_s);
    QCOMPARE(stored.SName.trimmed(), u"ACME"_s);
    QCOMPARE(stored.SProblem.trimmed(), u"Printer jams"_s);
    QCOMPARE(stored.ProblemFix, std::uint8_t(2));
    QCOMPARE(stored.Status.trimmed(), Active);
    QCOMPARE(stored.FirstEscDate, Today);
    QCOMPARE(stored.FirstEscTime, DateTime::fromHoursMinutes(10, 6));
    QCOMPARE(stored.SecEscDate, Today + 1);
    QCOMPARE(stored.ThirdAction, CaseVocabulary::NotInUse);
    QCOMPARE(logActions(), QStringList{u"Created/1"_s});
    delete form;
}

void TestCaseForm::storedCaseOpensWithRights()
{
    store(storedCase(u"Marta"_s, Active));
    CaseForm *form = openStored(*m_marta);
    QSignalSpy markers(form, &CaseForm::caseMarkerSet);
    const CaseFormControls &c = form->controls();

    QCOMPARE(form->windowTitle(), u" Case 12 - Owner : Marta"_s);
    QCOMPARE(c.caseNr->text(), u"000012"_s);
    QCOMPARE(c.history->toPlainText(), Creation);
    QVERIFY(!c.client->isEnabled());
    QVERIFY(!c.product->isEnabled());
    QVERIFY(!c.startDate->isEnabled());
    QVERIFY(!c.pickDate->isEnabled());
    QVERIFY(c.viewDetails->isEnabled());
    QVERIFY(!c.statusRow->isHidden());
    QVERIFY(c.status->isEnabled());
    QVERIFY(!c.yank->isEnabled()); // the owner yanks nothing
    QVERIFY(!c.escalation[0].done->isHidden());
    QVERIFY(c.escalation[1].done->isHidden());
    QVERIFY(c.print->isEnabled());
    QVERIFY(c.printItem->isEnabled());
    QSignalSpy prints(form, &CaseForm::printRequested);
    c.print->click();
    c.printItem->trigger();
    QCOMPARE(prints.count(), 2);
    QCOMPARE(prints.first().at(0).value<std::uint32_t>(), CaseNr);

    form->okButton()->click();
    QCOMPARE(markers.count(), 1);
    QCOMPARE(markers.first().at(0).value<std::uint32_t>(), CaseNr);
    QCOMPARE(markers.first().at(1).toInt(), int(Marker::NothingNew));
    delete form;
}

void TestCaseForm::closedCaseOffersNoNotes()
{
    store(storedCase(u"Marta"_s, Closed));
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    CaseForm *form = openStored(*boss);
    const CaseFormControls &c = form->controls();

    for (const NoteControl &note : c.notes) {
        QVERIFY2(!note.button->isEnabled(), qPrintable(note.button->text()));
        QVERIFY(!note.item->isEnabled());
    }
    QVERIFY(!c.priority->isEnabled()); // a supervisor does not choose the priority of a closed case
    QVERIFY(c.status->isEnabled());
    QVERIFY(c.yank->isEnabled());
    QVERIFY(c.yankItem->isEnabled());
    for (const EscalationRow &row : c.escalation)
        QVERIFY(!row.done->isEnabled());

    // Cancel by somebody else than the owner leaves the marker alone.
    QSignalSpy markers(form, &CaseForm::caseMarkerSet);
    form->cancelButton()->click();
    QCOMPARE(markers.count(), 0);
    delete form;
}

// Another user logs on while the owner's form is open: the form offers that user's rights.
void TestCaseForm::rightsOfUserLoggedOnNow()
{
    store(storedCase(u"Marta"_s, Active));
    CaseForm *form = openStored(*m_marta);
    const CaseFormControls &c = form->controls();
    QVERIFY(c.status->isEnabled());
    QVERIFY(!c.yank->isEnabled());

    m_marta->station->user().name = u"Tom"_s;
    Q_EMIT qApp->focusChanged(nullptr, c.problem);

    QVERIFY(!c.status->isEnabled());
    QVERIFY(c.yank->isEnabled());
    QVERIFY(!c.escalation[0].done->isEnabled());
    delete form;
}

// A supervisor yanks the case, becomes its owner and chooses another priority with a note.
void TestCaseForm::yankThenPriorityChosen()
{
    store(storedCase(u"Marta"_s, Active));
    auto boss = desk(u"Boss"_s, LevelSupervisor);
    CaseForm *form = openStored(*boss);
    const CaseFormControls &c = form->controls();
    QSignalSpy markers(form, &CaseForm::caseMarkerSet);

    messages().expect(u"  Case : 12 succesfully yanked !  "_s, ButtonOk);
    c.yankItem->trigger();
    QCOMPARE(form->windowTitle(), u" Case 12 - Owner : Boss"_s);
    QVERIFY(!c.yank->isEnabled());
    QVERIFY(c.escalation[0].done->isEnabled());

    QStringList titles;
    answerNote(u"Client waits"_s, &titles);
    c.priority->setCurrentText(CaseVocabulary::High);
    Q_EMIT c.priority->activated(c.priority->currentIndex());
    QCOMPARE(titles, QStringList{u"Changing Priority of Case Nr. 12 to High"_s});

    form->okButton()->click();
    const CaseRecord stored = read(CaseNr);
    QCOMPARE(stored.Owner.trimmed(), u"Boss"_s);
    QCOMPARE(stored.Priority.trimmed(), CaseVocabulary::High);
    QVERIFY(stored.History.contains(u"Case YANKED : "_s));
    QVERIFY(stored.History.endsWith(u"Client waits"_s));
    QCOMPARE(markers.count(), 1);
    QCOMPARE(markers.first().at(1).toInt(), int(Marker::NothingNew));
    delete form;
}

void TestCaseForm::clientLookupCancelled()
{
    addClient(u"ACME"_s, CaseVocabulary::High);
    auto *form = new CaseForm(*m_marta->station, 0);
    QVERIFY(form->open(InsertRequest));
    const CaseFormControls &c = form->controls();
    enter(c.client, u"acme"_s);
    QCOMPARE(c.priority->currentText(), CaseVocabulary::High);

    bool listShown = false;
    QTimer::singleShot(0, this, [&listShown] {
        const QList<ClientList *> lists = openWindows<ClientList>();
        listShown = lists.size() == 1 && lists.first()->selectMode();
        if (!lists.isEmpty())
            lists.first()->close();
    });
    enter(c.client, u"nobody"_s);

    QVERIFY(listShown);
    QVERIFY(c.clientName->text().isEmpty());
    QVERIFY(c.phone->text().isEmpty());
    QCOMPARE(c.priority->currentIndex(), -1);
    QCOMPARE(form->focusWidget(), static_cast<QWidget *>(c.client));
    delete form;
}

// "View Details": the client's name and phone corrected in its form come back into the case.
void TestCaseForm::clientDetailsComeBack()
{
    addClient(u"ACME"_s);
    auto *form = new CaseForm(*m_marta->station, 0);
    QVERIFY(form->open(InsertRequest));
    const CaseFormControls &c = form->controls();
    enter(c.client, u"ACME"_s);

    c.viewDetails->click();
    const QList<ClientForm *> details = openWindows<ClientForm>();
    QCOMPARE(details.size(), 1);
    details.first()->entry(ClientRecord::Col::LName)->setText(u"Acme Holdings"_s);
    details.first()->entry(ClientRecord::Col::Phone)->setText(u"555-0199"_s);
    details.first()->okButton()->click();

    QCOMPARE(c.clientName->text(), u"Acme Holdings"_s);
    QCOMPARE(c.phone->text(), u"555-0199"_s);
    delete form;
}

// The product was deleted by another station after it was accepted: OK asks for another one, and
// the picker cancelled keeps the form open without the product. The problem comes from the list.
void TestCaseForm::productGoneBeforeOk()
{
    addClient(u"ACME"_s);
    addProduct();
    RecordFileOf<ProblemRecord> problems(m_marta->station->database(), m_marta->station->errors());
    QCOMPARE(problems.open(), 0);
    for (const QString &text : {u"Printer"_s, u"Network"_s}) {
        problems.record().PROBLEM = text;
        QCOMPARE(problems.insert(), 0);
    }
    m_marta->station->run().configuration.ProblemFix = 1;
    auto *form = new CaseForm(*m_marta->station, 0);
    QVERIFY(form->open(InsertRequest));
    const CaseFormControls &c = form->controls();
    QVERIFY(!c.problem->isEditable());
    QCOMPARE(c.problem->count(), 2);
    QCOMPARE(c.problem->itemText(0), u"Network"_s);
    enter(c.client, u"ACME"_s);
    enter(c.product, u"Widget"_s);
    QVERIFY(m_marta->station->database().remove(ProductRecord::table(), 1));

    bool pickerShown = false;
    QTimer::singleShot(0, this, [&pickerShown] {
        const QList<ProductPicker *> pickers = openWindows<ProductPicker>();
        pickerShown = pickers.size() == 1;
        if (pickerShown)
            pickers.first()->close();
    });
    form->okButton()->click();

    QVERIFY(pickerShown);
    QVERIFY(form->isOpen());
    QVERIFY(c.productId->text().isEmpty());
    QCOMPARE(caseNumbers(), QList<std::uint32_t>{1}); // only the new case's number, not stored
    QCOMPARE(read(1).SName, QString());
    QVERIFY(logActions().isEmpty());
    delete form;
}

// A start time after the shift, then a Saturday: each is told when its field is left and at OK.
void TestCaseForm::startOutsideServiceShift()
{
    addClient(u"ACME"_s);
    addProduct([](ProductRecord &product) {
        product.ServiceShift = 1;
        product.ServiceStart = DateTime::fromHoursMinutes(9, 0);
        product.ServiceEnd = DateTime::fromHoursMinutes(17, 0);
    });
    auto *form = new CaseForm(*m_marta->station, 0);
    QVERIFY(form->open(InsertRequest));
    const CaseFormControls &c = form->controls();
    enter(c.client, u"ACME"_s);
    enter(c.product, u"Widget"_s);
    const QString lateText = u"  StartTime MUST in SLA-range of 09:00 and 17:00 hours!"_s;
    const QString weekendText = u"   Service Shift - SLA - No Weekends!"_s;

    messages().expect(lateText, ButtonOk);
    enter(c.startTime, u"18:30"_s);
    QCOMPARE(form->focusWidget(), static_cast<QWidget *>(c.startTime));
    messages().expect(lateText, ButtonOk);
    form->okButton()->click();
    QVERIFY(form->isOpen());

    c.startTime->setText(u"10:00"_s);
    c.startDate->setDate(QDate(2004, 5, 8));
    messages().expect(weekendText, ButtonOk);
    form->okButton()->click();
    QVERIFY(form->isOpen());
    QCOMPARE(form->focusWidget(), static_cast<QWidget *>(c.startDate));
    QCOMPARE(read(1).SName, QString());
    delete form;
}

// A "Done" box cancelled in the notes window is cleared again; a status closed with a note
// disables the notes and is stored with its log entry at OK.
void TestCaseForm::stepsThroughNotesWindow()
{
    store(storedCase(u"Marta"_s, Active));
    CaseForm *form = openStored(*m_marta);
    const CaseFormControls &c = form->controls();
    QStringList titles;

    answerNote({}, &titles);
    c.escalation[0].done->click();
    QVERIFY(!c.escalation[0].done->isChecked());
    QVERIFY(c.escalation[1].done->isHidden());

    answerNote(u"Solved by phone"_s, &titles);
    c.status->setCurrentText(Closed);
    Q_EMIT c.status->activated(c.status->currentIndex());
    QCOMPARE(titles, (QStringList{u"Notes regarding First Escalation of Case Nr. 12"_s,
                                  u"Changing Status of Case Nr. 12 to Closed"_s}));
    QVERIFY(c.history->toPlainText().endsWith(u"Solved by phone"_s));
    QVERIFY(!c.notes[0].button->isEnabled());

    form->okButton()->click();
    QVERIFY(!form->isOpen());
    const CaseRecord stored = read(CaseNr);
    QCOMPARE(stored.Status.trimmed(), Closed);
    QCOMPARE(stored.Cdate, Today);
    QCOMPARE(stored.FirstAction, CaseVocabulary::Open);
    QCOMPARE(logActions(), QStringList{u"Closed/12"_s});
    delete form;
}

void TestCaseForm::fullHistoryTold()
{
    // The client's fixed priority differs from the case's: the "by SYSTEM" entry meets a full history.
    addClient(u"ACME"_s, CaseVocabulary::High);
    CaseRecord full = storedCase(u"Marta"_s, Active);
    full.SName = u"ACME"_s;
    full.Priority = CaseVocabulary::Medium;
    full.History = QString(7990, u'x');
    store(full);
    messages().expect(CaseStep::historyFullText(), ButtonOk);

    CaseForm *form = openStored(*m_marta);

    QCOMPARE(form->controls().priority->currentText(), CaseVocabulary::High);
    QCOMPARE(form->workflow().record().History.size(), 8000);
    QCOMPARE(form->focusWidget(), static_cast<QWidget *>(form->okButton()));
    QVERIFY(form->isOpen());
    delete form;
}

// A text colour equal to the background is refused; an accepted one is shown and kept.
void TestCaseForm::historyColoursKept()
{
    store(storedCase(u"Marta"_s, Active));
    CaseForm *form = openStored(*m_marta);
    dialogs().answerColor(0xFFFFFF);
    dialogs().answerColor(0x0000FF);
    messages().expect(u"Text Color cannot be the same as Background Color"_s, ButtonOk);

    form->controls().textColor->trigger();
    form->controls().textColor->trigger();

    QCOMPARE(m_marta->station->settings().readNumber(CaseForm::ProcedureName, u"TextColor"_s), 0x0000FF);
    QCOMPARE(form->controls().history->palette().color(QPalette::Text), QColor(Qt::red));
    delete form;
}

// A case another station deleted meanwhile is not stored at OK, so its status change is not logged.
void TestCaseForm::unstoredCaseIsNotLogged()
{
    store(storedCase(u"Marta"_s, OnHold));
    CaseForm *form = openStored(*m_marta);
    QVERIFY(form->workflow().changeStatus(Active, NoteOutcome::confirmed(u"Back on it"_s)).done);
    auto other = desk(u"Boss"_s, LevelSupervisor);
    other->record().CaseNr = CaseNr;
    QCOMPARE(other->cases->fetch(CaseRecord::CaseNrKey), 0);
    QCOMPARE(other->cases->tryDelete(), 0);
    messages().expect(u"deleted by another station"_s, ButtonOk);
    form->okButton()->click();

    QVERIFY(form->isOpen());
    QCOMPARE(logActions(), QStringList());
}

void TestCaseForm::otherStationChangedCase_data()
{
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QString>("message");
    QTest::newRow("deleted") << true << u"deleted by another station"_s;
    QTest::newRow("changed") << false << u"Record Was Not Updated"_s;
}

// The form stays open on what the user typed; OK's steps are taken back, not repeated.
void TestCaseForm::otherStationChangedCase()
{
    QFETCH(bool, deleted);
    QFETCH(QString, message);
    store(storedCase(u"Marta"_s, OnHold));
    CaseForm *form = openStored(*m_marta);
    form->controls().problem->setEditText(u"Paper jam"_s);

    auto other = desk(u"Boss"_s, LevelSupervisor);
    other->record().CaseNr = CaseNr;
    QCOMPARE(other->cases->fetch(CaseRecord::CaseNrKey), 0);
    if (deleted) {
        QCOMPARE(other->cases->tryDelete(), 0);
    } else {
        other->record().SProblem = u"Toner"_s;
        other->record().Status = Closed;
        QCOMPARE(other->cases->update(), 0);
    }
    messages().expect(message, ButtonOk);
    form->okButton()->click();

    QVERIFY(form->isOpen());
    if (deleted) {
        QCOMPARE(form->controls().problem->currentText(), u"Paper jam"_s);
        QCOMPARE(form->workflow().record().UpdateFlag, Marker::NothingNew);
    } else {
        // The other station's version, with what it allows: a closed case takes no notes.
        QCOMPARE(form->controls().problem->currentText(), u"Toner"_s);
        QCOMPARE(form->controls().status->currentText(), Closed);
        QVERIFY(!form->controls().notes[0].button->isEnabled());
    }
    delete form;
}

void TestCaseForm::deletedCaseNotOpened()
{
    store(storedCase(u"Marta"_s, Active));
    auto other = desk(u"Boss"_s, LevelSupervisor);
    other->record().CaseNr = CaseNr;
    QCOMPARE(other->cases->fetch(CaseRecord::CaseNrKey), 0);
    QCOMPARE(other->cases->tryDelete(), 0);

    CaseFormLauncher launcher(*m_marta->station, nullptr);
    messages().expect(CaseForm::CaseDeletedText, ButtonOk);
    launcher.openCaseForm(ChangeRequest, CaseNr, nullptr);

    QCOMPARE(launcher.openForm(), nullptr);
    QVERIFY(openWindows<CaseForm>().isEmpty());
    QCOMPARE(messages().shown().last().caption, u"Quor Vellum 1.2"_s);
}

void TestCaseForm::secondRequestBringsFormForward()
{
    store(storedCase(u"Marta"_s, Active));
    CaseFormLauncher launcher(*m_marta->station, nullptr);
    QSignalSpy markers(&launcher, &CaseFormLauncher::caseMarkerSet);
    launcher.openCaseForm(ChangeRequest, CaseNr, nullptr);
    CaseForm *first = launcher.openForm();
    QVERIFY(first != nullptr);
    first->showMinimized();

    launcher.openCaseForm(InsertRequest, 0, nullptr);

    QCOMPARE(launcher.openForm(), first);
    QCOMPARE(openWindows<CaseForm>().size(), 1);
    QVERIFY(!first->isMinimized());
    QCOMPARE(caseNumbers(), QList<std::uint32_t>{CaseNr}); // no number taken for a new case
    first->okButton()->click();
    QCOMPARE(markers.count(), 1);
    QCOMPARE(launcher.openForm(), nullptr);
}

QTEST_MAIN(TestCaseForm)
#include "TestCaseForm.moc"
