#include "PasswordChangeWindow.h"

#include "data/Workstation.h"
#include "framework/widgets/TitleFit.h"
#include "framework/widgets/WindowPlacer.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Signature = PasswordChangeRules::Signature;

constexpr int PasswordWidth = 20;
constexpr bool Resizable = false;

struct SignatureField {
    QStringView label;
    int column;
    QString Signature::*member;
};

constexpr std::array<SignatureField, 7> signatureFields{{
    {u"Greet:", UserRecord::Col::Greet, &Signature::greet},
    {u"Full Name:", UserRecord::Col::FullName, &Signature::fullName},
    {u"Position:", UserRecord::Col::Position, &Signature::position},
    {u"Company:", UserRecord::Col::Company, &Signature::company},
    {u"Email:", UserRecord::Col::Email, &Signature::email},
    {u"Phone:", UserRecord::Col::Phone, &Signature::phone},
    {u"Fax:", UserRecord::Col::Fax, &Signature::fax},
}};

// True once per change: an entry counts as entered when it is left or confirmed after typing.
bool takeEntered(QLineEdit *entry)
{
    if (!entry->isModified())
        return false;
    entry->setModified(false);
    return true;
}

} // namespace

const QString PasswordChangeWindow::ProcedureName = u"UpdatePass"_s;

PasswordChangeWindow::PasswordChangeWindow(Workstation &workstation, QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_rules(workstation)
{
    setWindowTitle(m_rules.title());
    TitleFit::apply(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(passwordGroup());
    layout->addWidget(signatureGroup());
    layout->addLayout(buttonRow());

    m_found = m_rules.open();
    if (m_found)
        showSignature(m_rules.signature());
    WindowPlacer::restore(this, m_workstation.settings(), ProcedureName, Resizable);
}

// Plain buttons, none of them default: Enter in a password entry confirms that entry, not the window.
QHBoxLayout *PasswordChangeWindow::buttonRow()
{
    auto *ok = new QPushButton(u"&OK"_s);
    auto *cancel = new QPushButton(u"&Cancel"_s);
    ok->setObjectName(u"ok"_s);
    cancel->setObjectName(u"cancel"_s);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &PasswordChangeWindow::finish);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QLineEdit *PasswordChangeWindow::passwordEntry(const QString &name)
{
    auto *entry = new QLineEdit;
    entry->setObjectName(name);
    entry->setEchoMode(QLineEdit::Password);
    entry->setMaxLength(PasswordWidth);
    return entry;
}

QGroupBox *PasswordChangeWindow::passwordGroup()
{
    m_oldPassword = passwordEntry(u"oldPassword"_s);
    m_newPassword = passwordEntry(u"newPassword"_s);
    m_repeat = passwordEntry(u"repeat"_s);
    connect(m_oldPassword, &QLineEdit::editingFinished, this, &PasswordChangeWindow::oldPasswordEntered);
    connect(m_newPassword, &QLineEdit::editingFinished, this, &PasswordChangeWindow::newPasswordEntered);

    auto *group = new QGroupBox(u"Password"_s);
    m_passwordRows = new QFormLayout(group);
    m_passwordRows->addRow(u"Old Password"_s, m_oldPassword);
    m_passwordRows->addRow(u"New Password"_s, m_newPassword);
    m_passwordRows->addRow(u"Repeat :"_s, m_repeat);
    m_passwordRows->setRowVisible(m_newPassword, false);
    m_passwordRows->setRowVisible(m_repeat, false);
    return group;
}

QGroupBox *PasswordChangeWindow::signatureGroup()
{
    m_signature = new QGroupBox(u"Signature"_s);
    m_signature->setObjectName(u"signature"_s);
    m_signature->setEnabled(false);
    auto *rows = new QFormLayout(m_signature);
    for (std::size_t i = 0; i < signatureFields.size(); ++i) {
        const SignatureField &field = signatureFields[i];
        auto *entry = new QLineEdit;
        entry->setMaxLength(UserRecord::table().fields[std::size_t(field.column)].textCapacity());
        rows->addRow(field.label.toString(), entry);
        m_signatureEntries[i] = entry;
    }
    return m_signature;
}

void PasswordChangeWindow::showSignature(const Signature &signature)
{
    for (std::size_t i = 0; i < signatureFields.size(); ++i)
        m_signatureEntries[i]->setText(signature.*signatureFields[i].member);
}

Signature PasswordChangeWindow::typedSignature() const
{
    Signature signature;
    for (std::size_t i = 0; i < signatureFields.size(); ++i)
        signature.*signatureFields[i].member = m_signatureEntries[i]->text();
    return signature;
}

int PasswordChangeWindow::exec()
{
    return m_found ? QDialog::exec() : int(Rejected);
}

void PasswordChangeWindow::done(int result)
{
    WindowPlacer::store(this, m_workstation.settings(), ProcedureName, Resizable);
    QDialog::done(result);
}

void PasswordChangeWindow::oldPasswordEntered()
{
    if (!takeEntered(m_oldPassword))
        return;
    switch (m_rules.enterOldPassword(m_oldPassword->text())) {
    case PasswordChangeRules::OldPassword::UserGone:
        reject();
        return;
    case PasswordChangeRules::OldPassword::Wrong:
        m_oldPassword->clear();
        m_oldPassword->setFocus();
        return;
    case PasswordChangeRules::OldPassword::Matches:
        m_passwordRows->setRowVisible(m_newPassword, true);
        m_newPassword->clear();
        m_newPassword->setFocus();
        m_signature->setTitle(u"Change Signature"_s);
        m_signature->setEnabled(true);
        return;
    }
}

void PasswordChangeWindow::newPasswordEntered()
{
    if (!takeEntered(m_newPassword) || !m_rules.enterNewPassword(m_newPassword->text()))
        return;
    m_passwordRows->setRowVisible(m_repeat, true);
    m_repeat->setFocus();
}

void PasswordChangeWindow::finish()
{
    if (m_rules.finish(m_repeat->text(), typedSignature())) {
        accept();
        return;
    }
    m_repeat->clear();
    m_repeat->setFocus();
}

} // namespace vellum
