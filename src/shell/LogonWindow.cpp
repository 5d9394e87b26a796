#include "LogonWindow.h"

#include "data/Workstation.h"
#include "framework/widgets/WindowPlacer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// The pictures live in a static library: they are registered before the first window needs them.
static void registerShellPictures()
{
    Q_INIT_RESOURCE(shell);
}

namespace vellum {

namespace {

constexpr int PasswordWidth = 20;
constexpr int NameWidth = 20;
constexpr bool Resizable = false;

QString picture(LogonRules::Light light)
{
    switch (light) {
    case LogonRules::Light::Green:
        return u":/icons/Trffc10a.png"_s;
    case LogonRules::Light::Amber:
        return u":/icons/Trffc10b.png"_s;
    case LogonRules::Light::Red:
        return u":/icons/Trffc10c.png"_s;
    }
    return {};
}

} // namespace

const QString LogonWindow::ProcedureName = u"Logon"_s;

LogonWindow::LogonWindow(Workstation &workstation, QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_rules(workstation)
{
    registerShellPictures();
    setWindowTitle(u"Quor Vellum 1.2 - Logon"_s);
    layOut();
    m_usersOpen = m_rules.openUsers();
    if (m_usersOpen)
        fillNames();
    showLight();
    WindowPlacer::restore(this, m_workstation.settings(), ProcedureName, Resizable);
}

void LogonWindow::layOut()
{
    m_names = new QComboBox;
    m_names->setObjectName(u"name"_s);
    m_names->setMinimumContentsLength(NameWidth);
    m_password = new QLineEdit;
    m_password->setObjectName(u"password"_s);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(PasswordWidth);
    m_light = new QLabel;
    m_light->setObjectName(u"light"_s);

    auto *enter = new QGroupBox(u"Enter"_s);
    auto *fields = new QFormLayout(enter);
    fields->addRow(u"Name"_s, m_names);
    fields->addRow(u"Password"_s, m_password);

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(u"&OK"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"ok"_s);
    ok->setDefault(true);
    buttons->addButton(u"&Exit"_s, QDialogButtonBox::RejectRole)->setObjectName(u"exit"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &LogonWindow::tryLogon);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(enter, 1);
    top->addWidget(m_light, 0, Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

void LogonWindow::fillNames()
{
    m_names->addItems(m_rules.userNames());
    m_names->setCurrentIndex(m_names->findText(m_rules.lastLogon(), Qt::MatchFixedString));
    m_password->setFocus();
}

int LogonWindow::exec()
{
    return m_usersOpen ? QDialog::exec() : int(Rejected);
}

void LogonWindow::done(int result)
{
    WindowPlacer::store(this, m_workstation.settings(), ProcedureName, Resizable);
    QDialog::done(result);
}

void LogonWindow::tryLogon()
{
    const LogonRules::Outcome outcome = m_rules.attempt(m_names->currentText(), m_password->text());
    switch (outcome) {
    case LogonRules::Outcome::LoggedOn:
        accept();
        return;
    case LogonRules::Outcome::Denied:
        reject();
        return;
    case LogonRules::Outcome::UnknownUser:
        m_names->setCurrentIndex(-1);
        m_names->setFocus();
        break;
    case LogonRules::Outcome::WrongPassword:
        m_password->setFocus();
        break;
    }
    m_password->clear();
    showLight();
}

void LogonWindow::showLight()
{
    m_light->setPixmap(QPixmap(picture(m_rules.light())));
}

} // namespace vellum
