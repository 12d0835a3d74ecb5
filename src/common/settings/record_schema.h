// The private record's schema: every named field's place, element type and
// length, made from the record's own field list, so that a tool reading or
// writing fields by name (the host's tickets and record dumps, the fuzzers)
// never restates the layout. Values are read and written within the field's
// bytes; the record is packed, so nothing here takes a field's address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "common/settings/private_record.h"

namespace wren {

enum class FieldKind : std::uint8_t {
    Integer,  // one integer, or a list of `count` integers
    Text,     // `count` units (char16_t or char), terminated within the field when shorter
    Bytes,    // `count` raw bytes; a table has its length in another field
};

struct RecordField {
    std::string_view name;
    std::size_t offset = 0;
    FieldKind kind = FieldKind::Integer;
    std::uint8_t unitSize = 1;  // bytes of one element
    bool isSigned = false;
    std::size_t count = 1;  // elements
    // The table's byte count lives in this field (empty: not a table).
    std::string_view countField;

    std::size_t bytes() const { return unitSize * count; }
    bool isList() const { return kind == FieldKind::Integer && count > 1; }
    std::int64_t lowest() const;
    std::int64_t highest() const;
};

namespace record_schema_detail {

// The tables and the fields that hold their lengths.
inline constexpr std::pair<std::string_view, std::string_view> kTableCounts[] = {
    {"ccmTableNt", "ccmTableNtCount"},
    {"ccmTableNv", "ccmTableNvCount"},
};

template <typename T>
constexpr RecordField describe(std::string_view name, std::size_t offset) {
    using Element = std::remove_all_extents_t<T>;
    RecordField f;
    f.name = name;
    f.offset = offset;
    f.unitSize = static_cast<std::uint8_t>(sizeof(Element));
    f.isSigned = std::is_signed_v<Element> && !std::is_same_v<Element, char>;
    f.count = sizeof(T) / sizeof(Element);
    if constexpr (std::is_same_v<Element, char16_t> || std::is_same_v<Element, char>)
        f.kind = FieldKind::Text;
    else if constexpr (std::is_array_v<T> && std::is_same_v<Element, std::uint8_t>)
        f.kind = FieldKind::Bytes;
    else
        f.kind = FieldKind::Integer;
    for (auto [table, count] : kTableCounts)
        if (table == name) f.countField = count;
    return f;
}

}  // namespace record_schema_detail

// Every named field, in the record's order.
inline constexpr RecordField kRecordFields[] = {
#define WREN_FIELD(field, offset) \
    record_schema_detail::describe<decltype(PrivateRecord::field)>(#field, offsetof(PrivateRecord, field)),
    WREN_RECORD_FIELDS(WREN_FIELD)
#undef WREN_FIELD
};

const RecordField* findRecordField(std::string_view name);

// Element `index` of an integer field, sign-extended as the field's type.
std::int64_t readInteger(const PrivateRecord& record, const RecordField& field, std::size_t index = 0);
// False, and the field untouched, when `value` does not fit the element.
bool writeInteger(PrivateRecord& record, const RecordField& field, std::size_t index, std::int64_t value);

// A text field as UTF-8 (char16_t fields) or as its bytes (char fields),
// up to its terminator or its end, and at most `maxUnits` units.
std::string readText(const PrivateRecord& record, const RecordField& field, std::size_t maxUnits = SIZE_MAX);
// Writes `text` cut to the field's length less one unit, terminated; false
// when it had to be cut.
bool writeText(PrivateRecord& record, const RecordField& field, std::string_view text);

// A byte field's bytes, `count` of them (a table's: its count field's, at
// most the field's length).
std::string readBytes(const PrivateRecord& record, const RecordField& field);
// Writes the bytes and zeroes the rest of the field; a table's count field
// gets their number. False, and the record untouched, when they do not fit.
bool writeBytes(PrivateRecord& record, const RecordField& field, std::string_view bytes);

}  // namespace wren
