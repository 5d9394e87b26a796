#pragma once
// The Inbox (EmailIn): the list of the mail client's inbox, the message selected in it with its
// attachments, and a compose mode for new mail and replies. The window lays out the controls;
// reading, saving and sending are the mail logic's.

#include "AttachmentExtractor.h"
#include "InboxReader.h"
#include "InboxRow.h"
#include "MailComposer.h"
#include "RecipientRows.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace vellum {

class MailConnection;
class Workstation;

class InboxWindow final : public QWidget {
    Q_OBJECT

public:
    // The settings section of the window's placement.
    static const QString ProcedureName;
    static const QString LayoutKey;               // the list's column widths in section "Config"
    static constexpr int DefaultColor = 12567173; // 0x00BBGGRR: red 133, green 194, blue 191

    InboxWindow(Workstation &workstation, MailConnection &connection, QWidget *parent = nullptr);
    ~InboxWindow() override;

    // Reads the inbox; the window does so once, when it is first shown.
    void load();
    bool isComposing() const { return m_composing; }
    const QList<InboxRow> &rows() const { return m_rows; }

public Q_SLOTS:
    void deleteMessage();
    void compose();
    void reply();
    void cancel();
    void send();
    void chooseRecipients();
    void insertAttachment();
    void removeAttachment();
    void extractAttachment();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildList();
    QLayout *buildButtons();
    QWidget *buildMessageTab();
    QWidget *buildAttachmentTab();
    void connectControls();
    void applyListColor();
    void restoreLayout();
    void storeLayout();

    int selectedRow() const;
    void selectRow(int row);
    void showSelected();
    void showMessage();
    void showAttachments();
    void showRecipients();
    void setListUsable(bool usable);
    void setComposing(bool composing);
    void clearFields();

    Workstation &m_workstation;
    InboxReader m_reader;
    AttachmentExtractor m_extractor;
    MailComposer m_composer;
    QList<InboxRow> m_rows;
    ShownMessage m_shown;
    QList<RecipientRow> m_recipients;
    bool m_composing = false;
    bool m_loaded = false;

    QTreeWidget *m_list = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_compose = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_reply = nullptr;
    QPushButton *m_cancel = nullptr;
    QTabWidget *m_tabs = nullptr;
    QWidget *m_attachmentTab = nullptr;
    QToolButton *m_addressBook = nullptr;
    QLineEdit *m_subject = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QLabel *m_fromLabel = nullptr;
    QLineEdit *m_from = nullptr;
    QLabel *m_toLabel = nullptr;
    QListWidget *m_recipientList = nullptr;
    QListWidget *m_attachments = nullptr;
    QPushButton *m_insert = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_extract = nullptr;
};

} // namespace vellum
