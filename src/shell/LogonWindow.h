#pragma once
// The logon window: a user name from the list and a password. Each OK is one attempt judged by
// LogonRules; the window accepts on success and rejects on "&Exit" or the third failure. It
// opens where it stood when it last closed on this workstation.

#include "LogonRules.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vellum {

class LogonWindow final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;

    explicit LogonWindow(Workstation &workstation, QWidget *parent = nullptr);

    // Rejected at once when the user file cannot be opened.
    int exec() override;
    void done(int result) override;

private:
    void layOut();
    void fillNames();
    void tryLogon();
    void showLight();

    Workstation &m_workstation;
    LogonRules m_rules;
    bool m_usersOpen = false;
    QComboBox *m_names = nullptr;
    QLineEdit *m_password = nullptr;
    QLabel *m_light = nullptr;
};

} // namespace vellum
