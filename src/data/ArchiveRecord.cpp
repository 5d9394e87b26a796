#include "data/ArchiveRecord.h"

#include <array>

namespace vellum {
namespace {

using R = ArchiveRecord;
using C = ArchiveRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"ARC:IDkey", FieldType::Long, 4}, &R::IDkey},
    {{"ARC:UpdateFlag", FieldType::UShort, 2}, &R::UpdateFlag},
    {{"ARC:CaseNr", FieldType::ULong, 4}, &R::CaseNr},
    {{"ARC:SName", FieldType::String, 6}, &R::SName},
    {{"ARC:LName", FieldType::String, 50}, &R::LName},
    {{"ARC:Phone", FieldType::String, 16}, &R::Phone},
    {{"ARC:Product", FieldType::String, 50}, &R::Product},
    {{"ARC:IDProduct", FieldType::String, 16}, &R::IDProduct},
    {{"ARC:SProblem", FieldType::String, 80}, &R::SProblem},
    {{"ARC:ProblemFix", FieldType::Byte, 1}, &R::ProblemFix},
    {{"ARC:Priority", FieldType::String, 7}, &R::Priority},
    {{"ARC:PriorityFix", FieldType::Byte, 1}, &R::PriorityFix},
    {{"ARC:Owner", FieldType::String, 20}, &R::Owner},
    {{"ARC:SDate", FieldType::Long, 4}, &R::SDate},
    {{"ARC:STime", FieldType::Long, 4}, &R::STime},
    {{"ARC:FirstEscDate", FieldType::Long, 4}, &R::FirstEscDate},
    {{"ARC:FirstEscTime", FieldType::Long, 4}, &R::FirstEscTime},
    {{"ARC:FirstAction", FieldType::String, 1}, &R::FirstAction},
    {{"ARC:SecEscDate", FieldType::Long, 4}, &R::SecEscDate},
    {{"ARC:SecEscTime", FieldType::Long, 4}, &R::SecEscTime},
    {{"ARC:SecAction", FieldType::String, 1}, &R::SecAction},
    {{"ARC:ThirdEscDate", FieldType::Long, 4}, &R::ThirdEscDate},
    {{"ARC:ThirdEscTime", FieldType::Long, 4}, &R::ThirdEscTime},
    {{"ARC:ThirdAction", FieldType::String, 1}, &R::ThirdAction},
    {{"ARC:Status", FieldType::String, 7}, &R::Status},
    {{"ARC:History", FieldType::Memo, 8000}, &R::History},
    {{"ARC:AddHistory", FieldType::Memo, 1500}, &R::AddHistory},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 299);

// Not auto-numbered: an archived case keeps the number it had in the case file.
constexpr std::array<store::KeyDefinition, 7> keys{{
    {"ARC:CaseNrKey", "ARC:CaseNrKey", KeyKind::Primary, false, {C::CaseNr, -1}},
    {"ARC:ProductID", "ARC:ProductID", KeyKind::Duplicates, false, {C::IDProduct, -1}},
    {"ARC:NameKey", "ARC:NameKey", KeyKind::Duplicates, false, {C::SName, -1}},
    {"ARC:ClientIDKey", "ARC:ClientIDKey", KeyKind::Duplicates, false, {C::IDkey, -1}},
    {"ARC:FirstEscKey", "ARC:FirstEscKey", KeyKind::Duplicates, false, {C::FirstEscDate, C::FirstEscTime}},
    {"ARC:SecEscKey", "ARC:SecEscKey", KeyKind::Duplicates, false, {C::SecEscDate, C::SecEscTime}},
    {"ARC:ThirdEscKey", "ARC:ThirdEscKey", KeyKind::Duplicates, false, {C::ThirdEscDate, C::ThirdEscTime}},
}};

constexpr store::TableDefinition spec{"Archive.tps", "ARC", specs, keys};

} // namespace

const store::TableDefinition &ArchiveRecord::table()
{
    return spec;
}

std::span<const Field<ArchiveRecord>> ArchiveRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
