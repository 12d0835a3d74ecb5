#include "ticket.h"

#include <charconv>
#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>

#include "common/config/ini_document.h"
#include "common/settings/record_text.h"
#include "ui/colour/hex_bytes.h"

namespace wren::host {
namespace {

bool fail(TicketError& error, std::string message) {
    error.message = std::move(message);
    return false;
}

// A whole decimal (or 0x hex) integer within [low, high].
bool parseInteger(const std::string& text, long long low, long long high, long long& value) {
    std::string_view s(text);
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

template <typename T>
bool setInteger(T& field, const std::string& text, long long low, long long high) {
    long long v = 0;
    if (!parseInteger(text, low, high, v)) return false;
    field = static_cast<T>(v);
    return true;
}

template <typename T>
bool setUnsigned(T& field, const std::string& text) {
    return setInteger(field, text, 0, static_cast<long long>(static_cast<T>(~T{0})));
}

// A list of N integers within [low, high], as "a,b,...".
template <std::size_t N, typename T>
bool setList(T (&field)[N], const std::string& text, long long low, long long high) {
    T values[N];
    std::size_t start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        std::size_t comma = text.find(',', start);
        if ((i + 1 < N) != (comma != std::string::npos)) return false;
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        long long v = 0;
        if (!parseInteger(item, low, high, v)) return false;
        values[i] = static_cast<T>(v);
        start = comma + 1;
    }
    for (std::size_t i = 0; i < N; ++i) field[i] = values[i];
    return true;
}

// A whole table or nothing: a ticket that names more bytes than the field
// holds, or a broken pair, is a mistake.
// The record is packed: the count is set by the caller, not bound here.
template <std::size_t N>
std::optional<std::uint16_t> hexTable(std::uint8_t (&table)[N], const std::string& text) {
    std::uint8_t bytes[N];
    const ui::HexDecoded decoded = ui::DecodeHexBytes(fromUtf8(text), bytes, N);
    if (decoded.status != ui::HexStatus::Complete) return std::nullopt;
    std::copy(bytes, bytes + decoded.count, table);
    std::fill(table + decoded.count, table + N, std::uint8_t{0});
    return static_cast<std::uint16_t>(decoded.count);
}

using PrivateSetter = std::function<bool(PrivateRecord&, const std::string&)>;

#define WREN_UNSIGNED(name) {#name, [](PrivateRecord& r, const std::string& v) { auto x = r.name; bool ok = setUnsigned(x, v); r.name = x; return ok; }}
#define WREN_SIGNED(name) {#name, [](PrivateRecord& r, const std::string& v) { auto x = r.name; bool ok = setInteger(x, v, INT32_MIN, INT32_MAX); r.name = x; return ok; }}
// A signed field within its own type's range (wmAngle is 16 bits wide).
#define WREN_SIGNED_FIELD(name) {#name, [](PrivateRecord& r, const std::string& v) { auto x = r.name; bool ok = setInteger(x, v, std::numeric_limits<decltype(x)>::min(), std::numeric_limits<decltype(x)>::max()); r.name = x; return ok; }}
#define WREN_FIVE(name) {#name, [](PrivateRecord& r, const std::string& v) { std::int32_t x[5]; bool ok = setList(x, v, INT32_MIN, INT32_MAX); if (ok) for (int i = 0; i < 5; ++i) r.name[i] = x[i]; return ok; }}

const std::map<std::string, PrivateSetter>& privateSetters() {
    static const std::map<std::string, PrivateSetter> setters = {
        {"jobName", [](PrivateRecord& r, const std::string& v) { writeField(r.jobName, fromUtf8(v)); return fromUtf8(v).size() <= 16; }},
        {"password", [](PrivateRecord& r, const std::string& v) { writeField(r.password, fromUtf8(v)); return fromUtf8(v).size() <= 4; }},
        WREN_UNSIGNED(askAtPrint), WREN_UNSIGNED(watermarkIndex), WREN_UNSIGNED(compressionLevel),
        WREN_UNSIGNED(nupCode), WREN_UNSIGNED(orientation), WREN_UNSIGNED(gammaSettingId), WREN_UNSIGNED(gammaOn),
        WREN_UNSIGNED(outputPaperSize), WREN_UNSIGNED(documentPaperSize), WREN_UNSIGNED(fitToPaper),
        WREN_UNSIGNED(documentPaperWidth), WREN_UNSIGNED(documentPaperLength), WREN_UNSIGNED(duplexCorrectionOn),
        WREN_UNSIGNED(noSpecialColorSpace), WREN_SIGNED(whiteAdjust), WREN_UNSIGNED(whiteAdjustBlack),
        WREN_SIGNED(cartridgeOff), WREN_UNSIGNED(uaEnabled), WREN_UNSIGNED(uaValid), WREN_UNSIGNED(uaKind),
        WREN_UNSIGNED(cryptMode), WREN_UNSIGNED(cryptStrength), WREN_UNSIGNED(cryptOption),
        WREN_FIVE(duplexScaleX), WREN_FIVE(duplexScaleY), WREN_FIVE(duplexOffsetX), WREN_FIVE(duplexOffsetY),
        WREN_FIVE(duplexAdjust),
        // The job's four overlay slots (255: empty).
        {"overlayIds", [](PrivateRecord& r, const std::string& v) { std::uint16_t x[4]; bool ok = setList(x, v, 0, 65535); if (ok) for (int i = 0; i < 4; ++i) r.overlayIds[i] = x[i]; return ok; }},
        // The watermark copy that the Watermark dialogs write.
        {"wmText", [](PrivateRecord& r, const std::string& v) { writeField(r.wmText, fromUtf8(v)); return fromUtf8(v).size() <= 512; }},
        {"wmFontName", [](PrivateRecord& r, const std::string& v) { writeField(r.wmFontName, fromUtf8(v)); return fromUtf8(v).size() <= 31; }},
        {"wmColorText", [](PrivateRecord& r, const std::string& v) { writeField(r.wmColorText, v); return v.size() <= 15; }},
        WREN_SIGNED_FIELD(wmSize), WREN_SIGNED_FIELD(wmAngle), WREN_SIGNED_FIELD(wmOffsetX),
        WREN_SIGNED_FIELD(wmOffsetY), WREN_UNSIGNED(wmPosition), WREN_UNSIGNED(wmBorder),
        WREN_UNSIGNED(wmInBackground), WREN_UNSIGNED(wmFirstPageOnly), WREN_UNSIGNED(wmStyleCode),
        // The Colour page's colour correction: the choice and the two tables
        // as hexadecimal text, a pair of digits per byte.
        WREN_UNSIGNED(ccmSetting),
        {"ccmTableNt", [](PrivateRecord& r, const std::string& v) { auto n = hexTable(r.ccmTableNt, v); if (n) r.ccmTableNtCount = *n; return n.has_value(); }},
        {"ccmTableNv", [](PrivateRecord& r, const std::string& v) { auto n = hexTable(r.ccmTableNv, v); if (n) r.ccmTableNvCount = *n; return n.has_value(); }},
    };
    return setters;
}

#undef WREN_UNSIGNED
#undef WREN_SIGNED
#undef WREN_SIGNED_FIELD
#undef WREN_FIVE

using DevmodeSetter = std::function<bool(PublicDevmode&, const std::string&)>;

#define WREN_DM(name) {#name, [](PublicDevmode& d, const std::string& v) { auto x = d.name; bool ok = setInteger(x, v, -32768, 65535); d.name = x; return ok; }}

const std::map<std::string, DevmodeSetter>& devmodeSetters() {
    static const std::map<std::string, DevmodeSetter> setters = {
        WREN_DM(dmPaperSize), WREN_DM(dmPaperWidth), WREN_DM(dmPaperLength), WREN_DM(dmOrientation),
        WREN_DM(dmColor), WREN_DM(dmDuplex), WREN_DM(dmCopies), WREN_DM(dmCollate), WREN_DM(dmPrintQuality),
        {"dmNup", [](PublicDevmode& d, const std::string& v) { return setUnsigned(d.dmNup, v); }},
    };
    return setters;
}

#undef WREN_DM

const char* const kOutputOptions[] = {"Speed", "Portability", "EPS", "Archive"};

}  // namespace

std::optional<Ticket> parseTicket(std::string_view text, TicketError& error) {
    IniDocument doc = IniDocument::parse(fromUtf8(text));
    // The profile reader passes over these lines; a ticket that says one
    // thing and is read as another is a mistake.
    if (!doc.irregularities().empty()) {
        const IniDocument::Irregularity& first = doc.irregularities().front();
        static const char* const kWhat[] = {"section header without ]", "key given twice", "key outside a section"};
        fail(error, "line " + std::to_string(first.lineNumber) + ": " + kWhat[static_cast<int>(first.kind)] + ": " +
                        toUtf8(first.line));
        return std::nullopt;
    }
    Ticket ticket;
    bool printerSeen = false, inputSeen = false;
    for (const IniDocument::Section& section : doc.sections()) {
        std::string name = toUtf8(section.name);
        for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        for (const IniDocument::Entry& entry : section.entries) {
            const std::string key = toUtf8(entry.key);
            const std::string value = toUtf8(entry.value);
            if (name == "printer" && key == "name") {
                ticket.printer = entry.value;
                printerSeen = !entry.value.empty();
            } else if (name == "features" && key == "PostScriptOutput") {
                bool known = false;
                for (std::uint8_t i = 0; i < 4; ++i)
                    if (value == kOutputOptions[i]) {
                        ticket.postScriptOutput = i;
                        known = true;
                    }
                if (!known) { fail(error, "[features] PostScriptOutput must be Speed, Portability, EPS or Archive"); return std::nullopt; }
            } else if (name == "features") {
                if (value.size() > 63 || key.empty()) { fail(error, "[features] " + key + ": keyword too long or empty"); return std::nullopt; }
                ticket.features[key] = value;
            } else if (name == "devmode") {
                if (!devmodeSetters().count(key)) { fail(error, "[devmode] unknown field " + key); return std::nullopt; }
                ticket.devmode.emplace_back(key, value);
            } else if (name == "private") {
                if (!privateSetters().count(key)) { fail(error, "[private] unknown field " + key); return std::nullopt; }
                ticket.privateFields.emplace_back(key, value);
            } else if (name == "job" && key == "document") {
                ticket.document = entry.value;
            } else if (name == "job" && key == "input") {
                ticket.input = entry.value;
                inputSeen = !entry.value.empty();
            } else if (name == "job" && key == "output") {
                ticket.output = entry.value;
            } else if (name == "job" && key == "application") {
                ticket.application = entry.value;
            } else {
                fail(error, "unknown key [" + name + "] " + key);
                return std::nullopt;
            }
        }
    }
    if (!printerSeen) { fail(error, "[printer] name is missing"); return std::nullopt; }
    if (!inputSeen) { fail(error, "[job] input is missing"); return std::nullopt; }
    // Catch mistyped values now rather than halfway through a job.
    PublicDevmode dm{};
    PrivateRecord record{};
    if (!applyDevmodeFields(ticket, dm, error) || !applyPrivateFields(ticket, record, error)) return std::nullopt;
    return ticket;
}

bool applyDevmodeFields(const Ticket& ticket, PublicDevmode& devmode, TicketError& error) {
    for (const auto& [key, value] : ticket.devmode)
        if (!devmodeSetters().at(key)(devmode, value)) return fail(error, "[devmode] " + key + ": bad value " + value);
    return true;
}

bool applyPrivateFields(const Ticket& ticket, PrivateRecord& record, TicketError& error) {
    for (const auto& [key, value] : ticket.privateFields)
        if (!privateSetters().at(key)(record, value)) return fail(error, "[private] " + key + ": bad value " + value);
    return true;
}

std::vector<std::string> fieldsReplacedByMerge(const Ticket& ticket, const PrivateRecord& merged) {
    std::vector<std::string> replaced;
    for (const auto& [key, value] : ticket.privateFields) {
        // Writing the ticket's value over the merged record changes nothing
        // unless the merge replaced it.
        PrivateRecord again;
        std::memcpy(&again, &merged, sizeof merged);
        privateSetters().at(key)(again, value);
        if (std::memcmp(&again, &merged, sizeof merged) != 0) replaced.push_back(key);
    }
    return replaced;
}

std::vector<std::string> privateFieldNames() {
    std::vector<std::string> names;
    for (const auto& entry : privateSetters()) names.push_back(entry.first);
    return names;
}

std::vector<std::string> devmodeFieldNames() {
    std::vector<std::string> names;
    for (const auto& entry : devmodeSetters()) names.push_back(entry.first);
    return names;
}

}  // namespace wren::host
