#include "MailSettingsWindow.h"

#include "MailMessage.h"
#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "framework/widgets/WindowPlacer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr bool Resizable = false;

QLineEdit *lineEdit(const QString &name)
{
    auto *field = new QLineEdit;
    field->setObjectName(name);
    field->setMinimumWidth(260);
    return field;
}

// The choices of a drop-down list, each with the value it stands for.
template<typename Kind>
QComboBox *choice(const QString &name, std::initializer_list<std::pair<QString, Kind>> choices)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    for (const auto &[text, kind] : choices)
        box->addItem(text, static_cast<int>(kind));
    return box;
}

template<typename Kind>
Kind chosen(const QComboBox *box)
{
    return static_cast<Kind>(box->currentData().toInt());
}

template<typename Kind>
void choose(QComboBox *box, Kind kind)
{
    box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(kind))));
}

} // namespace

const QString MailSettingsWindow::ProcedureName = u"MailSettings"_s;

MailSettingsWindow::MailSettingsWindow(Workstation &workstation, QWidget *parent)
    : QDialog(parent), m_workstation(workstation)
{
    setObjectName(ProcedureName);
    setWindowTitle(ApplicationMessage::Title + u" - Mail Settings"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildSender());
    layout->addWidget(buildOutgoing());
    layout->addWidget(buildIncoming());
    layout->addWidget(buildSecurity());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"ok"_s);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"cancel"_s);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MailSettingsWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showAccount(MailAccount::read(workstation.settings()));
    WindowPlacer::restore(this, workstation.settings(), ProcedureName, Resizable);
}

QGroupBox *MailSettingsWindow::buildSender()
{
    auto *group = new QGroupBox(u"Sender"_s);
    auto *form = new QFormLayout(group);
    m_senderName = lineEdit(u"senderName"_s);
    m_senderAddress = lineEdit(u"senderAddress"_s);
    form->addRow(u"&Name:"_s, m_senderName);
    form->addRow(u"&Address:"_s, m_senderAddress);
    return group;
}

QGroupBox *MailSettingsWindow::buildOutgoing()
{
    auto *group = new QGroupBox(u"Outgoing mail"_s);
    auto *form = new QFormLayout(group);
    m_outgoing = choice<OutgoingMail>(u"outgoing"_s, {{u"None"_s, OutgoingMail::None},
                                                      {u"SMTP server"_s, OutgoingMail::Smtp},
                                                      {u"Sendmail program"_s, OutgoingMail::Sendmail}});
    form->addRow(u"&Send by:"_s, m_outgoing);
    m_smtp = serverFields(u"smtp"_s);
    addServerRows(form, m_smtp);
    m_sendmail = lineEdit(u"sendmailProgram"_s);
    m_sendmail->setPlaceholderText(u"/usr/sbin/sendmail"_s);
    form->addRow(u"Sendmail &program:"_s, m_sendmail);
    connect(m_outgoing, &QComboBox::currentIndexChanged, this, &MailSettingsWindow::showStates);
    return group;
}

QGroupBox *MailSettingsWindow::buildIncoming()
{
    auto *group = new QGroupBox(u"Inbox"_s);
    auto *form = new QFormLayout(group);
    m_incoming = choice<IncomingMail>(u"incoming"_s, {{u"None"_s, IncomingMail::None},
                                                      {u"IMAP server"_s, IncomingMail::Imap},
                                                      {u"POP3 server"_s, IncomingMail::Pop3},
                                                      {u"Maildir folder"_s, IncomingMail::Maildir}});
    form->addRow(u"&Read from:"_s, m_incoming);
    m_incomingServer = serverFields(u"incoming"_s);
    addServerRows(form, m_incomingServer);
    m_folder = lineEdit(u"incomingFolder"_s);
    m_chooseFolder = chooser(u"chooseFolder"_s, u"Choose the Maildir folder"_s);
    addChooserRow(form, u"&Folder:"_s, m_folder, m_chooseFolder);
    connect(m_incoming, &QComboBox::currentIndexChanged, this, &MailSettingsWindow::showStates);
    connect(m_chooseFolder, &QToolButton::clicked, this, &MailSettingsWindow::chooseMaildir);
    return group;
}

QGroupBox *MailSettingsWindow::buildSecurity()
{
    auto *group = new QGroupBox(u"Secured connections"_s);
    auto *form = new QFormLayout(group);
    m_authorities = lineEdit(u"trustedCertificates"_s);
    m_authorities->setPlaceholderText(u"none: the system's authorities only"_s);
    auto *choose = chooser(u"chooseCertificates"_s, u"Choose a file of certificate authorities (PEM)"_s);
    addChooserRow(form, u"&Trusted authorities:"_s, m_authorities, choose);
    connect(choose, &QToolButton::clicked, this, &MailSettingsWindow::chooseAuthorities);
    return group;
}

QToolButton *MailSettingsWindow::chooser(const QString &name, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(u"..."_s);
    button->setToolTip(tip);
    return button;
}

// An entry with its "..." button; the label's mnemonic goes to the entry.
void MailSettingsWindow::addChooserRow(QFormLayout *form, const QString &label, QLineEdit *entry, QToolButton *button)
{
    auto *row = new QHBoxLayout;
    row->addWidget(entry, 1);
    row->addWidget(button);
    auto *prompt = new QLabel(label);
    prompt->setBuddy(entry);
    form->addRow(prompt, row);
}

MailSettingsWindow::ServerFields MailSettingsWindow::serverFields(const QString &prefix)
{
    ServerFields fields;
    fields.host = lineEdit(prefix + u"Host"_s);
    fields.port = new QSpinBox;
    fields.port->setObjectName(prefix + u"Port"_s);
    fields.port->setRange(0, 65535);
    fields.port->setSpecialValueText(u"Standard"_s);
    fields.security = choice<MailSecurity>(
        prefix + u"Security"_s,
        {{u"None"_s, MailSecurity::None}, {u"STARTTLS"_s, MailSecurity::StartTls}, {u"TLS"_s, MailSecurity::Tls}});
    fields.user = lineEdit(prefix + u"User"_s);
    fields.user->setPlaceholderText(u"none: no login"_s);
    return fields;
}

void MailSettingsWindow::addServerRows(QFormLayout *form, const ServerFields &fields)
{
    form->addRow(u"Server:"_s, fields.host);
    form->addRow(u"Port:"_s, fields.port);
    form->addRow(u"Security:"_s, fields.security);
    form->addRow(u"User:"_s, fields.user);
}

void MailSettingsWindow::showAccount(const MailAccount &account)
{
    m_senderName->setText(account.senderName);
    m_senderAddress->setText(account.senderAddress);
    choose(m_outgoing, account.outgoing);
    showServer(m_smtp, account.smtp);
    m_sendmail->setText(account.sendmailProgram);
    choose(m_incoming, account.incoming);
    showServer(m_incomingServer, account.incomingServer);
    m_folder->setText(account.incomingFolder);
    m_authorities->setText(account.trustedCertificates);
    showStates();
}

void MailSettingsWindow::showServer(const ServerFields &fields, const MailServer &server)
{
    fields.host->setText(server.host);
    fields.port->setValue(server.port);
    choose(fields.security, server.security);
    fields.user->setText(server.user);
}

MailServer MailSettingsWindow::serverOf(const ServerFields &fields)
{
    MailServer server;
    server.host = fields.host->text().trimmed();
    server.port = fields.port->value();
    server.security = chosen<MailSecurity>(fields.security);
    server.user = fields.user->text().trimmed();
    return server;
}

MailAccount MailSettingsWindow::account() const
{
    MailAccount account;
    account.senderName = m_senderName->text().trimmed();
    account.senderAddress = m_senderAddress->text().trimmed();
    account.outgoing = chosen<OutgoingMail>(m_outgoing);
    account.smtp = serverOf(m_smtp);
    account.sendmailProgram = m_sendmail->text().trimmed();
    account.incoming = chosen<IncomingMail>(m_incoming);
    account.incomingServer = serverOf(m_incomingServer);
    account.incomingFolder = m_folder->text().trimmed();
    account.trustedCertificates = m_authorities->text().trimmed();
    return account;
}

// Only the fields of the ways chosen can be filled in.
void MailSettingsWindow::showStates()
{
    const bool smtp = chosen<OutgoingMail>(m_outgoing) == OutgoingMail::Smtp;
    for (QWidget *field : {static_cast<QWidget *>(m_smtp.host), static_cast<QWidget *>(m_smtp.port),
                           static_cast<QWidget *>(m_smtp.security), static_cast<QWidget *>(m_smtp.user)})
        field->setEnabled(smtp);
    m_sendmail->setEnabled(chosen<OutgoingMail>(m_outgoing) == OutgoingMail::Sendmail);
    const IncomingMail incoming = chosen<IncomingMail>(m_incoming);
    const bool server = incoming == IncomingMail::Imap || incoming == IncomingMail::Pop3;
    for (QWidget *field :
         {static_cast<QWidget *>(m_incomingServer.host), static_cast<QWidget *>(m_incomingServer.port),
          static_cast<QWidget *>(m_incomingServer.security), static_cast<QWidget *>(m_incomingServer.user)})
        field->setEnabled(server);
    m_folder->setEnabled(incoming == IncomingMail::Imap || incoming == IncomingMail::Maildir);
    m_folder->setPlaceholderText(incoming == IncomingMail::Imap ? u"INBOX"_s : QString());
    m_chooseFolder->setEnabled(incoming == IncomingMail::Maildir);
}

void MailSettingsWindow::chooseMaildir()
{
    const QString folder = m_workstation.dialogs().chooseFolder(u"Choose the Maildir Folder"_s, m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void MailSettingsWindow::chooseAuthorities()
{
    const QString file = m_workstation.dialogs().openFile(u"Choose the Certificate Authorities"_s, {},
                                                          u"Certificates|*.pem;*.crt|All Files|*.*"_s);
    if (!file.isEmpty())
        m_authorities->setText(file);
}

void MailSettingsWindow::accept()
{
    if (!account().write(m_workstation.settings())) {
        MailMessage::show(m_workstation.messages(),
                          u"The mail settings could not be written to %1."_s.arg(m_workstation.settings().path()));
        return;
    }
    WindowPlacer::store(this, m_workstation.settings(), ProcedureName, Resizable);
    QDialog::accept();
}

} // namespace vellum
