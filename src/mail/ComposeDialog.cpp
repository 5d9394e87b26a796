#include "ComposeDialog.h"

#include "MailDialogs.h"
#include "MailIcons.h"
#include "RecipientText.h"
#include "framework/ApplicationMessage.h"
#include "framework/Dialogs.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr ULONG AllFields = 3;

QList<MapiRecipDesc> valid(const MapiMessage &message)
{
    return message.lpRecips.first(std::min<qsizetype>(message.nRecipCount, message.lpRecips.size()));
}

} // namespace

ComposeDialog::ComposeDialog(const MapiMessage &message, MailDialogs &mailDialogs, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_message(message), m_mailDialogs(mailDialogs), m_dialogs(dialogs)
{
    setObjectName(u"SendDialog"_s);
    setWindowTitle(ApplicationMessage::Title + u" - New Message"_s);
    m_message.lpRecips = valid(message);
    m_message.lpFiles = message.lpFiles.first(std::min<qsizetype>(message.nFileCount, message.lpFiles.size()));

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto *book = new QToolButton;
    book->setObjectName(u"addressBook"_s);
    book->setIcon(MailIcons::addressBook());
    book->setToolTip(u"Call Adres Book"_s);
    auto *toRow = new QHBoxLayout;
    m_to = recipientField(u"to"_s, MAPI_TO);
    toRow->addWidget(m_to, 1);
    toRow->addWidget(book);
    form->addRow(u"To:"_s, toRow);
    m_cc = recipientField(u"cc"_s, MAPI_CC);
    form->addRow(u"CC:"_s, m_cc);
    m_bcc = recipientField(u"bcc"_s, MAPI_BCC);
    form->addRow(u"BCC:"_s, m_bcc);
    m_subject = new QLineEdit(m_message.lpszSubject);
    m_subject->setObjectName(u"subject"_s);
    form->addRow(u"Subject:"_s, m_subject);
    layout->addLayout(form);
    m_text = new QPlainTextEdit(m_message.lpszNoteText);
    m_text->setObjectName(u"text"_s);
    layout->addWidget(m_text, 1);

    m_attachments = new QListWidget;
    m_attachments->setObjectName(u"attachments"_s);
    m_attachments->setMaximumHeight(4 * fontMetrics().height());
    auto *attach = new QPushButton(u"&Attach..."_s);
    attach->setObjectName(u"attach"_s);
    auto *remove = new QPushButton(u"Re&move"_s);
    remove->setObjectName(u"remove"_s);
    auto *attachmentRow = new QHBoxLayout;
    attachmentRow->addWidget(m_attachments, 1);
    auto *attachmentButtons = new QVBoxLayout;
    attachmentButtons->addWidget(attach);
    attachmentButtons->addWidget(remove);
    attachmentButtons->addStretch();
    attachmentRow->addLayout(attachmentButtons);
    layout->addLayout(attachmentRow);

    auto *buttons = new QDialogButtonBox;
    QPushButton *send = buttons->addButton(u"&Send"_s, QDialogButtonBox::AcceptRole);
    send->setObjectName(u"send"_s);
    send->setIcon(MailIcons::send());
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(u"cancel"_s);
    layout->addWidget(buttons);
    for (QPushButton *button : {attach, remove, send})
        button->setAutoDefault(false);

    connect(book, &QToolButton::clicked, this, &ComposeDialog::chooseRecipients);
    connect(attach, &QPushButton::clicked, this, &ComposeDialog::addAttachment);
    connect(remove, &QPushButton::clicked, this, &ComposeDialog::removeAttachment);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showAttachments();
    resize(640, 480);
}

QLineEdit *ComposeDialog::recipientField(const QString &name, ULONG recipientClass)
{
    auto *field = new QLineEdit(RecipientText::format(m_message.lpRecips, recipientClass));
    field->setObjectName(name);
    return field;
}

QList<MapiRecipDesc> ComposeDialog::fieldRecipients() const
{
    return RecipientText::parse(m_to->text(), MAPI_TO) + RecipientText::parse(m_cc->text(), MAPI_CC)
           + RecipientText::parse(m_bcc->text(), MAPI_BCC);
}

void ComposeDialog::chooseRecipients()
{
    QList<MapiRecipDesc> recipients = fieldRecipients();
    if (m_mailDialogs.address(u"Address To:"_s, AllFields, {}, recipients) != SUCCESS_SUCCESS)
        return;
    m_to->setText(RecipientText::format(recipients, MAPI_TO));
    m_cc->setText(RecipientText::format(recipients, MAPI_CC));
    m_bcc->setText(RecipientText::format(recipients, MAPI_BCC));
}

void ComposeDialog::addAttachment()
{
    const QString path = m_dialogs.openFile(u"Choose a File"_s, {}, u"All Files|*.*"_s);
    if (path.isEmpty())
        return;
    MapiFileDesc file;
    file.lpszPathName = path;
    file.lpszFileName = QFileInfo(path).fileName();
    m_message.lpFiles.append(file);
    showAttachments();
}

void ComposeDialog::removeAttachment()
{
    const int row = m_attachments->currentRow();
    if (row < 0)
        return;
    m_message.lpFiles.removeAt(row);
    showAttachments();
}

void ComposeDialog::showAttachments()
{
    m_attachments->clear();
    for (const MapiFileDesc &file : std::as_const(m_message.lpFiles))
        m_attachments->addItem(file.lpszFileName.isEmpty() ? file.lpszPathName : file.lpszFileName);
}

MapiMessage ComposeDialog::message() const
{
    MapiMessage completed = m_message;
    completed.lpRecips = fieldRecipients();
    completed.nRecipCount = static_cast<ULONG>(completed.lpRecips.size());
    completed.lpszSubject = m_subject->text();
    completed.lpszNoteText = m_text->toPlainText();
    completed.nFileCount = static_cast<ULONG>(completed.lpFiles.size());
    return completed;
}

} // namespace vellum
