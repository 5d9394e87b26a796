#pragma once
// The user form: name, password and level of one user of Ide.tps. The level is chosen from
// "User", "Supervisor" and "Administrator", which sets IDE:Level with IDE:Qualification. Only an
// administrator logged on now saves, and the last administrator is neither deleted nor demoted.
// The password entry shows a fixed mask for a set password and nothing for an empty one; a
// password typed there is kept as its hashes once the record is saved, never in IDE:PassWord. A
// password alone is no change of the record: Cancel drops it without asking, and a form that
// shows another workstation's version shows the mask again.

#include "framework/widgets/FormWindow.h"

#include <optional>

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
    void storePassword(int response);

    Workstation &m_workstation;
    QLineEdit *m_name;
    QLineEdit *m_password;
    QComboBox *m_level;
    bool m_passwordTyped = false;
    // The password to keep as hashes once the record is saved.
    std::optional<QString> m_newPassword;
};

} // namespace vellum
