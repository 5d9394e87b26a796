#include "data/ProductRecord.h"

#include <array>

namespace vellum {
namespace {

using R = ProductRecord;
using C = ProductRecord::Col;
using store::KeyKind;

constexpr std::array<Field<R>, C::Count> fields{{
    {{"SLA:IDProduct", FieldType::String, 16}, &R::IDProduct},
    {{"SLA:Priority", FieldType::String, 7}, &R::Priority},
    {{"SLA:PriorityFix", FieldType::Byte, 1}, &R::PriorityFix},
    {{"SLA:ResByte1", FieldType::Byte, 1}, &R::ResByte1},
    {{"SLA:ResByte2", FieldType::Byte, 1}, &R::ResByte2},
    {{"SLA:ResLong1", FieldType::Long, 4}, &R::ResLong1},
    {{"SLA:ResLong2", FieldType::Long, 4}, &R::ResLong2},
    {{"SLA:Product", FieldType::String, 50}, &R::Product},
    {{"SLA:Respons", FieldType::Long, 4}, &R::Respons},
    {{"SLA:FirstEsc", FieldType::Long, 4}, &R::FirstEsc},
    {{"SLA:FirstEscDays", FieldType::Long, 4}, &R::FirstEscDays},
    {{"SLA:FirstEscMargin", FieldType::Long, 4}, &R::FirstEscMargin},
    {{"SLA:SecEscDays", FieldType::Long, 4}, &R::SecEscDays},
    {{"SLA:SecEsc", FieldType::Long, 4}, &R::SecEsc},
    {{"SLA:SecEscMargin", FieldType::Long, 4}, &R::SecEscMargin},
    {{"SLA:ThdEsc", FieldType::Long, 4}, &R::ThdEsc},
    {{"SLA:ThirdEscDays", FieldType::Long, 4}, &R::ThirdEscDays},
    {{"SLA:ThirdEscMargin", FieldType::Long, 4}, &R::ThirdEscMargin},
    {{"SLA:ServiceShift", FieldType::Byte, 1}, &R::ServiceShift},
    {{"SLA:ServiceStart", FieldType::Long, 4}, &R::ServiceStart},
    {{"SLA:ServiceEnd", FieldType::Long, 4}, &R::ServiceEnd},
    {{"SLA:LName", FieldType::String, 30}, &R::LName},
}};

constexpr auto specs = specsOf(fields);
static_assert(recordLength(specs) == 163);

// Not a slip: the duplicate-key message names the product-id key with this text.
constexpr std::array<store::KeyDefinition, 2> keys{{
    {"SLA:IDProductKey", "bv. LLI", KeyKind::Primary, false, {C::IDProduct, -1}},
    {"SLA:ProductKey", "SLA:ProductKey", KeyKind::Unique, false, {C::Product, -1}},
}};

constexpr store::TableDefinition spec{"Sla.tps", "SLA", specs, keys};

} // namespace

const store::TableDefinition &ProductRecord::table()
{
    return spec;
}

std::span<const Field<ProductRecord>> ProductRecord::fieldTable()
{
    return fields;
}

} // namespace vellum
