#include "AddressBookDialog.h"

#include "RecipientText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int NameColumn = 0;
constexpr int AddressColumn = 1;
constexpr int KindColumn = 2;

// The field of each class in order, with the caption of its button.
constexpr std::array<ULONG, 3> FieldClasses{MAPI_TO, MAPI_CC, MAPI_BCC};

QString fieldCaption(ULONG recipientClass, const QString &labels)
{
    switch (recipientClass) {
    case MAPI_CC:
        return u"&CC ->"_s;
    case MAPI_BCC:
        return u"&BCC ->"_s;
    default:
        return (labels.isEmpty() ? u"&To"_s : labels) + u" ->"_s;
    }
}

QString fieldName(ULONG recipientClass)
{
    switch (recipientClass) {
    case MAPI_CC:
        return u"cc"_s;
    case MAPI_BCC:
        return u"bcc"_s;
    default:
        return u"to"_s;
    }
}

std::size_t slotOf(ULONG recipientClass)
{
    return recipientClass == MAPI_CC ? 1 : recipientClass == MAPI_BCC ? 2 : 0;
}

} // namespace

AddressBookDialog::AddressBookDialog(const QList<AddressEntry> &entries, const QString &caption, ULONG editFields,
                                     const QString &labels, const QList<MapiRecipDesc> &recipients, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"AddressBook"_s);
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    columns->addWidget(buildList(entries), 3);
    columns->addWidget(buildFields(editFields, labels, recipients), 2);
    layout->addLayout(columns, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"ok"_s);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"cancel"_s);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(720, 420);
}

QWidget *AddressBookDialog::buildList(const QList<AddressEntry> &entries)
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    m_search = new QLineEdit;
    m_search->setObjectName(u"search"_s);
    m_search->setPlaceholderText(u"Type a name to find it"_s);
    m_list = new QTreeWidget;
    m_list->setObjectName(u"names"_s);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({u"Name"_s, u"Address"_s, u"Kind"_s});
    for (const AddressEntry &entry : entries) {
        const QString kind = entry.kind == AddressEntry::Kind::Client ? u"Client"_s : u"User"_s;
        new QTreeWidgetItem(m_list, {entry.name, entry.address, kind});
    }
    m_list->header()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(AddressColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(KindColumn, QHeaderView::Stretch);
    column->addWidget(m_search);
    column->addWidget(m_list, 1);
    connect(m_search, &QLineEdit::textChanged, this, &AddressBookDialog::filter);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_fields[0] != nullptr)
            addChosen(MAPI_TO);
    });
    return page;
}

QWidget *AddressBookDialog::buildFields(ULONG editFields, const QString &labels, const QList<MapiRecipDesc> &recipients)
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto shown = std::min<std::size_t>(editFields, FieldClasses.size());
    for (std::size_t slot = 0; slot < shown; ++slot) {
        const ULONG recipientClass = FieldClasses.at(slot);
        auto *button = new QPushButton(fieldCaption(recipientClass, shown == 1 ? labels : QString()));
        button->setObjectName(fieldName(recipientClass) + u"Button"_s);
        button->setAutoDefault(false);
        auto *field = new QLineEdit(RecipientText::format(recipients, recipientClass));
        field->setObjectName(fieldName(recipientClass));
        m_fields.at(slot) = field;
        const int row = static_cast<int>(slot);
        grid->addWidget(button, row, 0);
        grid->addWidget(field, row, 1);
        connect(button, &QPushButton::clicked, this, [this, recipientClass] { addChosen(recipientClass); });
    }
    grid->setRowStretch(static_cast<int>(shown), 1);
    return page;
}

void AddressBookDialog::filter(const QString &text)
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = m_list->topLevelItem(row);
        item->setHidden(!item->text(NameColumn).contains(text, Qt::CaseInsensitive)
                        && !item->text(AddressColumn).contains(text, Qt::CaseInsensitive));
    }
}

QLineEdit *AddressBookDialog::field(ULONG recipientClass) const
{
    return m_fields.at(slotOf(recipientClass));
}

void AddressBookDialog::addChosen(ULONG recipientClass)
{
    QLineEdit *target = field(recipientClass);
    if (target == nullptr)
        return;
    QStringList parts;
    if (!target->text().trimmed().isEmpty())
        parts.append(target->text().trimmed());
    for (const QTreeWidgetItem *item : m_list->selectedItems()) {
        MapiRecipDesc chosen;
        chosen.lpszName = item->text(NameColumn);
        chosen.lpszAddress = item->text(AddressColumn);
        parts.append(RecipientText::format(chosen));
    }
    target->setText(parts.join(u"; "_s));
}

QList<MapiRecipDesc> AddressBookDialog::recipients() const
{
    QList<MapiRecipDesc> chosen;
    for (const ULONG recipientClass : FieldClasses) {
        if (const QLineEdit *source = field(recipientClass))
            chosen += RecipientText::parse(source->text(), recipientClass);
    }
    return chosen;
}

} // namespace vellum
