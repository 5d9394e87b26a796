#include "data/LogRecord.h"

#include <array>

namespace vellum {
namespace {

using R = LogRecord;
using C = LogRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"Log:Nr", FieldType::ULong, 4}, &R::Nr},
    {{"Log:ID", FieldType::UShort, 2}, &R::ID},
    {{"Log:Name", FieldType::String, 20}, &R::Name},
    {{"Log:CaseNr", FieldType::ULong, 4}, &R::CaseNr},
    {{"Log:Action", FieldType::String, 7}, &R::Action},
    {{"Log:ActionDate", FieldType::Long, 4}, &R::ActionDate},
    {{"Log:ActionTime", FieldType::Long, 4}, &R::ActionTime},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 45);

// The duplicate-key message shows these descriptions in capitals, unlike the key names.
constexpr std::array<store::KeyDefinition, 5> keys{{
    {"Log:KeyNr", "Log:KEYNR", KeyKind::Primary, true, {C::Nr, -1}},
    {"Log:CaseKey", "Log:CaseKey", KeyKind::Duplicates, false, {C::CaseNr, -1}},
    {"Log:KeyDate", "Log:KEYDATE", KeyKind::Duplicates, false, {C::ActionDate, C::ActionTime}},
    {"Log:KeyID", "Log:KEYID", KeyKind::Duplicates, false, {C::ID, -1}},
    {"Log:KeyName", "Log:KEYNAME", KeyKind::Duplicates, false, {C::Name, -1}},
}};

constexpr store::TableDefinition spec{"Log.tps", "Log", specs, keys};

} // namespace

const store::TableDefinition &LogRecord::table()
{
    return spec;
}

std::span<const Field<LogRecord>> LogRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
