#pragma once
// The names and addresses the address book offers: every client and every user of the database
// that has a mail address, sorted by name.

#include <QList>
#include <QString>

namespace vellum {

class Workstation;

struct AddressEntry {
    enum class Kind { Client, User };

    QString name;
    QString address;
    Kind kind = Kind::Client;

    friend bool operator==(const AddressEntry &, const AddressEntry &) = default;
};

class AddressBookEntries {
public:
    // A client by its full name (CLI:LName), a user by the full name, else the logon name.
    static QList<AddressEntry> read(Workstation &workstation);
};

} // namespace vellum
