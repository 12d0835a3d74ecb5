#include "ticket_writer.h"

#include <functional>
#include <map>

#include "common/config/ini_document.h"
#include "ticket_private_fields.h"

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
    for (std::string_view name : ticketPrivateFields())
        fields.emplace_back(std::string(name), privateFieldText(record, name));
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
