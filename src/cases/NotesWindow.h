#pragma once
// "AddNotes", the notes window: the note, call, mail or remark of one case step is typed here
// before it goes into the case history. For an outgoing mail it also composes the mail to the
// client from the templates and sends it; only a mail that left is kept as a note.

#include "CaseEvent.h"
#include "CaseFormState.h"
#include "CaseMailTemplates.h"
#include "framework/TextColors.h"
#include "mail/Mapi.h"
#include "mail/SendMailRequest.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vellum {

class CaseWorkflow;
class Workstation;

class NotesWindow final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName; // "AddNotes"
    static const QString HelpTopic;     // "Email Options"
    static constexpr int MaxNote = 1500;

    // Hands the mail to the send window and returns the mail client's result.
    using MailSend = std::function<ULONG(const SendMailRequest &request, QWidget *parent)>;

    // kind: the step being prepared. newValue: the new status (StatusChange) or the new priority
    // (PriorityChangeByAgent), else empty.
    NotesWindow(Workstation &workstation, CaseWorkflow &workflow, CaseEvent kind, const QString &newValue = {},
                QWidget *parent = nullptr);
    ~NotesWindow() override;

    // After exec(): Confirmed (with the text, and for a mail the address it went to), Cancelled,
    // or MailNotSent.
    NoteOutcome outcome() const { return m_outcome; }

    // Where the mail goes; by default through a mail session of the window's own.
    void setMailSend(MailSend send) { m_send = std::move(send); }

    // "&OK", or "Send Email" for a mail.
    void confirm();
    void chooseTextColor();
    void chooseBackgroundColor();
    // "&Edit": the chosen template's subject text and name, to be changed.
    void editHeader();

    void done(int result) override;

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    QString title() const;
    void buildMailPart(QWidget *panel);
    QWidget *buildButtons();
    void buildColorMenu();
    void applyColors();
    void showTemplates();
    void templateChosen(int index);
    void takeHeaderText();
    void takeTemplateName();
    void showHeader();
    void sendMail(const QString &note);
    ULONG sendThroughOwnSession(const SendMailRequest &request);
    bool refused(const NoteOutcome &note);
    void finish(const NoteOutcome &outcome);

    Workstation &m_workstation;
    CaseWorkflow &m_workflow;
    CaseEvent m_kind;
    QString m_newValue;
    NoteOutcome m_outcome;
    TextColors m_colors;
    CaseMailTemplates m_templates;
    MailSend m_send;
    QPlainTextEdit *m_text = nullptr;
    QWidget *m_mailPart = nullptr;
    QComboBox *m_choice = nullptr;
    QLineEdit *m_header = nullptr;
    QPushButton *m_edit = nullptr;
    QWidget *m_editor = nullptr;
    QLineEdit *m_headerText = nullptr;
    QLineEdit *m_templateName = nullptr;
    QCheckBox *m_addProblem = nullptr;
    QCheckBox *m_addSignature = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_help = nullptr;
};

} // namespace vellum
