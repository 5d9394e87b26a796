#include "LastAdministrator.h"

#include "data/CurrentUser.h"
#include "data/UserRecord.h"
#include "framework/ApplicationMessage.h"
#include "framework/ErrorTable.h"
#include "framework/RecordFile.h"

using namespace Qt::StringLiterals;

namespace vellum::LastAdministrator {

namespace {

// Two administrators at most are read: enough to know whether another one exists.
std::optional<bool> anotherAdministrator(RecordFile &users, std::int64_t rowId)
{
    store::WalkRequest request;
    request.filter = {{UserRecord::Col::Level, store::CompareOp::Equal, std::int64_t(LevelAdministrator)}};
    request.fields = {UserRecord::Col::Level};
    request.limit = 2;
    std::vector<store::StoredRow> administrators;
    if (const store::StoreStatus status = users.database().walk(users.table(), request, &administrators); !status) {
        users.errors().setError(status);
        users.throwError(ErrorId::RetrievalError);
        return std::nullopt;
    }
    for (const store::StoredRow &administrator : administrators)
        if (administrator.rowId != rowId)
            return true;
    return false;
}

} // namespace

std::optional<bool> refuses(RecordFile &users, std::int64_t rowId, const store::Row &stored, int newLevel)
{
    const bool administrator = store::asInt(stored[UserRecord::Col::Level]) == LevelAdministrator;
    if (!administrator || newLevel == LevelAdministrator)
        return false;
    const std::optional<bool> another = anotherAdministrator(users, rowId);
    if (!another)
        return std::nullopt;
    return !*another;
}

QString refusalText(const QString &name, int newLevel)
{
    const QString what = newLevel == Deleted ? u"cannot be deleted"_s : u"must keep the level Administrator"_s;
    return u"\"%1\" is the only Administrator and %2.\r\nGive another user the level Administrator first."_s.arg(
        name.trimmed(), what);
}

void showRefusal(Messages &messages, const QString &name, int newLevel)
{
    ApplicationMessage::show(messages, refusalText(name, newLevel), MessageIcon::Exclamation);
}

} // namespace vellum::LastAdministrator
