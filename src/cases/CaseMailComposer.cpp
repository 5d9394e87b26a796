#include "CaseMailComposer.h"

#include "CaseFormState.h"
#include "HistoryText.h"
#include "data/ClientRecord.h"
#include "framework/ErrorSeverity.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using HistoryText::clip;

// A line break, and a blank line before a new part.
QString lineBreak()
{
    return HistoryText::lineBreak();
}

QString paragraph()
{
    return lineBreak() + lineBreak();
}

constexpr int Success = int(ErrorSeverity::Silent);

// Why the client could not be read: the store's own words, or that there is no such client.
QString readFailure(const RecordFile &clients)
{
    const QString text = clients.lastStatus().errorText;
    return text.isEmpty() ? u"Record Not Found"_s : text;
}

} // namespace

QString CaseMailComposer::mailText(const QString &note, const QString &problem, bool addProblem, bool addSignature,
                                   const CurrentUser &user)
{
    QString text = note;
    if (addProblem)
        text = problemBlock(problem) + text;
    if (addSignature)
        text += signature(user);
    return text.left(MaxText);
}

QString CaseMailComposer::problemBlock(const QString &problem)
{
    return u"**** Problem : "_s + problem.trimmed() + u" ****"_s + paragraph();
}

QString CaseMailComposer::signature(const CurrentUser &user)
{
    QString text;
    const auto part = [&text](const QString &value, const QString &before, const QString &after) {
        if (const QString kept = clip(value); !kept.isEmpty())
            text += before + kept + after;
    };
    part(user.greet, paragraph(), {});
    part(user.fullName.left(NameWidth), paragraph(), {});
    part(user.position, paragraph(), lineBreak());
    part(user.company, {}, lineBreak());
    part(user.email, {}, lineBreak());
    part(user.phone.left(PhoneWidth), {}, lineBreak());
    part(user.fax, {}, lineBreak());
    return text;
}

std::optional<QString> CaseMailComposer::addressRefusal(const QString &address)
{
    const QString kept = address.trimmed();
    if (kept.isEmpty())
        return u"Error : email address empty"_s;
    if (!kept.contains(u'@') || !kept.contains(u'.'))
        return u"Error : email address not valid"_s;
    return std::nullopt;
}

CaseMailRecipient CaseMailComposer::recipient(Workstation &workstation, const QString &shortName)
{
    RecordFileOf<ClientRecord> clients(workstation.database(), workstation.errors(), false);
    CaseMailRecipient found;
    if (clients.open() == Success) {
        clients.record().SName = shortName;
        if (clients.fetch(ClientRecord::SNameKey) == Success) {
            found.address = clip(clients.record().Email);
            found.name = clip(clients.record().LName);
            if (const std::optional<QString> refusal = addressRefusal(found.address))
                found.refusal = CaseStep::message(*refusal);
            return found;
        }
    }
    found.refusal = CaseStep::message(u"Error opening Client file"_s + u'\n' + readFailure(clients));
    return found;
}

} // namespace vellum
