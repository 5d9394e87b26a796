#pragma once
// The address book: the clients' and users' names and addresses on the left, the To, CC and BCC
// fields on the right. The caller's caption is the window's title; OK gives the recipients of
// the fields in that order.

#include "AddressBookEntries.h"
#include "Mapi.h"

#include <QDialog>
#include <QList>

#include <array>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vellum {

class AddressBookDialog final : public QDialog {
    Q_OBJECT

public:
    // editFields: 0 shows the names only, 1 To, 2 To and CC, 3 or more To, CC and BCC; labels
    // names the To field when it is the only one.
    AddressBookDialog(const QList<AddressEntry> &entries, const QString &caption, ULONG editFields,
                      const QString &labels, const QList<MapiRecipDesc> &recipients, QWidget *parent = nullptr);

    QList<MapiRecipDesc> recipients() const;

    // The chosen entries of the list go into the field of the class given.
    void addChosen(ULONG recipientClass);
    QLineEdit *field(ULONG recipientClass) const;

private:
    QWidget *buildList(const QList<AddressEntry> &entries);
    QWidget *buildFields(ULONG editFields, const QString &labels, const QList<MapiRecipDesc> &recipients);
    void filter(const QString &text);

    QTreeWidget *m_list = nullptr;
    QLineEdit *m_search = nullptr;
    // To, CC and BCC; null for a field the caller did not ask for.
    std::array<QLineEdit *, 3> m_fields{};
};

} // namespace vellum
