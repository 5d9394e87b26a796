#pragma once
// The password and signature window of the logged-on user. The window lays out the entries and
// shows what PasswordChangeRules allows: the new password and the signature only after the old
// password was typed, the repetition only after a new password. It opens where it stood when it
// last closed on this workstation.

#include "PasswordChangeRules.h"

#include <QDialog>

#include <array>

class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;

namespace vellum {

class PasswordChangeWindow final : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;

    explicit PasswordChangeWindow(Workstation &workstation, QWidget *parent = nullptr);

    // Rejected at once after "User Not Found".
    int exec() override;
    void done(int result) override;

private:
    static constexpr int SignatureFields = 7;

    QGroupBox *passwordGroup();
    QGroupBox *signatureGroup();
    QHBoxLayout *buttonRow();
    QLineEdit *passwordEntry(const QString &name);
    void showSignature(const PasswordChangeRules::Signature &signature);
    PasswordChangeRules::Signature typedSignature() const;

    void oldPasswordEntered();
    void newPasswordEntered();
    void finish();

    Workstation &m_workstation;
    PasswordChangeRules m_rules;
    bool m_found = false;
    QFormLayout *m_passwordRows = nullptr;
    QLineEdit *m_oldPassword = nullptr;
    QLineEdit *m_newPassword = nullptr;
    QLineEdit *m_repeat = nullptr;
    QGroupBox *m_signature = nullptr;
    std::array<QLineEdit *, SignatureFields> m_signatureEntries{};
};

} // namespace vellum
