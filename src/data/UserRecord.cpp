#include "data/UserRecord.h"

#include <array>

namespace vellum {
namespace {

using R = UserRecord;
using C = UserRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"IDE:IdNr", FieldType::UShort, 2}, &R::IdNr},
    {{"IDE:Name", FieldType::String, 20}, &R::Name},
    {{"IDE:PassWord", FieldType::String, 20}, &R::PassWord},
    {{"IDE:LogIn", FieldType::Byte, 1}, &R::LogIn},
    {{"IDE:Qualification", FieldType::String, 13}, &R::Qualification},
    {{"IDE:Level", FieldType::Byte, 1}, &R::Level},
    {{"IDE:Greet", FieldType::String, 20}, &R::Greet},
    {{"IDE:FullName", FieldType::String, 30}, &R::FullName},
    {{"IDE:Position", FieldType::String, 30}, &R::Position},
    {{"IDE:Company", FieldType::String, 50}, &R::Company},
    {{"IDE:Email", FieldType::CString, 100}, &R::Email},
    {{"IDE:Phone", FieldType::String, 30}, &R::Phone},
    {{"IDE:Fax", FieldType::CString, 30}, &R::Fax},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 347);

constexpr std::array<store::KeyDefinition, 2> keys{{
    {"IDE:KeyID", "IDE:KeyID", KeyKind::Primary, true, {C::IdNr, -1}},
    {"IDE:KeyName", "IDE:KeyName", KeyKind::Unique, false, {C::Name, -1}},
}};

constexpr std::array<std::string_view, 2> hidden{R::PassWordHash, R::PassWordLogonHash};

constexpr store::TableDefinition spec{"Ide.tps", "IDE", specs, keys, hidden};

} // namespace

const store::TableDefinition &UserRecord::table()
{
    return spec;
}

std::span<const Field<UserRecord>> UserRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
