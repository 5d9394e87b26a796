#pragma once
// The mail windows' pictures: the inbox rows with and without attachments, and the Send and
// address-book buttons.

#include <QIcon>

namespace vellum::MailIcons {

QIcon withAttachments();
QIcon letter();
QIcon send();
QIcon addressBook();

} // namespace vellum::MailIcons
