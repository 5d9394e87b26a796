#pragma once
// The user form: name, password and level of one user of Ide.tps. The level is chosen from
// "User", "Supervisor" and "Administrator", which sets IDE:Level with IDE:Qualification. Only an
// administrator logged on now saves, and the last administrator is neither deleted nor demoted.

#include "framework/widgets/FormWindow.h"

class QComboBox;
class QLineEdit;

namespace vellum {

class Workstation;

class UserForm final : public FormWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;

    // `users` is the relations object of the user file the caller read or primed the record in.
    UserForm(Workstation &workstation, FileRelations &users, QWidget *parent = nullptr);

    QLineEdit *nameEntry() const { return m_name; }
    QLineEdit *passwordEntry() const { return m_password; }
    QComboBox *levelList() const { return m_level; }

protected:
    bool beforeOpen(FormRequest *request) override;
    bool controlsAccepted() override;
    void completeRecord(store::Row *row) override;
    void recordShown() override;

private:
    bool keepsAnAdministrator(int newLevel);

    Workstation &m_workstation;
    QLineEdit *m_name;
    QLineEdit *m_password;
    QComboBox *m_level;
};

} // namespace vellum
