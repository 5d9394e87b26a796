#include "AddressBookEntries.h"

#include "MailText.h"
#include "data/ClientRecord.h"
#include "data/UserRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"

#include <algorithm>

namespace vellum {

namespace {

void add(QList<AddressEntry> &entries, const QString &name, const QString &address, AddressEntry::Kind kind)
{
    const QString trimmedAddress = address.trimmed();
    if (trimmedAddress.isEmpty())
        return;
    const QString trimmedName = MailText::trimmedRight(name);
    entries.append({trimmedName.isEmpty() ? trimmedAddress : trimmedName, trimmedAddress, kind});
}

void readClients(Workstation &workstation, QList<AddressEntry> &entries)
{
    RecordFileOf<ClientRecord> clients(workstation.database(), workstation.errors());
    if (clients.open() != 0)
        return;
    clients.set(ClientRecord::KeyFullName);
    while (clients.next() == 0)
        add(entries, clients.record().LName, clients.record().Email, AddressEntry::Kind::Client);
    clients.close();
}

void readUsers(Workstation &workstation, QList<AddressEntry> &entries)
{
    RecordFileOf<UserRecord> users(workstation.database(), workstation.errors(), false);
    if (users.open() != 0)
        return;
    users.set(UserRecord::KeyName);
    while (users.next() == 0) {
        const UserRecord &user = users.record();
        add(entries, user.FullName.trimmed().isEmpty() ? user.Name : user.FullName, user.Email,
            AddressEntry::Kind::User);
    }
    users.close();
}

} // namespace

QList<AddressEntry> AddressBookEntries::read(Workstation &workstation)
{
    QList<AddressEntry> entries;
    readClients(workstation, entries);
    readUsers(workstation, entries);
    std::stable_sort(entries.begin(), entries.end(), [](const AddressEntry &a, const AddressEntry &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

} // namespace vellum
