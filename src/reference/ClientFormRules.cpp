#include "ClientFormRules.h"

#include "framework/ApplicationMessage.h"

#include "data/CaseVocabulary.h"
#include "data/ClientRecord.h"
#include "data/CurrentUser.h"
#include "framework/Messages.h"

using namespace Qt::StringLiterals;

namespace vellum::ClientFormRules {

namespace {

constexpr int HandedBackNameLength = 50;
constexpr int HandedBackPhoneLength = 16;

} // namespace

QStringList priorities()
{
    return CaseVocabulary::Priorities;
}

bool priorityEditable(int level, bool forCaseClient)
{
    return !forCaseClient && level >= LevelSupervisor;
}

bool priorityMissing(bool priorityFixed, const QString &priority)
{
    return priorityFixed && priority.trimmed().isEmpty();
}

QString clientGoneText()
{
    return u"Client ID is changed ! - Press OK in the\r\nCase Window to select a new ID.."_s;
}

void showClientGone(Messages &messages)
{
    MessageRequest request;
    request.caption = ApplicationMessage::Title;
    request.text = clientGoneText();
    request.icon = MessageIcon::Exclamation;
    messages.show(request);
}

HandedBack handedBack(const ClientRecord &client)
{
    return {client.LName.left(HandedBackNameLength), client.Phone.left(HandedBackPhoneLength)};
}

} // namespace vellum::ClientFormRules
