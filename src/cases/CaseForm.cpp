#include "CaseForm.h"

#include "CaseRights.h"
#include "DatePicker.h"
#include "EscalationScheduler.h"
#include "NotesWindow.h"
#include "data/CaseVocabulary.h"
#include "data/ProblemRecord.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/DateTime.h"
#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "framework/TextColors.h"
#include "framework/widgets/BgrColor.h"
#include "reference/ClientForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = CaseRecord::Col;

constexpr int Ok = 0;
constexpr std::uint8_t ProblemFromList = 1;
constexpr std::uint8_t ProblemTyped = 2;
constexpr int ProblemLength = 80;

} // namespace

struct CaseForm::OwnedFile {
    explicit OwnedFile(Workstation &workstation)
        : file(workstation.database(), workstation.errors()), relations(file, {})
    {
    }

    RecordFileOf<CaseRecord> file;
    FileRelations relations;
};

const QString CaseForm::ProcedureName = u"ChangeCases"_s;
const QString CaseForm::HelpTopic = u"Creating a Client Case"_s;
const QString CaseForm::CaseDeletedText = u"Case Deleted - Press Sort for an Instant\r\nRefreshment of the Queues "_s;

CaseForm::CaseForm(Workstation &workstation, std::uint32_t caseNr, QWidget *parent)
    : CaseForm(workstation, caseNr, std::make_unique<OwnedFile>(workstation), parent)
{
}

CaseForm::CaseForm(Workstation &workstation, std::uint32_t caseNr, std::unique_ptr<OwnedFile> owned, QWidget *parent)
    : FormWindow(ProcedureName, owned->relations, workstation.settings(), parent), m_workstation(workstation),
      m_owned(std::move(owned)), m_workflow(std::make_unique<CaseWorkflow>(workstation, m_owned->file)),
      m_colors(std::make_unique<TextColors>(workstation.settings(), workstation.dialogs(), workstation.messages(),
                                            ProcedureName)),
      m_lookups(workstation), m_requestedNr(caseNr)
{
    setCaptions(u"Adding a Case "_s, u"Changing a Case Status"_s);
    setHelpTopic(HelpTopic);
    FormController::Rules rules;
    rules.deleteAllowed = false;
    rules.cancelAction = 0;
    setRules(rules);
    m_controls.addTo(*this);
    connectControls();
    connectSteps();
    showColors();
    connect(this, &ProcedureWindow::finished, this, [this](int response) {
        if (response != RequestCompleted)
            return;
        tell(m_workflow->writeCaseLog());
        if (m_okMarker)
            Q_EMIT caseMarkerSet(this->caseNr(), *m_okMarker);
    });
}

CaseForm::~CaseForm()
{
    if (m_owned->file.isOpen())
        m_owned->relations.close();
}

std::uint32_t CaseForm::caseNr() const
{
    return m_owned->file.record().CaseNr;
}

CaseRecord &CaseForm::record()
{
    return m_owned->file.record();
}

void CaseForm::connectControls()
{
    const CaseFormControls &c = m_controls;
    connect(c.client, &QLineEdit::editingFinished, this, &CaseForm::clientEntered);
    connect(c.product, &QLineEdit::editingFinished, this, &CaseForm::productEntered);
    connect(c.viewDetails, &QPushButton::clicked, this, &CaseForm::viewClientDetails);
    connect(c.pickDate, &QPushButton::clicked, this, &CaseForm::pickStartDate);
    connect(c.startTime, &QLineEdit::editingFinished, this, [this] { checkStart(false); });
    connect(c.startDate, &QDateEdit::editingFinished, this, [this] { checkStart(true); });
    connect(c.textColor, &QAction::triggered, this, [this] { chooseColor(true); });
    connect(c.background, &QAction::triggered, this, [this] { chooseColor(false); });
    connect(c.helpItem, &QAction::triggered, this, &CaseForm::requestHelp);
    connect(c.cancelItem, &QAction::triggered, this, &FormWindow::reject);
    connect(c.okItem, &QAction::triggered, this, &CaseForm::confirm);
    // OK confirms the case before the framework stores it, and takes its steps back when it could not.
    disconnect(okButton(), &QPushButton::clicked, this, &FormWindow::accept);
    connect(okButton(), &QPushButton::clicked, this, &CaseForm::confirm);
}

void CaseForm::connectSteps()
{
    const CaseFormControls &c = m_controls;
    for (const NoteControl &note : c.notes) {
        const CaseEvent kind = note.event;
        connect(note.button, &QPushButton::clicked, this, [this, kind] { noteChosen(kind); });
        connect(note.item, &QAction::triggered, this, [this, kind] { noteChosen(kind); });
    }
    connect(c.status, &QComboBox::activated, this, [this] { statusChosen(m_controls.status->currentText()); });
    for (int level = 1; level <= CaseRights::LevelCount; ++level) {
        connect(c.escalation[std::size_t(level - 1)].done, &QCheckBox::clicked, this, [this, level](bool ticked) {
            if (ticked)
                doneTicked(level);
        });
    }
    connect(c.priority, &QComboBox::activated, this, &CaseForm::priorityChosen);
    connect(c.yank, &QPushButton::clicked, this, &CaseForm::yank);
    connect(c.yankItem, &QAction::triggered, this, &CaseForm::yank);
    connect(c.print, &QPushButton::clicked, this, [this] { Q_EMIT printRequested(caseNr()); });
    connect(c.printItem, &QAction::triggered, this, [this] { Q_EMIT printRequested(caseNr()); });
}

// ---- opening

// The problem entry is made ready before the framework first shows the record, which it then
// takes as the record's state.
bool CaseForm::beforeOpen(FormRequest *request)
{
    if (*request == ChangeRequest) {
        if (!readStoredCase())
            return false;
    } else if (*request == InsertRequest) {
        const CaseStep step = m_workflow->createCase();
        tell(step.messages);
        if (!step.done)
            return false;
        record().ProblemFix = m_workstation.run().configuration.ProblemFix == 1 ? ProblemFromList : ProblemTyped;
    }
    prepareProblem(record().ProblemFix == ProblemFromList);
    return true;
}

bool CaseForm::readStoredCase()
{
    RecordFileOf<CaseRecord> &cases = m_owned->file;
    if (!cases.isOpen() && m_owned->relations.open() != Ok)
        return false;
    cases.record() = {};
    cases.record().CaseNr = m_requestedNr;
    if (cases.fetch(CaseRecord::CaseNrKey) == Ok)
        return true;
    if (cases.lastError() == 0)
        ApplicationMessage::show(m_workstation.messages(), CaseDeletedText);
    return false;
}

// After the framework's snapshot: what the opening steps change counts as a change of the case.
bool CaseForm::aboutToShow()
{
    const bool stored = !m_workflow->isNewCase();
    const CaseFormControls &c = m_controls;
    for (QWidget *control :
         {static_cast<QWidget *>(c.client), static_cast<QWidget *>(c.product), static_cast<QWidget *>(c.startDate),
          static_cast<QWidget *>(c.startTime), static_cast<QWidget *>(c.pickDate)})
        control->setEnabled(!stored);
    if (stored) {
        showStoredCase();
        // A priority the system changed is confirmed with OK at once.
        if (m_workflow->lastEvent() == CaseEvent::PriorityChangeBySystem)
            okButton()->setFocus();
    } else {
        CaseStep opening;
        opening.form = m_workflow->form();
        apply(opening);
        showPriority(m_workflow->priority().view());
    }
    return true;
}

// The stored case as read, with what it allows the user now. The label says where the priority
// comes from; who may choose it is the form's rights.
void CaseForm::showStoredCase()
{
    apply(m_workflow->openCase());
    showPriority(m_workflow->priority().view());
    showState(m_workflow->form());
    m_rightsFor = {m_workstation.user().name, m_workstation.levelInForce()};
}

// Only when the user changed: the steps taken on the form keep what they allowed.
void CaseForm::applyRights()
{
    FormWindow::applyRights();
    std::pair<QString, int> user{m_workstation.user().name, m_workstation.levelInForce()};
    if (!isOpen() || m_workflow->isNewCase() || user == m_rightsFor)
        return;
    m_rightsFor = std::move(user);
    m_workflow->showRights();
    showState(m_workflow->form());
}

// The problem categories to choose from, or a text typed freely.
void CaseForm::prepareProblem(bool fromList)
{
    QComboBox *problem = m_controls.problem;
    problem->clear();
    problem->setEditable(!fromList);
    problem->setToolTip(fromList ? u"Select Problem"_s : u"Problem Description"_s);
    if (!fromList) {
        problem->lineEdit()->setMaxLength(ProblemLength);
        return;
    }
    RecordFileOf<ProblemRecord> problems(m_workstation.database(), m_workstation.errors());
    if (problems.open() == Ok) {
        problems.set(ProblemRecord::KeyProblem);
        while (problems.next() == Ok)
            problem->addItem(problems.record().PROBLEM.trimmed());
    }
    // A category renamed or removed since the case took it still shows.
    if (const QString current = record().SProblem.trimmed();
        !current.isEmpty() && problem->findText(current, Qt::MatchFixedString) < 0)
        problem->addItem(current);
}

void CaseForm::recordShown()
{
    const CaseRecord &shown = m_owned->file.record();
    m_controls.caseNr->setText(u"%1"_s.arg(shown.CaseNr, 6, 10, QChar(u'0')));
    m_controls.history->setPlainText(shown.History);
    showDeadlines();
}

void CaseForm::showDeadlines()
{
    const CaseRecord &shown = m_owned->file.record();
    const std::array<DateTime::DayTime, 3> deadlines{{{shown.FirstEscDate, shown.FirstEscTime},
                                                      {shown.SecEscDate, shown.SecEscTime},
                                                      {shown.ThirdEscDate, shown.ThirdEscTime}}};
    for (std::size_t level = 0; level < deadlines.size(); ++level) {
        m_controls.escalation[level].date->setText(DateTime::formatDate(deadlines[level].day));
        m_controls.escalation[level].time->setText(DateTime::formatTime(deadlines[level].time));
    }
}

// ---- steps

void CaseForm::tell(const QList<MessageRequest> &messages)
{
    for (const MessageRequest &message : messages)
        m_workstation.messages().show(message);
}

void CaseForm::apply(const CaseStep &step)
{
    tell(step.messages);
    if (step.beep)
        m_workstation.messages().beep();
    showState(step.form);
    showRecord();
}

void CaseForm::showState(const CaseFormState &state)
{
    CaseFormControls &c = m_controls;
    setWindowTitle(state.title);
    c.status->setCurrentText(state.status);
    c.statusRow->setVisible(state.statusVisible);
    c.status->setEnabled(state.statusEnabled);
    if (!m_workflow->isNewCase()) {
        c.priority->setEnabled(state.priorityEnabled);
        c.priorityRow->setVisible(true);
    }
    c.yank->setVisible(state.yankVisible);
    c.yankItem->setVisible(state.yankVisible);
    c.yank->setEnabled(state.yankEnabled);
    c.yankItem->setEnabled(state.yankEnabled);
    // A case not stored yet has no report.
    c.print->setEnabled(!m_workflow->isNewCase());
    c.printItem->setEnabled(!m_workflow->isNewCase());
    for (const NoteControl &note : c.notes) {
        note.button->setEnabled(state.notesEnabled);
        note.item->setEnabled(state.notesEnabled);
    }
    for (std::size_t level = 0; level < c.escalation.size(); ++level) {
        const EscalationRow &row = c.escalation[level];
        row.row->setVisible(state.escalationVisible);
        row.done->setVisible(state.done[level].visible);
        row.done->setEnabled(state.done[level].enabled);
        row.done->setChecked(state.done[level].checked);
    }
}

void CaseForm::showPriority(const PriorityView &view)
{
    m_controls.priorityRow->setVisible(view.choiceShown);
    m_controls.priority->setEnabled(view.choiceEnabled);
    m_controls.prioritySource->setText(view.label.text);
    QPalette palette = m_controls.prioritySource->palette();
    palette.setColor(QPalette::WindowText, view.label.colour);
    m_controls.prioritySource->setPalette(palette);
}

NoteOutcome CaseForm::askNote(CaseEvent kind, const QString &newValue)
{
    storeControls();
    NotesWindow notes(m_workstation, *m_workflow, kind, newValue, this);
    if (m_mailSend)
        notes.setMailSend(m_mailSend);
    notes.exec();
    return notes.outcome();
}

void CaseForm::noteChosen(CaseEvent kind)
{
    const NoteOutcome note = askNote(kind);
    apply(m_workflow->addNote(kind, note));
}

void CaseForm::statusChosen(const QString &status)
{
    if (CaseRights::sameWord(status, record().Status)) {
        apply(m_workflow->changeStatus(status, NoteOutcome::cancelled()));
        return;
    }
    const NoteOutcome note = askNote(CaseEvent::StatusChange, status);
    apply(m_workflow->changeStatus(status, note));
}

void CaseForm::doneTicked(int level)
{
    const NoteOutcome note = askNote(CaseWorkflow::escalationEvent(level));
    apply(m_workflow->markEscalationDone(level, note));
}

// A stored case's priority chosen by hand: a fixed one is told by the system, another one asks for a note.
void CaseForm::priorityChosen()
{
    if (m_workflow->isNewCase())
        return;
    storeControls();
    CaseStep step;
    step.form = m_workflow->form();
    const PriorityChangeResult result = m_workflow->recordPriorityChange();
    if (result.change == PriorityChange::NeedsNote) {
        const NoteOutcome note = askNote(CaseEvent::PriorityChangeByAgent, record().Priority);
        step = m_workflow->confirmPriorityChange(note);
    } else if (result.history == AppendResult::HistoryFull) {
        step.reportHistoryFull();
    }
    apply(step);
    showPriority(m_workflow->priority().view());
    showState(m_workflow->form());
}

void CaseForm::yank()
{
    storeControls();
    apply(m_workflow->yankCase());
}

// ---- OK and Cancel

void CaseForm::confirm()
{
    m_beforeConfirm.reset();
    accept();
    if (!isOpen() || !m_beforeConfirm)
        return;
    // Not stored: OK's steps are taken back so that the next OK takes them once. After another
    // station's change the framework read its version: the form shows it with what it allows, and
    // the user takes the steps again on it.
    if (m_confirmedRecord && toRow(record()) == toRow(*m_confirmedRecord)) {
        record() = *m_beforeConfirm;
        showRecord();
    } else {
        showStoredCase();
    }
}

bool CaseForm::controlsAccepted()
{
    if (m_workflow->isNewCase() && !(ensureClient() && ensureProduct() && checkStart(false) && checkStart(true)))
        return false;
    storeControls();
    m_beforeConfirm = record();
    const CaseStep step = m_workflow->confirmCase();
    tell(step.messages);
    m_okMarker = step.listMarker;
    m_confirmedRecord = record();
    return true;
}

bool CaseForm::mayClose()
{
    if (!FormWindow::mayClose())
        return false;
    if (response() == RequestCompleted)
        return true;
    const CaseStep step = m_workflow->cancelCase();
    tell(step.messages);
    if (step.listMarker)
        Q_EMIT caseMarkerSet(caseNr(), *step.listMarker);
    return true;
}

// ---- client and product of a new case

// Only a short name the user changed is looked up: leaving the field otherwise asks nothing.
void CaseForm::clientEntered()
{
    if (m_workflow->isNewCase() && m_controls.client->isModified() && !m_lookups.picking())
        ensureClient();
}

void CaseForm::productEntered()
{
    if (m_workflow->isNewCase() && m_controls.product->isModified() && !m_lookups.picking())
        ensureProduct();
}

// The typed client, or one picked from the client list; false when the list was cancelled.
bool CaseForm::ensureClient()
{
    storeControls();
    const std::optional<ClientRecord> client = m_lookups.client(record().SName);
    if (client)
        acceptClient(*client);
    else
        dropClient();
    return client.has_value();
}

// The product accepted before, unless its name was typed again; else the one named or picked.
bool CaseForm::ensureProduct()
{
    storeControls();
    std::optional<ProductRecord> product;
    if (!m_controls.product->isModified())
        product = m_lookups.productById(record().IDProduct);
    if (!product)
        product = m_lookups.product(record().Product);
    if (product)
        acceptProduct(*product);
    else
        dropProduct();
    return product.has_value();
}

void CaseForm::acceptClient(const ClientRecord &client)
{
    CaseRecord &shown = record();
    shown.SName = client.SName;
    shown.LName = client.LName;
    shown.Phone = client.Phone;
    const PriorityView view = m_workflow->priority().acceptClient(shown, PriorityLevel::of(client));
    showRecord();
    showPriority(view);
}

void CaseForm::dropClient()
{
    CaseRecord &shown = record();
    shown.LName.clear();
    shown.Phone.clear();
    shown.Priority.clear();
    m_workflow->priority().forgetClient();
    showRecord();
    m_controls.client->setFocus();
}

void CaseForm::acceptProduct(const ProductRecord &product)
{
    CaseRecord &shown = record();
    shown.Product = product.Product;
    shown.IDProduct = product.IDProduct;
    const PriorityView view = m_workflow->priority().acceptProduct(shown, PriorityLevel::of(product));
    showRecord();
    showPriority(view);
}

void CaseForm::dropProduct()
{
    CaseRecord &shown = record();
    shown.IDProduct.clear();
    shown.Priority.clear();
    m_workflow->priority().forgetProduct();
    showRecord();
    m_controls.product->setFocus();
}

// The client's form; a full name or phone changed there comes back into the case.
void CaseForm::viewClientDetails()
{
    storeControls();
    auto *details = new ClientForm(m_workstation, record().SName);
    details->setAttribute(Qt::WA_DeleteOnClose);
    connect(details, &ClientForm::handedBack, this, [this](const QString &fullName, const QString &phone) {
        storeControls();
        record().LName = fullName;
        record().Phone = phone;
        showRecord();
    });
    connect(details, &ProcedureWindow::finished, details, &QObject::deleteLater);
    details->open(ChangeRequest, this);
}

void CaseForm::pickStartDate()
{
    storeControls();
    record().SDate = DatePicker::pickDate(m_workstation, this, record().SDate);
    showRecord();
    checkStart(true);
}

// The start moment must lie in the product's service shift; the field is entered again when not.
bool CaseForm::checkStart(bool date)
{
    if (!m_workflow->isNewCase() || m_lookups.picking())
        return true;
    storeControls();
    const std::optional<ProductRecord> product = m_lookups.productById(record().IDProduct);
    if (!product)
        return true;
    const std::optional<QString> refusal = date ? EscalationScheduler::checkStartDate(record(), *product)
                                                : EscalationScheduler::checkStartTime(record(), *product);
    if (!refusal)
        return true;
    tell({CaseStep::message(*refusal)});
    if (date)
        m_controls.startDate->setFocus();
    else
        m_controls.startTime->setFocus();
    return false;
}

// ---- colours of the history box

void CaseForm::chooseColor(bool text)
{
    if (text ? m_colors->chooseText() : m_colors->chooseBackground())
        showColors();
}

void CaseForm::showColors()
{
    BgrColor::setTextColors(m_controls.history, m_colors->text(), m_colors->background());
}

} // namespace vellum
