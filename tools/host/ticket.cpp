#include "ticket.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "common/config/ini_document.h"
#include "ticket_private_fields.h"

namespace wren::host {
namespace {

bool fail(TicketError& error, std::string message) {
    error.message = std::move(message);
    return false;
}

template <typename T>
bool setInteger(T& field, const std::string& text, long long low, long long high) {
    long long v = 0;
    if (!parseTicketInteger(text, low, high, v)) return false;
    field = static_cast<T>(v);
    return true;
}

using DevmodeSetter = std::function<bool(PublicDevmode&, const std::string&)>;

#define WREN_DM(name) {#name, [](PublicDevmode& d, const std::string& v) { auto x = d.name; bool ok = setInteger(x, v, -32768, 65535); d.name = x; return ok; }}

const std::map<std::string, DevmodeSetter>& devmodeSetters() {
    static const std::map<std::string, DevmodeSetter> setters = {
        WREN_DM(dmPaperSize), WREN_DM(dmPaperWidth), WREN_DM(dmPaperLength), WREN_DM(dmOrientation),
        WREN_DM(dmColor), WREN_DM(dmDuplex), WREN_DM(dmCopies), WREN_DM(dmCollate), WREN_DM(dmPrintQuality),
        {"dmNup", [](PublicDevmode& d, const std::string& v) { return setInteger(d.dmNup, v, 0, 0xFFFFFFFFll); }},
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
                if (!isTicketPrivateField(key)) { fail(error, "[private] unknown field " + key); return std::nullopt; }
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
        if (!setPrivateField(record, key, value)) return fail(error, "[private] " + key + ": bad value " + value);
    return true;
}

std::vector<std::string> fieldsReplacedByMerge(const Ticket& ticket, const PrivateRecord& merged) {
    std::vector<std::string> replaced;
    for (const auto& [key, value] : ticket.privateFields) {
        // Writing the ticket's value over the merged record changes nothing
        // unless the merge replaced it.
        PrivateRecord again;
        std::memcpy(&again, &merged, sizeof merged);
        setPrivateField(again, key, value);
        if (std::memcmp(&again, &merged, sizeof merged) != 0) replaced.push_back(key);
    }
    return replaced;
}

std::vector<std::string> privateFieldNames() {
    std::vector<std::string> names(ticketPrivateFields().begin(), ticketPrivateFields().end());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> devmodeFieldNames() {
    std::vector<std::string> names;
    for (const auto& entry : devmodeSetters()) names.push_back(entry.first);
    return names;
}

}  // namespace wren::host
