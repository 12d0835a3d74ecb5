#include "ticket_private_fields.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "common/config/ini_document.h"
#include "common/settings/record_schema.h"
#include "ui/colour/hex_bytes.h"

namespace wren::host {
namespace {

constexpr std::string_view kTicketFields[] = {
    "jobName", "password",
    "askAtPrint", "watermarkIndex", "compressionLevel", "nupCode", "orientation", "gammaSettingId", "gammaOn",
    "outputPaperSize", "documentPaperSize", "fitToPaper", "documentPaperWidth", "documentPaperLength",
    "duplexCorrectionOn", "noSpecialColorSpace", "whiteAdjust", "whiteAdjustBlack", "cartridgeOff", "uaEnabled",
    "uaValid", "uaKind", "cryptMode", "cryptStrength", "cryptOption",
    "duplexScaleX", "duplexScaleY", "duplexOffsetX", "duplexOffsetY", "duplexAdjust",
    // The job's four overlay slots (255: empty).
    "overlayIds",
    // The watermark copy that the Watermark dialogs write.
    "wmText", "wmFontName", "wmColorText", "wmSize", "wmAngle", "wmOffsetX", "wmOffsetY", "wmPosition", "wmBorder",
    "wmInBackground", "wmFirstPageOnly", "wmStyleCode",
    // The Colour page's colour correction: the choice and the two tables.
    "ccmSetting", "ccmTableNt", "ccmTableNv",
};

// A ticket name that is not a field would make tickets nobody can write.
constexpr bool namesAreFields() {
    for (std::string_view name : kTicketFields) {
        bool found = false;
        for (const RecordField& field : kRecordFields) found = found || field.name == name;
        if (!found) return false;
    }
    return true;
}
static_assert(namesAreFields());

const RecordField* ticketField(std::string_view name) {
    return isTicketPrivateField(name) ? findRecordField(name) : nullptr;
}

// A list of exactly field.count integers, each within the element's range;
// the record changes only when all of them do.
bool setList(PrivateRecord& record, const RecordField& field, std::string_view text) {
    std::vector<long long> values;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        long long v = 0;
        if (!parseTicketInteger(text.substr(start, comma == std::string_view::npos ? comma : comma - start),
                                field.lowest(), field.highest(), v))
            return false;
        values.push_back(v);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (values.size() != field.count) return false;
    for (std::size_t i = 0; i < values.size(); ++i) writeInteger(record, field, i, values[i]);
    return true;
}

// A whole table or nothing: a ticket that names more bytes than the field
// holds, or a broken pair, is a mistake.
bool setTable(PrivateRecord& record, const RecordField& field, std::string_view text) {
    std::string bytes(field.count, '\0');
    const ui::HexDecoded decoded =
        ui::DecodeHexBytes(fromUtf8(text), reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    if (decoded.status != ui::HexStatus::Complete) return false;
    bytes.resize(decoded.count);
    return writeBytes(record, field, bytes);
}

std::string hexText(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char b : bytes) {
        s.push_back(kDigits[b >> 4]);
        s.push_back(kDigits[b & 15]);
    }
    return s;
}

}  // namespace

std::span<const std::string_view> ticketPrivateFields() { return kTicketFields; }

bool isTicketPrivateField(std::string_view name) {
    return std::find(std::begin(kTicketFields), std::end(kTicketFields), name) != std::end(kTicketFields);
}

bool parseTicketInteger(std::string_view s, long long low, long long high, long long& value) {
    int base = 10;
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    unsigned long long magnitude = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    if (magnitude > 0x7FFFFFFFFFFFFFFFull) return false;
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return value >= low && value <= high;
}

bool setPrivateField(PrivateRecord& record, std::string_view name, const std::string& text) {
    const RecordField* field = ticketField(name);
    if (!field) return false;
    switch (field->kind) {
    case FieldKind::Text: return writeText(record, *field, text);
    case FieldKind::Bytes: return setTable(record, *field, text);
    case FieldKind::Integer:
        if (field->isList()) return setList(record, *field, text);
        long long v = 0;
        return parseTicketInteger(text, field->lowest(), field->highest(), v) && writeInteger(record, *field, 0, v);
    }
    return false;
}

std::string privateFieldText(const PrivateRecord& record, std::string_view name) {
    const RecordField* field = ticketField(name);
    if (!field) return {};
    switch (field->kind) {
    // A text without its terminator is read as the part the field can
    // hold with one, so the ticket reads back.
    case FieldKind::Text: return readText(record, *field, field->count - 1);
    case FieldKind::Bytes: return hexText(readBytes(record, *field));
    case FieldKind::Integer: {
        std::string s;
        for (std::size_t i = 0; i < field->count; ++i) {
            if (i) s += ',';
            s += std::to_string(readInteger(record, *field, i));
        }
        return s;
    }
    }
    return {};
}

}  // namespace wren::host
