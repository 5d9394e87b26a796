#include "data/ClientRecord.h"

#include <array>

namespace vellum {
namespace {

using R = ClientRecord;
using C = ClientRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"CLI:SName", FieldType::String, 6}, &R::SName},
    {{"CLI:LName", FieldType::String, 50}, &R::LName},
    {{"CLI:Contact", FieldType::String, 30}, &R::Contact},
    {{"CLI:Phone", FieldType::String, 16}, &R::Phone},
    {{"CLI:Email", FieldType::CString, 100}, &R::Email},
    {{"CLI:Priority", FieldType::String, 7}, &R::Priority},
    {{"CLI:PriorityFix", FieldType::Byte, 1}, &R::PriorityFix},
    {{"CLI:Address", FieldType::String, 30}, &R::Address},
    {{"CLI:ZIPCode", FieldType::String, 10}, &R::ZIPCode},
    {{"CLI:City", FieldType::String, 30}, &R::City},
    {{"CLI:State", FieldType::String, 30}, &R::State},
    {{"CLI:Phone2", FieldType::String, 20}, &R::Phone2},
    {{"CLI:Fax", FieldType::CString, 30}, &R::Fax},
    {{"CLI:Remarks", FieldType::String, 255}, &R::Remarks},
    {{"CLI:ResByte1", FieldType::Byte, 1}, &R::ResByte1},
    {{"CLI:ResByte2", FieldType::Byte, 1}, &R::ResByte2},
    {{"CLI:ResString", FieldType::String, 255}, &R::ResString},
    {{"CLI:ResCString", FieldType::CString, 255}, &R::ResCString},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 1127);

constexpr std::array<store::KeyDefinition, 4> keys{{
    {"CLI:SNameKey", "CLI:SNameKey", KeyKind::Primary, false, {C::SName, -1}},
    {"CLI:KeyFullName", "CLI:KeyFullName", KeyKind::Unique, false, {C::LName, -1}},
    {"CLI:KeyCity", "CLI:KeyCity", KeyKind::Duplicates, false, {C::City, -1}},
    {"CLI:KeyContact", "CLI:KeyContact", KeyKind::Duplicates, false, {C::Contact, -1}},
}};

constexpr store::TableDefinition spec{"Client.tps", "CLI", specs, keys};

} // namespace

const store::TableDefinition &ClientRecord::table()
{
    return spec;
}

std::span<const Field<ClientRecord>> ClientRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
