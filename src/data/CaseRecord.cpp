#include "data/CaseRecord.h"

#include "data/CaseVocabulary.h"

#include <array>

namespace vellum {
namespace {

using R = CaseRecord;
using C = CaseRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"SER:IDkey", FieldType::Long, 4}, &R::IDkey},
    {{"SER:UpdateFlag", FieldType::UShort, 2}, &R::UpdateFlag},
    {{"SER:CaseNr", FieldType::ULong, 4}, &R::CaseNr},
    {{"SER:SName", FieldType::String, 6}, &R::SName},
    {{"SER:LName", FieldType::String, 50}, &R::LName},
    {{"SER:Phone", FieldType::String, 16}, &R::Phone},
    {{"SER:Product", FieldType::String, 50}, &R::Product},
    {{"SER:IDProduct", FieldType::String, 16}, &R::IDProduct},
    {{"SER:SProblem", FieldType::String, 80}, &R::SProblem},
    {{"SER:ProblemFix", FieldType::Byte, 1}, &R::ProblemFix},
    {{"SER:Priority", FieldType::String, 7}, &R::Priority},
    {{"SER:PriorityFix", FieldType::Byte, 1}, &R::PriorityFix},
    {{"SER:Owner", FieldType::String, 20}, &R::Owner},
    {{"SER:SDate", FieldType::Long, 4}, &R::SDate},
    {{"SER:STime", FieldType::Long, 4}, &R::STime},
    {{"SER:FirstEscDate", FieldType::Long, 4}, &R::FirstEscDate},
    {{"SER:FirstEscTime", FieldType::Long, 4}, &R::FirstEscTime},
    {{"SER:FirstAction", FieldType::String, 1}, &R::FirstAction},
    {{"SER:SecEscDate", FieldType::Long, 4}, &R::SecEscDate},
    {{"SER:SecEscTime", FieldType::Long, 4}, &R::SecEscTime},
    {{"SER:SecAction", FieldType::String, 1}, &R::SecAction},
    {{"SER:ThirdEscDate", FieldType::Long, 4}, &R::ThirdEscDate},
    {{"SER:ThirdEscTime", FieldType::Long, 4}, &R::ThirdEscTime},
    {{"SER:ThirdAction", FieldType::String, 1}, &R::ThirdAction},
    {{"SER:Status", FieldType::String, 7}, &R::Status},
    {{"SER:Cdate", FieldType::Long, 4}, &R::Cdate},
    {{"SER:History", FieldType::Memo, 8000}, &R::History},
    {{"SER:AddHistory", FieldType::Memo, 1500}, &R::AddHistory},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 303);

// Only the case number is handed out by the file itself.
constexpr std::array<store::KeyDefinition, 8> keys{{
    {"SER:CaseNrKey", "SER:CaseNrKey", KeyKind::Primary, true, {C::CaseNr, -1}},
    {"SER:ProductID", "SER:ProductID", KeyKind::Duplicates, false, {C::IDProduct, -1}},
    {"SER:NameKey", "SER:NameKey", KeyKind::Duplicates, false, {C::SName, -1}},
    {"SER:ClientIDKey", "SER:ClientIDKey", KeyKind::Duplicates, false, {C::IDkey, -1}},
    {"SER:KeyProblem", "SER:KeyProblem", KeyKind::Duplicates, false, {C::SProblem, -1}},
    {"SER:FirstEscKey", "SER:FirstEscKey", KeyKind::Duplicates, false, {C::FirstEscDate, C::FirstEscTime}},
    {"SER:SecEscKey", "SER:SecEscKey", KeyKind::Duplicates, false, {C::SecEscDate, C::SecEscTime}},
    {"SER:ThirdEscKey", "SER:ThirdEscKey", KeyKind::Duplicates, false, {C::ThirdEscDate, C::ThirdEscTime}},
}};

constexpr store::TableDefinition spec{"Sercase.tps", "SER", specs, keys};

} // namespace

const store::TableDefinition &CaseRecord::table()
{
    return spec;
}

std::span<const Field<CaseRecord>> CaseRecord::fieldTable()
{
    return fields;
}

CaseRecord CaseRecord::primed()
{
    CaseRecord record;
    record.Priority = CaseVocabulary::Medium;
    return record;
}

} // namespace vellum
