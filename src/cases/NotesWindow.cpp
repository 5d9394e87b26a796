#include "NotesWindow.h"

#include "CaseMailComposer.h"
#include "CaseWorkflow.h"
#include "data/Workstation.h"
#include "framework/widgets/BgrColor.h"
#include "mail/LimitedTextEdit.h"
#include "mail/WorkstationMail.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QPushButton *button(const QString &name, const QString &text)
{
    auto *made = new QPushButton(text);
    made->setObjectName(name);
    // Return in an entry never closes the window by itself.
    made->setAutoDefault(false);
    return made;
}

QLineEdit *entry(const QString &name, int maxLength)
{
    auto *made = new QLineEdit;
    made->setObjectName(name);
    made->setMaxLength(maxLength);
    return made;
}

QString noteTitle(CaseEvent kind)
{
    switch (kind) {
    case CaseEvent::ReviewNote:
        return u"Adding a Note to Case Nr. "_s;
    case CaseEvent::OutgoingCall:
        return u"Adding an Outgoing Call to Case Nr. "_s;
    case CaseEvent::IncomingCall:
        return u"Adding an Incoming Call to Case Nr. "_s;
    case CaseEvent::OutgoingEmail:
        return u"Adding an Outgoing Email to Case Nr. "_s;
    case CaseEvent::IncomingEmail:
        return u"Pasting an Incoming Email to Case Nr. "_s;
    default:
        return {};
    }
}

} // namespace

const QString NotesWindow::ProcedureName = u"AddNotes"_s;
const QString NotesWindow::HelpTopic = u"Email Options"_s;

NotesWindow::NotesWindow(Workstation &workstation, CaseWorkflow &workflow, CaseEvent kind, const QString &newValue,
                         QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_workflow(workflow), m_kind(kind), m_newValue(newValue),
      m_colors(workstation.settings(), workstation.dialogs(), workstation.messages(), CaseMailTemplates::Section)
{
    setObjectName(ProcedureName);
    setWindowTitle(title());
    m_templates.load(workstation.settings());
    auto *layout = new QVBoxLayout(this);
    buildColorMenu();
    m_mailPart = new QWidget;
    m_mailPart->setObjectName(u"mailPart"_s);
    buildMailPart(m_mailPart);
    layout->addWidget(m_mailPart);
    m_text = new LimitedTextEdit(MaxNote);
    m_text->setObjectName(u"note"_s);
    layout->addWidget(m_text, 1);
    layout->addWidget(buildButtons());
    applyColors();
    resize(560, 320);
    const bool mail = kind == CaseEvent::OutgoingEmail;
    m_mailPart->setVisible(mail);
    if (mail) {
        m_ok->setText(u"Send Email"_s);
        showTemplates();
    }
    m_text->setFocus();
}

NotesWindow::~NotesWindow() = default;

QString NotesWindow::title() const
{
    switch (m_kind) {
    case CaseEvent::StatusChange:
        return m_workflow.statusNotesTitle(m_newValue);
    case CaseEvent::PriorityChangeByAgent:
        return m_workflow.priorityNotesTitle(m_newValue);
    case CaseEvent::FirstEscalationDone:
        return m_workflow.escalationNotesTitle(1);
    case CaseEvent::SecondEscalationDone:
        return m_workflow.escalationNotesTitle(2);
    case CaseEvent::ThirdEscalationDone:
        return m_workflow.escalationNotesTitle(3);
    default:
        return noteTitle(m_kind) + QString::number(m_workflow.record().CaseNr);
    }
}

void NotesWindow::buildColorMenu()
{
    auto *bar = new QMenuBar(this);
    QMenu *colors = bar->addMenu(u"Colo&r"_s);
    connect(colors->addAction(u"&Text Color"_s), &QAction::triggered, this, &NotesWindow::chooseTextColor);
    connect(colors->addAction(u"&Background"_s), &QAction::triggered, this, &NotesWindow::chooseBackgroundColor);
    layout()->setMenuBar(bar);
}

void NotesWindow::buildMailPart(QWidget *panel)
{
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    m_choice = new QComboBox;
    m_choice->setObjectName(u"template"_s);
    m_header = entry(u"header"_s, CaseMailTemplates::HeaderWidth);
    m_header->setReadOnly(true);
    m_edit = button(u"edit"_s, u"&Edit"_s);
    m_edit->setToolTip(u"Edit Message Header"_s);
    m_addProblem = new QCheckBox(u" Add Problem"_s);
    m_addProblem->setObjectName(u"addProblem"_s);
    m_addSignature = new QCheckBox(u"Add Signature"_s);
    m_addSignature->setObjectName(u"addSignature"_s);
    m_editor = new QWidget;
    auto *row = new QHBoxLayout(m_editor);
    row->setContentsMargins(0, 0, 0, 0);
    m_headerText = entry(u"headerText"_s, CaseMailTemplates::SubjectWidth);
    m_templateName = entry(u"templateName"_s, CaseMailTemplates::NameWidth);
    row->addWidget(m_headerText, 1);
    row->addWidget(m_templateName);
    m_editor->hide();
    grid->addWidget(m_choice, 0, 0);
    grid->addWidget(new QLabel(u"Message Header"_s), 0, 1);
    grid->addWidget(m_header, 0, 2);
    grid->addWidget(m_edit, 0, 3);
    grid->addWidget(m_editor, 1, 0, 1, 4);
    grid->addWidget(m_addProblem, 2, 0);
    grid->addWidget(m_addSignature, 2, 1);
    grid->setColumnStretch(2, 1);
    connect(m_choice, &QComboBox::activated, this, &NotesWindow::templateChosen);
    connect(m_edit, &QPushButton::clicked, this, &NotesWindow::editHeader);
    connect(m_headerText, &QLineEdit::editingFinished, this, &NotesWindow::takeHeaderText);
    connect(m_templateName, &QLineEdit::editingFinished, this, &NotesWindow::takeTemplateName);
    connect(m_addProblem, &QCheckBox::toggled, this, [this](bool on) { m_templates.addProblem = on; });
    connect(m_addSignature, &QCheckBox::toggled, this, [this](bool on) { m_templates.addSignature = on; });
}

QWidget *NotesWindow::buildButtons()
{
    auto *panel = new QWidget;
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    m_ok = button(u"ok"_s, u"&OK"_s);
    m_cancel = button(u"cancel"_s, u"&Cancel"_s);
    m_help = button(u"help"_s, u"&Help"_s);
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    row->addWidget(m_help);
    connect(m_ok, &QPushButton::clicked, this, &NotesWindow::confirm);
    connect(m_cancel, &QPushButton::clicked, this, [this] { finish(NoteOutcome::cancelled()); });
    connect(m_help, &QPushButton::clicked, this, [this] { Q_EMIT helpRequested(HelpTopic); });
    return panel;
}

void NotesWindow::applyColors()
{
    BgrColor::setTextColors(m_text, m_colors.text(), m_colors.background());
}

void NotesWindow::chooseTextColor()
{
    if (m_colors.chooseText())
        applyColors();
}

void NotesWindow::chooseBackgroundColor()
{
    if (m_colors.chooseBackground())
        applyColors();
}

// The choice as the settings left it; a template without a subject asks for one at once.
void NotesWindow::showTemplates()
{
    m_choice->clear();
    m_choice->addItems(m_templates.choiceNames());
    m_choice->setCurrentIndex(m_templates.choice() - 1);
    m_addProblem->setChecked(m_templates.addProblem);
    m_addSignature->setChecked(m_templates.addSignature);
    templateChosen(m_choice->currentIndex());
}

void NotesWindow::templateChosen(int index)
{
    m_templates.choose(index + 1);
    const int choice = m_templates.choice();
    m_edit->setEnabled(choice != CaseMailTemplates::Problem);
    m_editor->hide();
    if (choice == CaseMailTemplates::Entry || (m_templates.isTemplate() && m_templates.subject(choice).isEmpty()))
        editHeader();
    showHeader();
}

void NotesWindow::editHeader()
{
    const int choice = m_templates.choice();
    if (choice == CaseMailTemplates::Problem)
        return;
    const bool entryText = choice == CaseMailTemplates::Entry;
    m_headerText->setText(entryText ? m_templates.entryText() : m_templates.subject(choice));
    m_templateName->setText(m_templates.name(choice));
    m_templateName->setVisible(!entryText);
    m_editor->show();
    m_headerText->setFocus();
}

void NotesWindow::takeHeaderText()
{
    m_templates.setText(m_headerText->text());
    showHeader();
}

void NotesWindow::takeTemplateName()
{
    m_templates.rename(m_templateName->text());
    m_choice->setItemText(m_templates.choice() - 1, m_templates.name(m_templates.choice()));
}

void NotesWindow::showHeader()
{
    m_header->setText(m_templates.header(m_workflow.record().CaseNr, m_workflow.record().SProblem));
}

void NotesWindow::confirm()
{
    const QString note = m_text->toPlainText();
    if (note.isEmpty()) {
        m_workstation.messages().beep();
        m_text->setFocus();
        return;
    }
    if (m_kind == CaseEvent::OutgoingEmail) {
        sendMail(note);
        return;
    }
    if (const NoteOutcome confirmed = NoteOutcome::confirmed(note); !refused(confirmed))
        finish(confirmed);
}

void NotesWindow::sendMail(const QString &note)
{
    // What is typed in the editor counts, whether or not the user left the entry.
    if (m_editor->isVisible()) {
        takeHeaderText();
        takeTemplateName();
    }
    const CaseRecord &record = m_workflow.record();
    if (m_templates.source(record.SProblem).isEmpty()) {
        m_workstation.messages().beep();
        (m_editor->isVisible() ? m_headerText : m_header)->setFocus();
        return;
    }
    const CaseMailRecipient client = CaseMailComposer::recipient(m_workstation, record.SName);
    if (client.refusal) {
        m_workstation.messages().show(*client.refusal);
        finish(NoteOutcome::mailNotSent());
        return;
    }
    const QString text = CaseMailComposer::mailText(note, record.SProblem, m_templates.addProblem,
                                                    m_templates.addSignature, m_workstation.user());
    const NoteOutcome sent = NoteOutcome::confirmed(text, client.address);
    if (refused(sent))
        return;
    SendMailRequest request;
    request.caseNumber = record.CaseNr;
    request.subject = m_templates.header(record.CaseNr, record.SProblem);
    request.address = client.address;
    request.name = client.name;
    request.mode = SendMailRequest::SendAtOnce;
    request.caseNotes = text;
    // The mail client may change the working folder; the program keeps its own.
    const QString folder = QDir::currentPath();
    const ULONG result = m_send ? m_send(request, this) : sendThroughOwnSession(request);
    QDir::setCurrent(folder);
    finish(result == SUCCESS_SUCCESS ? sent : NoteOutcome::mailNotSent());
}

ULONG NotesWindow::sendThroughOwnSession(const SendMailRequest &request)
{
    WorkstationMail mail(m_workstation);
    return mail.send(request, this);
}

// A note the history cannot take stays in the window, to be shortened.
bool NotesWindow::refused(const NoteOutcome &note)
{
    const QString newStatus = m_kind == CaseEvent::StatusChange ? m_newValue : QString();
    const std::optional<MessageRequest> refusal = m_workflow.refuseNote(m_kind, note, newStatus);
    if (!refusal)
        return false;
    m_workstation.messages().show(*refusal);
    m_text->setFocus();
    return true;
}

void NotesWindow::finish(const NoteOutcome &outcome)
{
    m_outcome = outcome;
    if (outcome.kind == NoteOutcome::Kind::Confirmed)
        accept();
    else
        reject();
}

void NotesWindow::done(int result)
{
    m_templates.store(m_workstation.settings());
    QDialog::done(result);
}

} // namespace vellum
