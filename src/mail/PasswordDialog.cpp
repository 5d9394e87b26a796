#include "PasswordDialog.h"

#include "framework/ApplicationMessage.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

PasswordDialog::PasswordDialog(const PasswordRequest &request, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"MailPassword"_s);
    setWindowTitle(ApplicationMessage::Title + u" - Mail Password"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        u"Password of %1 on the %2 server %3:"_s.arg(request.user, request.protocol.toUpper(), request.host)));
    m_password = new QLineEdit;
    m_password->setObjectName(u"password"_s);
    m_password->setEchoMode(QLineEdit::Password);
    layout->addWidget(m_password);
    layout->addWidget(new QLabel(request.kept ? u"The password is kept in the desktop's key ring."_s
                                              : u"The password is kept until the program ends."_s));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"ok"_s);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString PasswordDialog::password() const
{
    return m_password->text();
}

} // namespace vellum
