#include "InboxWindow.h"

#include "LimitedTextEdit.h"
#include "MailConnection.h"
#include "MailIcons.h"
#include "MailMessage.h"
#include "data/Workstation.h"
#include "framework/BrowseColor.h"
#include "framework/widgets/BgrColor.h"
#include "framework/widgets/NamedButton.h"
#include "framework/widgets/WindowPlacer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr bool Resizable = true;
const QString ConfigSection = u"Config"_s;
const QString AddressCaption = u"Address To:"_s;
constexpr ULONG AddressFields = 3;
constexpr int MaxEntry = 253;
constexpr int DateColumnCharacters = 16;
// Column widths in dialog units: a quarter of the average character width each.
constexpr int ColumnUnits[] = {135, 149, 60};

} // namespace

const QString InboxWindow::ProcedureName = u"EmailIn"_s;
const QString InboxWindow::LayoutKey = u"EmailList"_s;

InboxWindow::InboxWindow(Workstation &workstation, MailConnection &connection, QWidget *parent)
    : QWidget(parent), m_workstation(workstation), m_reader(connection),
      m_extractor(connection, workstation.messages(), workstation.dialogs()), m_composer(connection)
{
    setObjectName(ProcedureName);
    setWindowTitle(u"Inbox"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildList(), 1);
    layout->addLayout(buildButtons());
    m_tabs = new QTabWidget;
    m_tabs->addTab(buildMessageTab(), u"&Message"_s);
    m_attachmentTab = buildAttachmentTab();
    m_tabs->addTab(m_attachmentTab, u"&Attachments"_s);
    layout->addWidget(m_tabs, 1);
    connectControls();
    applyListColor();
    restoreLayout();
    setComposing(false);
}

InboxWindow::~InboxWindow() = default;

QWidget *InboxWindow::buildList()
{
    m_list = new QTreeWidget;
    m_list->setObjectName(u"list"_s);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({u"From"_s, u"Subject"_s, u"Date Received"_s});
    m_list->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_list->header()->setStretchLastSection(false);
    const int unit = std::max(1, fontMetrics().averageCharWidth());
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column, ColumnUnits[column] * unit / 4);
    return m_list;
}

QLayout *InboxWindow::buildButtons()
{
    auto *row = new QHBoxLayout;
    m_close = namedButton(u"close"_s, u"Cl&ose"_s);
    m_delete = namedButton(u"delete"_s, u"&Delete"_s);
    m_compose = namedButton(u"compose"_s, u"&Compose"_s);
    m_send = namedButton(u"send"_s, {});
    m_send->setIcon(MailIcons::send());
    m_send->setToolTip(u"Send the message."_s);
    m_reply = namedButton(u"reply"_s, u"&Reply"_s);
    m_cancel = namedButton(u"cancel"_s, u"&Cancel"_s);
    for (QPushButton *button : {m_close, m_delete, m_compose, m_send, m_reply, m_cancel})
        row->addWidget(button);
    row->addStretch();
    return row;
}

QWidget *InboxWindow::buildMessageTab()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    m_addressBook = new QToolButton;
    m_addressBook->setObjectName(u"addressBook"_s);
    m_addressBook->setIcon(MailIcons::addressBook());
    m_addressBook->setToolTip(u"Select the recipients."_s);
    m_subject = new QLineEdit;
    m_subject->setObjectName(u"subject"_s);
    m_subject->setMaxLength(MaxEntry);
    m_text = new LimitedTextEdit(InboxReader::MaxText);
    m_text->setObjectName(u"text"_s);
    m_fromLabel = new QLabel(u"From:"_s);
    m_from = new QLineEdit;
    m_from->setObjectName(u"from"_s);
    m_from->setMaxLength(MaxEntry);
    m_from->setReadOnly(true);
    m_toLabel = new QLabel(u"To:"_s);
    m_recipientList = new QListWidget;
    m_recipientList->setObjectName(u"recipients"_s);
    m_recipientList->setMaximumHeight(5 * fontMetrics().height());
    grid->addWidget(m_addressBook, 0, 0);
    grid->addWidget(new QLabel(u"Subject:"_s), 0, 1);
    grid->addWidget(m_subject, 0, 2);
    grid->addWidget(new QLabel(u"Message:"_s), 1, 1, Qt::AlignTop);
    grid->addWidget(m_text, 1, 2);
    grid->addWidget(m_fromLabel, 2, 1);
    grid->addWidget(m_from, 2, 2);
    grid->addWidget(m_toLabel, 3, 1, Qt::AlignTop);
    grid->addWidget(m_recipientList, 3, 2);
    grid->setRowStretch(1, 1);
    return page;
}

QWidget *InboxWindow::buildAttachmentTab()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    m_attachments = new QListWidget;
    m_attachments->setObjectName(u"attachments"_s);
    m_insert = namedButton(u"insert"_s, u"&Insert"_s);
    m_remove = namedButton(u"remove"_s, u"Re&move"_s);
    m_extract = namedButton(u"extract"_s, u"&Extract"_s);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_insert, m_remove, m_extract})
        buttons->addWidget(button);
    buttons->addStretch();
    column->addWidget(new QLabel(u"Attached Files:"_s));
    column->addWidget(m_attachments, 1);
    column->addLayout(buttons);
    return page;
}

void InboxWindow::connectControls()
{
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });
    connect(m_close, &QPushButton::clicked, this, [this] { WindowPlacer::placedWindow(this)->close(); });
    connect(m_delete, &QPushButton::clicked, this, &InboxWindow::deleteMessage);
    connect(m_compose, &QPushButton::clicked, this, &InboxWindow::compose);
    connect(m_send, &QPushButton::clicked, this, &InboxWindow::send);
    connect(m_reply, &QPushButton::clicked, this, &InboxWindow::reply);
    connect(m_cancel, &QPushButton::clicked, this, &InboxWindow::cancel);
    connect(m_addressBook, &QToolButton::clicked, this, &InboxWindow::chooseRecipients);
    connect(m_insert, &QPushButton::clicked, this, &InboxWindow::insertAttachment);
    connect(m_remove, &QPushButton::clicked, this, &InboxWindow::removeAttachment);
    connect(m_extract, &QPushButton::clicked, this, &InboxWindow::extractAttachment);
}

// The workstation's list colour, or the Inbox's own when none is set.
void InboxWindow::applyListColor()
{
    BgrColor::setListBackground(m_list, BrowseColor::read(m_workstation.settings(), DefaultColor));
}

void InboxWindow::restoreLayout()
{
    const QStringList widths = m_workstation.settings().readText(ConfigSection, LayoutKey).split(u',');
    if (widths.size() != m_list->columnCount())
        return;
    for (int column = 0; column < m_list->columnCount(); ++column) {
        const int width = widths.at(column).trimmed().toInt();
        if (width > 0)
            m_list->setColumnWidth(column, width);
    }
}

void InboxWindow::storeLayout()
{
    QStringList widths;
    for (int column = 0; column < m_list->columnCount(); ++column)
        widths.append(QString::number(m_list->columnWidth(column)));
    m_workstation.settings().writeText(ConfigSection, LayoutKey, widths.join(u','));
}

void InboxWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_loaded)
        return;
    WindowPlacer::restore(this, m_workstation.settings(), ProcedureName, Resizable);
    load();
}

void InboxWindow::closeEvent(QCloseEvent *event)
{
    storeLayout();
    WindowPlacer::store(this, m_workstation.settings(), ProcedureName, Resizable);
    event->accept();
}

void InboxWindow::load()
{
    m_loaded = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list->clear();
    m_rows = m_reader.load();
    for (const InboxRow &row : std::as_const(m_rows)) {
        auto *item = new QTreeWidgetItem(m_list, {row.from, row.subject, row.date.left(DateColumnCharacters)});
        item->setIcon(0, row.icon == InboxRow::WithAttachments ? MailIcons::withAttachments() : MailIcons::letter());
    }
    QApplication::restoreOverrideCursor();
    MailMessage::show(m_workstation.messages(), m_reader.loadFailure());
    setListUsable(!m_rows.isEmpty());
    if (!m_rows.isEmpty())
        selectRow(0);
}

int InboxWindow::selectedRow() const
{
    QTreeWidgetItem *current = m_list->currentItem();
    return current == nullptr ? -1 : m_list->indexOfTopLevelItem(current);
}

// A change of the current row shows its message by itself.
void InboxWindow::selectRow(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    m_list->scrollToItem(item);
    if (m_list->currentItem() == item)
        showSelected();
    else
        m_list->setCurrentItem(item);
}

void InboxWindow::setListUsable(bool usable)
{
    m_list->setEnabled(usable && !m_composing);
    m_reply->setEnabled(usable);
}

// The message of the selected row, or of the first when none is selected.
void InboxWindow::showSelected()
{
    if (m_composing)
        return;
    if (m_rows.isEmpty()) {
        m_list->setEnabled(false);
        return;
    }
    const int row = std::max(0, selectedRow());
    m_reader.show(m_rows.at(row).messageId, m_shown);
    showMessage();
}

void InboxWindow::showMessage()
{
    m_subject->setText(m_shown.subject);
    m_from->setText(m_shown.from);
    m_text->setPlainText(m_shown.text);
    showAttachments();
}

void InboxWindow::showAttachments()
{
    m_attachments->clear();
    for (const AttachmentRow &row : std::as_const(m_shown.attachments)) {
        auto *item = new QListWidgetItem(row.fileName, m_attachments);
        item->setToolTip(row.pathName);
    }
    if (m_attachments->count() > 0)
        m_attachments->setCurrentRow(0);
    m_tabs->setTabVisible(m_tabs->indexOf(m_attachmentTab), m_composing || !m_shown.attachments.isEmpty());
    m_remove->setEnabled(m_attachments->count() > 0);
}

void InboxWindow::showRecipients()
{
    m_recipientList->clear();
    for (const RecipientRow &row : std::as_const(m_recipients))
        m_recipientList->addItem(row.display);
    if (!m_recipients.isEmpty())
        m_recipientList->setCurrentRow(0);
}

void InboxWindow::setComposing(bool composing)
{
    m_composing = composing;
    m_list->setEnabled(!composing && !m_rows.isEmpty());
    m_close->setEnabled(!composing);
    m_delete->setEnabled(!composing);
    for (QWidget *reading :
         {static_cast<QWidget *>(m_compose), static_cast<QWidget *>(m_reply), static_cast<QWidget *>(m_extract),
          static_cast<QWidget *>(m_fromLabel), static_cast<QWidget *>(m_from)})
        reading->setVisible(!composing);
    for (QWidget *composingOnly :
         {static_cast<QWidget *>(m_send), static_cast<QWidget *>(m_cancel), static_cast<QWidget *>(m_insert),
          static_cast<QWidget *>(m_remove), static_cast<QWidget *>(m_addressBook), static_cast<QWidget *>(m_toLabel),
          static_cast<QWidget *>(m_recipientList)})
        composingOnly->setVisible(composing);
    m_subject->setEnabled(composing);
    m_text->setReadOnly(!composing);
    m_tabs->setTabVisible(m_tabs->indexOf(m_attachmentTab), composing || !m_shown.attachments.isEmpty());
}

void InboxWindow::clearFields()
{
    m_composer.clear();
    m_recipients.clear();
    m_shown.attachments.clear();
    showRecipients();
}

void InboxWindow::deleteMessage()
{
    const int row = selectedRow();
    if (row < 0 || !m_reader.remove(m_rows.at(row).messageId))
        return;
    {
        // The list moves its current row while the item goes, before the rows match again.
        const QSignalBlocker quiet(m_list);
        delete m_list->takeTopLevelItem(row);
    }
    m_rows.removeAt(row);
    m_shown.attachments.clear();
    showAttachments();
    if (m_rows.isEmpty()) {
        setListUsable(false);
        return;
    }
    selectRow(std::min(row, static_cast<int>(m_rows.size()) - 1));
}

void InboxWindow::compose()
{
    m_shown.subject.clear();
    m_shown.text.clear();
    clearFields();
    setComposing(true);
    showMessage();
}

// The sender becomes the To text, not a recipient row, so that the address book starts empty;
// subject and text stay as they were received.
void InboxWindow::reply()
{
    clearFields();
    m_composer.message().toText = m_shown.from;
    setComposing(true);
    showAttachments();
}

void InboxWindow::cancel()
{
    m_shown = ShownMessage{};
    clearFields();
    setComposing(false);
    showMessage();
    showSelected();
}

void InboxWindow::send()
{
    ComposedMail &mail = m_composer.message();
    mail.subject = m_subject->text();
    mail.text = m_text->toPlainText();
    mail.originatorName = m_from->text();
    mail.attachments.clear();
    for (const AttachmentRow &row : std::as_const(m_shown.attachments))
        mail.attachments.append(row.pathName);
    const ULONG result = m_composer.send(MailAssembly::Composer::Inbox);
    MailMessage::show(m_workstation.messages(), m_composer.sendResultText(result));
    if (result == SUCCESS_SUCCESS)
        cancel();
}

void InboxWindow::chooseRecipients()
{
    RecipientRows::takeInto(m_recipients, m_composer.message());
    if (m_composer.chooseRecipients(AddressCaption, AddressFields) != SUCCESS_SUCCESS)
        return;
    m_recipients = RecipientRows::fromMessage(m_composer.message());
    showRecipients();
}

void InboxWindow::insertAttachment()
{
    const QString path = m_workstation.dialogs().openFile(u"Insert Attachment From..."_s, {}, u"All Files|*.*"_s);
    if (!path.isEmpty()) {
        m_shown.attachments.append({path, path});
        showAttachments();
        m_attachments->setCurrentRow(m_attachments->count() - 1);
    }
    m_attachments->setFocus();
}

void InboxWindow::removeAttachment()
{
    const int row = m_attachments->currentRow();
    if (row < 0 || !m_attachments->item(row)->isSelected())
        return;
    m_shown.attachments.removeAt(row);
    showAttachments();
}

void InboxWindow::extractAttachment()
{
    const int row = m_attachments->currentRow();
    const int message = selectedRow();
    if (row < 0 || message < 0)
        return;
    if (m_extractor.extract(m_rows.at(message).messageId, row, m_shown) != AttachmentExtractor::Outcome::Cancelled)
        showMessage();
    m_attachments->setFocus();
}

} // namespace vellum
