#include "data/SystemRecord.h"

#include <array>

namespace vellum {
namespace {

using R = SystemRecord;
using C = SystemRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"Sys:ID", FieldType::Byte, 1}, &R::ID},
    {{"Sys:DoLog", FieldType::Byte, 1}, &R::DoLog},
    {{"Sys:HowLong", FieldType::Long, 4}, &R::HowLong},
    {{"Sys:LastLogDate", FieldType::Long, 4}, &R::LastLogDate},
    {{"Sys:LastLogTime", FieldType::Long, 4}, &R::LastLogTime},
    {{"Sys:DoBackup", FieldType::Byte, 1}, &R::DoBackup},
    {{"Sys:BackUpFlag", FieldType::Byte, 1}, &R::BackUpFlag},
    {{"Sys:BackUpDays", FieldType::Long, 4}, &R::BackUpDays},
    {{"Sys:PathBackupFiles", FieldType::CString, 256}, &R::PathBackupFiles},
    {{"Sys:LastBackUpDate", FieldType::Long, 4}, &R::LastBackUpDate},
    {{"Sys:LastBackUpTime", FieldType::Long, 4}, &R::LastBackUpTime},
    {{"Sys:BackUpTime", FieldType::Long, 4}, &R::BackUpTime},
    {{"Sys:ViewFlag2", FieldType::Byte, 1}, &R::ViewFlag2},
    {{"Sys:RefreshInterval", FieldType::Byte, 1}, &R::RefreshInterval},
    {{"Sys:Server", FieldType::Byte, 1}, &R::Server},
    {{"Sys:DeleteClosed", FieldType::Byte, 1}, &R::DeleteClosed},
    {{"Sys:DeleteDays", FieldType::Byte, 1}, &R::DeleteDays},
    {{"Sys:DeleteTime", FieldType::Long, 4}, &R::DeleteTime},
    {{"Sys:Server2", FieldType::Byte, 1}, &R::Server2},
    {{"Sys:ProblemFix", FieldType::Byte, 1}, &R::ProblemFix},
    {{"Sys:ResByte1", FieldType::Byte, 1}, &R::ResByte1},
    {{"Sys:ResByte2", FieldType::Byte, 1}, &R::ResByte2},
    {{"Sys:ResLong1", FieldType::Long, 4}, &R::ResLong1},
    {{"Sys:ResLong2", FieldType::Long, 4}, &R::ResLong2},
    {{"Sys:ResString", FieldType::String, 255}, &R::ResString},
    {{"Sys:ResCString", FieldType::CString, 255}, &R::ResCString},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 819);

constexpr std::array<store::KeyDefinition, 1> keys{{
    {"Sys:KeyID", "Sys:KeyID", KeyKind::Primary, false, {C::ID, -1}},
}};

constexpr store::TableDefinition spec{"Sys.tps", "Sys", specs, keys};

} // namespace

const store::TableDefinition &SystemRecord::table()
{
    return spec;
}

std::span<const Field<SystemRecord>> SystemRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
