#pragma once
// Binds a record struct to its field table: each field's name, type and width with the member
// that holds it. Generic code (record files, snapshots, lists, exports) reads records through it.

#include "store/TableDefinition.h"
#include "store/Value.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

namespace vellum {

using store::FieldDefinition;
using store::FieldType;

template<class R>
using MemberOf =
    std::variant<std::uint8_t R::*, std::uint16_t R::*, std::int32_t R::*, std::uint32_t R::*, QString R::*>;

template<class R>
struct Field {
    FieldDefinition spec;
    MemberOf<R> member;
};

template<class R, std::size_t N>
constexpr std::array<FieldDefinition, N> specsOf(const std::array<Field<R>, N> &fields)
{
    std::array<FieldDefinition, N> specs{};
    for (std::size_t i = 0; i < N; ++i)
        specs[i] = fields[i].spec;
    return specs;
}

template<std::size_t N>
constexpr int recordLength(const std::array<FieldDefinition, N> &specs)
{
    return store::TableDefinition{{}, {}, specs, {}}.recordLength();
}

template<class R>
store::Value readField(const R &record, const Field<R> &field)
{
    return std::visit(
        [&record](auto member) -> store::Value {
            using T = std::remove_cvref_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                return record.*member;
            else
                return std::int64_t(record.*member);
        },
        field.member);
}

template<class R>
void writeField(R &record, const Field<R> &field, const store::Value &value)
{
    std::visit(
        [&record, &value](auto member) {
            using T = std::remove_cvref_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                record.*member = store::asText(value);
            else
                record.*member = T(store::asInt(value));
        },
        field.member);
}

// The record struct R must offer `static const store::TableDefinition &table()` and
// `static std::span<const Field<R>> fieldTable()`.
template<class R>
store::Row toRow(const R &record)
{
    const auto fields = R::fieldTable();
    store::Row row;
    row.reserve(fields.size());
    for (const auto &field : fields)
        row.push_back(readField(record, field));
    return row;
}

template<class R>
R fromRow(const store::Row &row)
{
    R record{};
    const auto fields = R::fieldTable();
    for (std::size_t i = 0; i < fields.size() && i < row.size(); ++i)
        writeField(record, fields[i], row[i]);
    return record;
}

} // namespace vellum
