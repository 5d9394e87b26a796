#pragma once
// Asks for the password of one mail server account, saying whether it will be kept.

#include "MailDialogs.h"

#include <QDialog>

class QLineEdit;

namespace vellum {

class PasswordDialog final : public QDialog {
    Q_OBJECT

public:
    explicit PasswordDialog(const PasswordRequest &request, QWidget *parent = nullptr);

    QString password() const;

private:
    QLineEdit *m_password = nullptr;
};

} // namespace vellum
