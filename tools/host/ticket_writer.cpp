#include "ticket_writer.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>

#include "common/config/ini_document.h"
#include "common/settings/record_text.h"

namespace wren::host {
namespace {

const char* const kOutputOptions[] = {"Speed", "Portability", "EPS", "Archive"};

bool fail(TicketError& error, std::string message) {
    error.message = std::move(message);
    return false;
}

bool isUpper(char a) { return a >= 'A' && a <= 'Z'; }

std::string folded(std::string s) {
    for (char& c : s)
        if (isUpper(c)) c = static_cast<char>(c + 32);
    return s;
}

// A key must come back as it went out: no '=', no line break, no blanks at
// its ends, and not read as a comment or a section.
bool goodKey(const std::string& key) {
    if (key.empty() || key.front() == ';' || key.front() == '[' || key.front() == ' ' || key.back() == ' ' ||
        key.front() == '\t' || key.back() == '\t')
        return false;
    for (char c : key)
        if (c == '=' || c == '\n' || c == '\r') return false;
    return true;
}

bool goodValue(const std::string& value) { return value.find_first_of("\r\n") == std::string::npos; }

// Quoted, so blanks at the ends and quotes of its own survive the reader
// (which removes one pair of matching quotes).
bool line(std::string& out, const std::string& key, const std::string& value, const char* section,
          TicketError& error) {
    if (!goodKey(key)) return fail(error, std::string("[") + section + "] key cannot be written: " + key);
    if (!goodValue(value)) return fail(error, std::string("[") + section + "] " + key + ": value holds a line break");
    out += key + "=\"" + value + "\"\n";
    return true;
}

template <typename T>
std::string number(T value) {
    return std::to_string(+value);
}

template <std::size_t N, typename T>
std::string list(const T (&values)[N]) {
    std::string s;
    for (std::size_t i = 0; i < N; ++i) {
        if (i) s += ',';
        s += std::to_string(+values[i]);
    }
    return s;
}

template <std::size_t N>
std::string text(const char16_t (&field)[N]) {
    std::u16string s = readField(field);
    if (s.size() > N - 1) s.resize(N - 1);
    return toUtf8(s);
}

// A count beyond the table (a record from elsewhere) is read as the table.
template <std::size_t N>
std::string hexTable(const std::uint8_t (&table)[N], std::uint16_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < std::min<std::size_t>(count, N); ++i) {
        s.push_back(kDigits[table[i] >> 4]);
        s.push_back(kDigits[table[i] & 15]);
    }
    return s;
}

using Getter = std::function<std::string(const PrivateRecord&)>;

#define WREN_GET(name) {#name, [](const PrivateRecord& r) { return number(r.name); }}
#define WREN_GET_FIVE(name) {#name, [](const PrivateRecord& r) { return list(r.name); }}

// In the order a reader of the ticket expects them: names, then numbers.
const std::vector<std::pair<std::string, Getter>>& privateGetters() {
    static const std::vector<std::pair<std::string, Getter>> getters = {
        {"jobName", [](const PrivateRecord& r) { return text(r.jobName); }},
        {"password", [](const PrivateRecord& r) { return text(r.password); }},
        WREN_GET(askAtPrint), WREN_GET(watermarkIndex), WREN_GET(compressionLevel), WREN_GET(nupCode),
        WREN_GET(orientation), WREN_GET(gammaSettingId), WREN_GET(gammaOn), WREN_GET(outputPaperSize),
        WREN_GET(documentPaperSize), WREN_GET(fitToPaper), WREN_GET(documentPaperWidth),
        WREN_GET(documentPaperLength), WREN_GET(duplexCorrectionOn), WREN_GET(noSpecialColorSpace),
        WREN_GET(whiteAdjust), WREN_GET(whiteAdjustBlack), WREN_GET(cartridgeOff), WREN_GET(uaEnabled),
        WREN_GET(uaValid), WREN_GET(uaKind), WREN_GET(cryptMode), WREN_GET(cryptStrength), WREN_GET(cryptOption),
        WREN_GET_FIVE(duplexScaleX), WREN_GET_FIVE(duplexScaleY), WREN_GET_FIVE(duplexOffsetX),
        WREN_GET_FIVE(duplexOffsetY), WREN_GET_FIVE(duplexAdjust),
        {"overlayIds", [](const PrivateRecord& r) {
             std::uint16_t ids[4];
             for (int i = 0; i < 4; ++i) ids[i] = r.overlayIds[i];
             return list(ids);
         }},
        {"wmText", [](const PrivateRecord& r) { return text(r.wmText); }},
        {"wmFontName", [](const PrivateRecord& r) { return text(r.wmFontName); }},
        {"wmColorText", [](const PrivateRecord& r) { return readField(r.wmColorText); }},
        WREN_GET(wmSize), WREN_GET(wmAngle), WREN_GET(wmOffsetX), WREN_GET(wmOffsetY), WREN_GET(wmPosition),
        WREN_GET(wmBorder), WREN_GET(wmInBackground), WREN_GET(wmFirstPageOnly), WREN_GET(wmStyleCode),
        WREN_GET(ccmSetting),
        {"ccmTableNt", [](const PrivateRecord& r) { return hexTable(r.ccmTableNt, r.ccmTableNtCount); }},
        {"ccmTableNv", [](const PrivateRecord& r) { return hexTable(r.ccmTableNv, r.ccmTableNvCount); }},
    };
    return getters;
}

#undef WREN_GET
#undef WREN_GET_FIVE

using DevmodeGetter = std::function<std::string(const PublicDevmode&)>;
#define WREN_DM(name) {#name, [](const PublicDevmode& d) { return number(d.name); }}

const std::map<std::string, DevmodeGetter>& devmodeGetters() {
    static const std::map<std::string, DevmodeGetter> getters = {
        WREN_DM(dmPaperSize), WREN_DM(dmPaperWidth), WREN_DM(dmPaperLength), WREN_DM(dmOrientation),
        WREN_DM(dmColor), WREN_DM(dmDuplex), WREN_DM(dmCopies), WREN_DM(dmCollate), WREN_DM(dmPrintQuality),
        WREN_DM(dmNup),
    };
    return getters;
}

#undef WREN_DM

}  // namespace

std::optional<std::string> writeTicket(const Ticket& ticket, TicketError& error) {
    std::string out = "; written by wrenhost preferences\n[printer]\n";
    if (!line(out, "name", toUtf8(ticket.printer), "printer", error)) return std::nullopt;

    out += "[features]\n";
    std::map<std::string, std::string> seen;
    for (const auto& [key, value] : ticket.features) {
        auto [it, fresh] = seen.emplace(folded(key), key);
        if (!fresh) {
            fail(error, "[features] " + key + " and " + it->second + " differ only in case");
            return std::nullopt;
        }
        if (folded(key) == "postscriptoutput") {
            fail(error, "[features] PostScriptOutput is written from its own field");
            return std::nullopt;
        }
        if (!line(out, key, value, "features", error)) return std::nullopt;
    }
    if (ticket.postScriptOutput > 3) {
        fail(error, "[features] PostScriptOutput out of range");
        return std::nullopt;
    }
    out += std::string("PostScriptOutput=") + kOutputOptions[ticket.postScriptOutput] + "\n";

    out += "[devmode]\n";
    for (const auto& [key, value] : ticket.devmode)
        if (!line(out, key, value, "devmode", error)) return std::nullopt;
    out += "[private]\n";
    for (const auto& [key, value] : ticket.privateFields)
        if (!line(out, key, value, "private", error)) return std::nullopt;

    out += "[job]\n";
    if (!ticket.document.empty() && !line(out, "document", toUtf8(ticket.document), "job", error)) return std::nullopt;
    if (!line(out, "input", toUtf8(ticket.input), "job", error)) return std::nullopt;
    if (!ticket.output.empty() && !line(out, "output", toUtf8(ticket.output), "job", error)) return std::nullopt;
    if (!ticket.application.empty() && !line(out, "application", toUtf8(ticket.application), "job", error))
        return std::nullopt;
    return out;
}

TicketFields privateFieldsOf(const PrivateRecord& record) {
    TicketFields fields;
    for (const auto& [name, get] : privateGetters()) fields.emplace_back(name, get(record));
    return fields;
}

TicketFields devmodeFieldsOf(const PublicDevmode& devmode, const std::vector<std::string>& names) {
    TicketFields fields;
    for (const std::string& name : names) {
        auto it = devmodeGetters().find(name);
        if (it != devmodeGetters().end()) fields.emplace_back(name, it->second(devmode));
    }
    return fields;
}

}  // namespace wren::host
