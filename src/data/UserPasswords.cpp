#include "data/UserPasswords.h"

#include "data/PasswordHash.h"
#include "store/FieldText.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = UserRecord::Col;

const store::TableDefinition &users()
{
    return UserRecord::table();
}

struct Hashes {
    QString exact;
    QString logon;
};

// An empty password has no hashes. A hash that could not be made is a failure, never an empty password.
std::optional<Hashes> hashesOf(const QString &password)
{
    const QString kept = UserPasswords::typed(password);
    if (kept.isEmpty())
        return Hashes{};
    Hashes hashes{PasswordHash::make(kept), PasswordHash::make(kept.toUpper())};
    if (hashes.exact.isEmpty() || hashes.logon.isEmpty())
        return std::nullopt;
    return hashes;
}

store::StoreStatus writeHashes(store::Database &database, std::int64_t rowId, const Hashes &hashes)
{
    store::StoreStatus result = database.setHiddenText(users(), rowId, UserRecord::PassWordHash, hashes.exact);
    if (result)
        result = database.setHiddenText(users(), rowId, UserRecord::PassWordLogonHash, hashes.logon);
    return result;
}

store::StoreStatus noHash()
{
    return store::StoreStatus::failure(store::StoreCode::Failed, u"the password could not be hashed"_s);
}

struct ClearText {
    store::StoredRow row;
    Hashes hashes;
};

} // namespace

const QString UserPasswords::Mask = u"********"_s;

QString UserPasswords::typed(const QString &password)
{
    const int width = users().fields[Col::PassWord].width;
    return store::fitText(password, width);
}

UserPasswords::UserPasswords(store::Database &database) : m_database(database)
{
}

UserPasswords::Check UserPasswords::logonMatches(std::int64_t rowId, const UserRecord &record, const QString &password)
{
    if (!record.PassWord.isEmpty())
        return typed(record.PassWord).toUpper() == typed(password).toUpper() ? Check::Matches : Check::Differs;
    return matches(rowId, UserRecord::PassWordLogonHash, typed(password).toUpper());
}

UserPasswords::Check UserPasswords::exactlyMatches(std::int64_t rowId, const UserRecord &record,
                                                   const QString &password)
{
    if (!record.PassWord.isEmpty())
        return typed(record.PassWord) == typed(password) ? Check::Matches : Check::Differs;
    return matches(rowId, UserRecord::PassWordHash, typed(password));
}

UserPasswords::Check UserPasswords::matches(std::int64_t rowId, std::string_view column, const QString &password)
{
    QString hash;
    if (!m_database.hiddenText(users(), rowId, column, &hash))
        return Check::Failed;
    if (hash.isEmpty())
        return password.isEmpty() ? Check::Matches : Check::Differs;
    return PasswordHash::matches(hash, password) ? Check::Matches : Check::Differs;
}

std::optional<bool> UserPasswords::isSet(std::int64_t rowId, const UserRecord &record)
{
    if (!record.PassWord.isEmpty())
        return true;
    QString hash;
    if (!m_database.hiddenText(users(), rowId, UserRecord::PassWordHash, &hash))
        return std::nullopt;
    return !hash.isEmpty();
}

std::optional<bool> UserPasswords::isSet(const QString &name)
{
    store::StoredRow row;
    if (!m_database.fetch(users(), UserRecord::KeyName, {name}, &row, false))
        return std::nullopt;
    return isSet(row.rowId, fromRow<UserRecord>(row.values));
}

store::StoreStatus UserPasswords::store(std::int64_t rowId, const QString &password)
{
    const std::optional<Hashes> hashes = hashesOf(password);
    return hashes ? writeHashes(m_database, rowId, *hashes) : noHash();
}

store::StoreStatus UserPasswords::convertClearText(int *converted)
{
    if (converted)
        *converted = 0;
    std::vector<ClearText> found;
    store::WalkRequest request;
    request.filter = {{Col::PassWord, store::CompareOp::NotEqual, QString()}};
    request.limit = 100;
    for (;;) {
        std::vector<store::StoredRow> rows;
        if (store::StoreStatus read = m_database.walk(users(), request, &rows); !read)
            return read;
        for (store::StoredRow &row : rows) {
            const std::optional<Hashes> hashes = hashesOf(store::asText(row.values[Col::PassWord]));
            if (!hashes)
                return noHash();
            found.push_back({std::move(row), *hashes});
        }
        if (int(rows.size()) < request.limit)
            break;
        request.after = store::KeyPosition{{}, found.back().row.rowId};
    }
    if (found.empty())
        return {};
    store::Transaction transaction(m_database, {&users()});
    if (!transaction.started())
        return transaction.started();
    for (ClearText &each : found) {
        each.row.values[Col::PassWord] = QString();
        // A user changed meanwhile keeps the whole file as it was; the next opening converts it.
        if (store::StoreStatus written = m_database.update(users(), each.row.rowId, each.row.version, each.row.values);
            !written)
            return written;
        if (store::StoreStatus written = writeHashes(m_database, each.row.rowId, each.hashes); !written)
            return written;
    }
    if (store::StoreStatus committed = transaction.commit(); !committed)
        return committed;
    if (converted)
        *converted = int(found.size());
    return {};
}

} // namespace vellum
