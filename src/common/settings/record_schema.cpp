#include "common/settings/record_schema.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/config/ini_document.h"

namespace wren {
namespace {

const unsigned char* bytesOf(const PrivateRecord& record) { return reinterpret_cast<const unsigned char*>(&record); }
unsigned char* bytesOf(PrivateRecord& record) { return reinterpret_cast<unsigned char*>(&record); }

}  // namespace

std::int64_t RecordField::lowest() const {
    if (!isSigned) return 0;
    return -(std::int64_t{1} << (unitSize * 8 - 1));
}

std::int64_t RecordField::highest() const {
    if (unitSize >= 8) return std::numeric_limits<std::int64_t>::max();
    return isSigned ? (std::int64_t{1} << (unitSize * 8 - 1)) - 1 : (std::int64_t{1} << (unitSize * 8)) - 1;
}

const RecordField* findRecordField(std::string_view name) {
    for (const RecordField& f : kRecordFields)
        if (f.name == name) return &f;
    return nullptr;
}

std::int64_t readInteger(const PrivateRecord& record, const RecordField& field, std::size_t index) {
    if (field.kind != FieldKind::Integer || index >= field.count) return 0;
    std::uint64_t raw = 0;  // little-endian, like the record
    const unsigned char* at = bytesOf(record) + field.offset + index * field.unitSize;
    for (std::size_t i = field.unitSize; i-- > 0;) raw = (raw << 8) | at[i];
    if (field.isSigned && field.unitSize < 8 && (raw >> (field.unitSize * 8 - 1)) & 1)
        raw |= ~std::uint64_t{0} << (field.unitSize * 8);
    return static_cast<std::int64_t>(raw);
}

bool writeInteger(PrivateRecord& record, const RecordField& field, std::size_t index, std::int64_t value) {
    if (field.kind != FieldKind::Integer || index >= field.count) return false;
    if (value < field.lowest() || value > field.highest()) return false;
    auto raw = static_cast<std::uint64_t>(value);
    unsigned char* at = bytesOf(record) + field.offset + index * field.unitSize;
    for (std::size_t i = 0; i < field.unitSize; ++i, raw >>= 8) at[i] = static_cast<unsigned char>(raw & 0xFF);
    return true;
}

std::string readText(const PrivateRecord& record, const RecordField& field, std::size_t maxUnits) {
    if (field.kind != FieldKind::Text) return {};
    const unsigned char* at = bytesOf(record) + field.offset;
    const std::size_t limit = std::min(field.count, maxUnits);
    if (field.unitSize == 1) {
        std::size_t n = 0;
        while (n < limit && at[n] != 0) ++n;
        return std::string(reinterpret_cast<const char*>(at), n);
    }
    std::u16string units;
    for (std::size_t i = 0; i < limit; ++i) {
        const auto unit = static_cast<char16_t>(at[2 * i] | (at[2 * i + 1] << 8));
        if (unit == u'\0') break;
        units.push_back(unit);
    }
    return toUtf8(units);
}

bool writeText(PrivateRecord& record, const RecordField& field, std::string_view text) {
    if (field.kind != FieldKind::Text || field.count == 0) return false;
    unsigned char* at = bytesOf(record) + field.offset;
    const std::size_t room = field.count - 1;
    if (field.unitSize == 1) {
        const std::size_t n = std::min(text.size(), room);
        std::memcpy(at, text.data(), n);
        at[n] = 0;
        return text.size() <= room;
    }
    const std::u16string units = fromUtf8(text);
    const std::size_t n = std::min(units.size(), room);
    for (std::size_t i = 0; i < n; ++i) {
        at[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        at[2 * i + 1] = static_cast<unsigned char>(units[i] >> 8);
    }
    at[2 * n] = at[2 * n + 1] = 0;
    return units.size() <= room;
}

std::string readBytes(const PrivateRecord& record, const RecordField& field) {
    if (field.kind != FieldKind::Bytes) return {};
    std::size_t n = field.count;
    if (const RecordField* count = field.countField.empty() ? nullptr : findRecordField(field.countField))
        n = std::min<std::size_t>(n, static_cast<std::size_t>(readInteger(record, *count)));
    return std::string(reinterpret_cast<const char*>(bytesOf(record) + field.offset), n);
}

bool writeBytes(PrivateRecord& record, const RecordField& field, std::string_view bytes) {
    if (field.kind != FieldKind::Bytes || bytes.size() > field.count) return false;
    const RecordField* count = field.countField.empty() ? nullptr : findRecordField(field.countField);
    if (count && static_cast<std::int64_t>(bytes.size()) > count->highest()) return false;
    unsigned char* at = bytesOf(record) + field.offset;
    std::memcpy(at, bytes.data(), bytes.size());
    std::memset(at + bytes.size(), 0, field.count - bytes.size());
    if (count) writeInteger(record, *count, 0, static_cast<std::int64_t>(bytes.size()));
    return true;
}

}  // namespace wren
