#include "SendMailWindow.h"

#include "LimitedTextEdit.h"
#include "MailIcons.h"
#include "MailMessage.h"
#include "MailResultMessages.h"
#include "MailText.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/widgets/NamedButton.h"
#include "framework/widgets/WindowPlacer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr bool Resizable = true;
// The mail client's own limit for a path is longer than the 79 characters the entry once held.
constexpr int MaxPath = 255;
const QString AddressCaption = u"Address To:"_s;
constexpr ULONG AddressFields = 4;

QLineEdit *entry(const QString &name, int maxLength)
{
    auto *field = new QLineEdit;
    field->setObjectName(name);
    field->setMaxLength(maxLength);
    return field;
}

QToolButton *toolButton(const QString &name, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

const QString SendMailWindow::ProcedureName = u"SendOutLook"_s;

SendMailWindow::SendMailWindow(Workstation &workstation, MailConnection &connection, const SendMailRequest &request,
                               QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_composer(connection)
{
    setObjectName(ProcedureName);
    setWindowTitle(ApplicationMessage::Title + u" - Send Mail"_s);
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->addTab(buildAddressTab(), u"Address"_s);
    m_tabs->addTab(buildTextTab(), u"Message text"_s);
    layout->addWidget(m_tabs);
    buildButtons(layout);
    // The order the user tabs through, across both pages.
    const QList<QWidget *> order{m_to,   m_addressBook, m_subject, m_attachment, m_chooseFile,
                                 m_text, m_caseNotes,   m_send,    m_cancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    prefill(request);
    m_waitsForUser = request.mode != SendMailRequest::SendAtOnce;
    if (m_waitsForUser) {
        WindowPlacer::restore(this, workstation.settings(), ProcedureName, Resizable);
        m_to->setFocus();
    }
}

SendMailWindow::~SendMailWindow() = default;

QWidget *SendMailWindow::buildAddressTab()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_to = entry(u"to"_s, MaxEntry);
    m_addressBook = toolButton(u"addressBook"_s, u"Call Adres Book"_s);
    m_addressBook->setIcon(MailIcons::addressBook());
    m_subject = entry(u"subject"_s, MaxEntry);
    m_attachment = entry(u"attachment"_s, MaxPath);
    m_chooseFile = toolButton(u"chooseFile"_s, u"Select Attachment"_s);
    m_chooseFile->setText(u"..."_s);
    grid->addWidget(new QLabel(u"To:"_s), 0, 0);
    grid->addWidget(m_to, 0, 1);
    grid->addWidget(m_addressBook, 0, 2);
    grid->addWidget(new QLabel(u"Subject:"_s), 1, 0);
    grid->addWidget(m_subject, 1, 1, 1, 2);
    grid->addWidget(new QLabel(u"Attachment:"_s), 2, 0);
    grid->addWidget(m_attachment, 2, 1);
    grid->addWidget(m_chooseFile, 2, 2);
    grid->setRowStretch(3, 1);
    connect(m_to, &QLineEdit::editingFinished, this, [this] { completeEntry(m_to); });
    connect(m_subject, &QLineEdit::editingFinished, this, [this] { completeEntry(m_subject); });
    connect(m_addressBook, &QToolButton::clicked, this, &SendMailWindow::chooseRecipients);
    connect(m_chooseFile, &QToolButton::clicked, this, &SendMailWindow::chooseAttachment);
    return page;
}

QWidget *SendMailWindow::buildTextTab()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    m_text = new LimitedTextEdit(MaxText);
    m_text->setObjectName(u"text"_s);
    m_caseNotes = new LimitedTextEdit(MaxCaseNotes);
    m_caseNotes->setObjectName(u"caseNotes"_s);
    m_caseNotes->setToolTip(u"Nieuwe aantekeningen"_s);
    column->addWidget(m_text);
    column->addWidget(m_caseNotes);
    return page;
}

void SendMailWindow::buildButtons(QVBoxLayout *layout)
{
    auto *row = new QHBoxLayout;
    m_send = namedButton(u"send"_s, u"&Send"_s);
    m_send->setIcon(MailIcons::send());
    m_send->setToolTip(u"Send this message to the Outbox"_s);
    m_cancel = namedButton(u"cancel"_s, u"&Cancel"_s);
    row->addStretch();
    row->addWidget(m_send);
    row->addWidget(m_cancel);
    layout->addLayout(row);
    connect(m_send, &QPushButton::clicked, this, &SendMailWindow::send);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// Every window starts from an empty mail; mode 1 then fills it from the case.
void SendMailWindow::prefill(const SendMailRequest &request)
{
    m_composer.clear();
    m_caseNotes->setPlainText(request.caseNotes);
    if (request.mode != SendMailRequest::SendAtOnce) {
        m_caseNotes->hide();
        return;
    }
    setWindowTitle(u"Send a Message to "_s + MailText::trimmedRight(request.name));
    m_to->setText(MailText::trimmedRight(request.address));
    m_subject->setText(request.subject);
    m_text->setPlainText(request.caseNotes.left(MaxCaseNotes));
}

ULONG SendMailWindow::run(Workstation &workstation, MailConnection &connection, const SendMailRequest &request,
                          QWidget *parent)
{
    SendMailWindow window(workstation, connection, request, parent);
    if (request.mode == SendMailRequest::SendAtOnce)
        window.send();
    else
        window.exec();
    return window.mailResult();
}

// An entry the user completes empty is not accepted: a beep, and the cursor stays there.
void SendMailWindow::completeEntry(QLineEdit *entry)
{
    const bool edited = entry->isModified() || entry->hasFocus();
    entry->setModified(false);
    if (!entry->text().isEmpty() || !edited || !isVisible())
        return;
    m_workstation.messages().beep();
    entry->setFocus();
}

void SendMailWindow::chooseRecipients()
{
    m_composer.message().toText = m_to->text();
    const ULONG result = m_composer.chooseRecipients(AddressCaption, AddressFields);
    MailMessage::show(m_workstation.messages(), MailResultMessages::address(result));
    m_to->setText(m_composer.message().toText);
}

void SendMailWindow::chooseAttachment()
{
    const QString path = m_workstation.dialogs().openFile(u"Choose a File"_s, {}, u"All Files|*.*"_s);
    if (!path.isEmpty())
        m_attachment->setText(path);
}

void SendMailWindow::send()
{
    if (m_sending)
        return;
    m_sending = true;
    ComposedMail &mail = m_composer.message();
    mail.toText = m_to->text();
    mail.subject = m_subject->text();
    mail.text = m_text->toPlainText();
    mail.attachments.clear();
    if (!m_attachment->text().isEmpty())
        mail.attachments.append(m_attachment->text());
    m_result = m_composer.send(MailAssembly::Composer::SendWindow);
    MailMessage::show(m_workstation.messages(), m_composer.sendResultText(m_result));
    m_sending = false;
    // A mail typed by the user that did not leave stays in the window, to be sent again or kept.
    if (m_result == SUCCESS_SUCCESS || !m_waitsForUser)
        accept();
}

void SendMailWindow::done(int result)
{
    if (isVisible())
        WindowPlacer::store(this, m_workstation.settings(), ProcedureName, Resizable);
    QDialog::done(result);
}

} // namespace vellum
