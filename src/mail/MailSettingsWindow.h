#pragma once
// Mail Settings: the workstation's mail account (who sends, how mail leaves, where the inbox
// is, which certificate authorities its secured servers may use), edited here so that nobody
// needs to edit the settings file by hand. Passwords are not part of it: the mail client asks
// for them when a server wants one.

#include "MailAccount.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace vellum {

class Workstation;

class MailSettingsWindow final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;

    MailSettingsWindow(Workstation &workstation, QWidget *parent = nullptr);

    // The account as the fields show it.
    MailAccount account() const;
    // Writes the account on OK; a file that cannot be written is reported and the window stays.
    void accept() override;

private:
    struct ServerFields {
        QLineEdit *host = nullptr;
        QSpinBox *port = nullptr;
        QComboBox *security = nullptr;
        QLineEdit *user = nullptr;
    };

    QGroupBox *buildSender();
    QGroupBox *buildOutgoing();
    QGroupBox *buildIncoming();
    QGroupBox *buildSecurity();
    static QToolButton *chooser(const QString &name, const QString &tip);
    static void addChooserRow(QFormLayout *form, const QString &label, QLineEdit *entry, QToolButton *button);
    ServerFields serverFields(const QString &prefix);
    void addServerRows(QFormLayout *form, const ServerFields &fields);
    void showAccount(const MailAccount &account);
    static void showServer(const ServerFields &fields, const MailServer &server);
    static MailServer serverOf(const ServerFields &fields);
    void chooseMaildir();
    void chooseAuthorities();
    void showStates();

    Workstation &m_workstation;
    QLineEdit *m_senderName = nullptr;
    QLineEdit *m_senderAddress = nullptr;
    QComboBox *m_outgoing = nullptr;
    ServerFields m_smtp;
    QLineEdit *m_sendmail = nullptr;
    QComboBox *m_incoming = nullptr;
    ServerFields m_incomingServer;
    QLineEdit *m_folder = nullptr;
    QToolButton *m_chooseFolder = nullptr;
    QLineEdit *m_authorities = nullptr;
};

} // namespace vellum
