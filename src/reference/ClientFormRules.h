#pragma once
// What the client form decides apart from its window: who may set a client's fixed priority,
// when OK must wait for a priority, the message for a case's client that is gone, and what a
// case form gets back from the client it opened.

#include <QString>
#include <QStringList>

namespace vellum {

class Messages;
struct ClientRecord;

namespace ClientFormRules {

// The words of the priority list, most urgent first.
QStringList priorities();

// A form opened for a case's client never sets the priority; otherwise supervisors and
// administrators do and users see it disabled.
bool priorityEditable(int level, bool forCaseClient);

// "Set Priority " ticked without a priority chosen: OK waits on the priority list.
bool priorityMissing(bool priorityFixed, const QString &priority);

// Shown when the short name a case form passed no longer names a client.
QString clientGoneText();
void showClientGone(Messages &messages);

// What the case form gets back: the full name and the phone, cut to the case's fields.
struct HandedBack {
    QString fullName;
    QString phone;
};
HandedBack handedBack(const ClientRecord &client);

} // namespace ClientFormRules

} // namespace vellum
