#pragma once
// What the store needs to know of a record file: its fields, their widths and its keys.
// The record layouts themselves are declared one layer up; the store works on any of them.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vellum::store {

enum class FieldType : std::uint8_t { Byte, UShort, Long, ULong, String, CString, Memo };

struct FieldDefinition {
    std::string_view name; // with prefix, as "SER:CaseNr"
    FieldType type;
    int width; // bytes in the fixed record; for a memo the most bytes it holds

    constexpr bool isText() const
    {
        return type == FieldType::String || type == FieldType::CString || type == FieldType::Memo;
    }
    constexpr bool isMemo() const { return type == FieldType::Memo; }
    // Most bytes of text the field holds: a CSTRING keeps one byte for its terminator.
    constexpr int textCapacity() const { return type == FieldType::CString ? width - 1 : width; }
    // The column name: the field name without its prefix.
    constexpr std::string_view column() const
    {
        const auto colon = name.find(':');
        return colon == std::string_view::npos ? name : name.substr(colon + 1);
    }
};

constexpr int typeWidth(FieldType type)
{
    switch (type) {
    case FieldType::Byte:
        return 1;
    case FieldType::UShort:
        return 2;
    case FieldType::Long:
    case FieldType::ULong:
        return 4;
    default:
        return 0;
    }
}

enum class KeyKind : std::uint8_t { Primary, Unique, Duplicates };

struct KeyDefinition {
    std::string_view name;        // "SER:CaseNrKey"
    std::string_view description; // what the duplicate-key message names ("bv. LLI" ...)
    KeyKind kind;
    bool autoNumber;
    std::array<std::int8_t, 2> parts; // field indexes; -1 where unused
    constexpr int partCount() const { return parts[1] < 0 ? 1 : 2; }
    constexpr bool unique() const { return kind != KeyKind::Duplicates; }
};

struct TableDefinition {
    std::string_view fileName; // "Sercase.tps"
    std::string_view prefix;   // "SER": also the table's name
    std::span<const FieldDefinition> fields;
    std::span<const KeyDefinition> keys;
    // Text columns of the table that are no fields: outside the record and its stored layout, read
    // and written by name (Database::hiddenText). A file made without one gets it when it is
    // opened for writing; until then it reads as empty.
    std::span<const std::string_view> hiddenColumns = {};

    // Length of the fixed record: the memos are held outside it.
    constexpr int recordLength() const
    {
        int length = 0;
        for (const auto &field : fields)
            length += field.isMemo() ? 0 : field.width;
        return length;
    }
    constexpr int fieldIndex(std::string_view name) const
    {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name == name)
                return int(i);
        return -1;
    }
    constexpr int keyIndex(std::string_view name) const
    {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i].name == name)
                return int(i);
        return -1;
    }
    constexpr bool hasHiddenColumn(std::string_view name) const
    {
        for (const std::string_view hidden : hiddenColumns)
            if (hidden == name)
                return true;
        return false;
    }
    constexpr int autoNumberKey() const
    {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i].autoNumber)
                return int(i);
        return -1;
    }
};

} // namespace vellum::store
