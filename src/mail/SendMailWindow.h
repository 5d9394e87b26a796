#pragma once
// The Send Mail window (SendOutLook): To, Subject, one attachment and the text. Mode 0 opens it
// blank for the user; mode 1 fills it from the case form and sends at once without showing it.
// A failed send is reported in both modes, with the server's reason, and its result goes back to
// the caller; in mode 0 the window then stays open with what the user typed.

#include "MailComposer.h"
#include "Mapi.h"
#include "SendMailRequest.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QToolButton;

namespace vellum {

class MailConnection;
class Workstation;

class SendMailWindow final : public QDialog {
    Q_OBJECT

public:
    // The settings section of the window's placement.
    static const QString ProcedureName;
    static constexpr int MaxEntry = 253;
    static constexpr int MaxText = 9999;
    static constexpr int MaxCaseNotes = 1500;

    SendMailWindow(Workstation &workstation, MailConnection &connection, const SendMailRequest &request,
                   QWidget *parent = nullptr);
    ~SendMailWindow() override;

    // Mode 0 waits for the user; mode 1 sends without showing the window. The mail client's
    // result: SUCCESS_SUCCESS when the mail left, MAPI_USER_ABORT when nothing was sent.
    static ULONG run(Workstation &workstation, MailConnection &connection, const SendMailRequest &request,
                     QWidget *parent = nullptr);

    ULONG mailResult() const { return m_result; }
    void done(int result) override;

public Q_SLOTS:
    void send();
    void chooseRecipients();
    void chooseAttachment();

private:
    QWidget *buildAddressTab();
    QWidget *buildTextTab();
    void buildButtons(QVBoxLayout *layout);
    void prefill(const SendMailRequest &request);
    void completeEntry(QLineEdit *entry);

    Workstation &m_workstation;
    MailComposer m_composer;
    ULONG m_result = MAPI_USER_ABORT;
    bool m_sending = false;
    bool m_waitsForUser = true; // mode 0
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_to = nullptr;
    QToolButton *m_addressBook = nullptr;
    QLineEdit *m_subject = nullptr;
    QLineEdit *m_attachment = nullptr;
    QToolButton *m_chooseFile = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPlainTextEdit *m_caseNotes = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace vellum
