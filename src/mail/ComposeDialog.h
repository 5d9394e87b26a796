#pragma once
// The mail client's send dialog: opened when a mail lacks its subject or its recipients, it
// shows what the caller assembled for the user to complete (recipients, subject, text,
// attachments) and send, or to cancel.

#include "Mapi.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vellum {

class Dialogs;
class MailDialogs;

class ComposeDialog final : public QDialog {
    Q_OBJECT

public:
    ComposeDialog(const MapiMessage &message, MailDialogs &mailDialogs, Dialogs &dialogs, QWidget *parent = nullptr);

    // The message as the user completed it.
    MapiMessage message() const;

    void chooseRecipients();
    void addAttachment();
    void removeAttachment();

private:
    QLineEdit *recipientField(const QString &name, ULONG recipientClass);
    QList<MapiRecipDesc> fieldRecipients() const;
    void showAttachments();

    MapiMessage m_message;
    MailDialogs &m_mailDialogs;
    Dialogs &m_dialogs;
    QLineEdit *m_to = nullptr;
    QLineEdit *m_cc = nullptr;
    QLineEdit *m_bcc = nullptr;
    QLineEdit *m_subject = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QListWidget *m_attachments = nullptr;
};

} // namespace vellum
