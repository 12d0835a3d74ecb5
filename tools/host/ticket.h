// A job ticket: what one run of the host prints, read from an INI file.
//
//   [printer]  name
//   [features] PPD feature selections (ZEJob_Type=Secure ...), and
//              PostScriptOutput = Speed | Portability | EPS | Archive
//   [devmode]  public DEVMODE fields (dmPaperSize, dmPaperWidth, ...)
//   [private]  private record fields by name (jobName, password, ...)
//   [job]      document, input, output (paths relative to the ticket; the
//              output may instead be given on the command line), and
//              application: the printing application's name that the
//              stand-in job-information library reports for this job
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"

namespace wren::host {

struct Ticket {
    std::u16string printer;
    std::map<std::string, std::string> features;  // feature keyword → option keyword
    std::uint8_t postScriptOutput = 0;            // 0 Speed, 1 Portability, 2 EPS, 3 Archive
    std::vector<std::pair<std::string, std::string>> devmode;
    std::vector<std::pair<std::string, std::string>> privateFields;
    std::u16string document;
    std::u16string input;
    std::u16string output;
    std::u16string application;
};

struct TicketError {
    std::string message;
};

// Parses ticket text (UTF-8). Unknown sections or keys, values that do not
// parse or do not fit their field, a key given twice, a key before the first
// section and a section header without "]" are errors: a ticket that says
// something the host would ignore is a mistake.
std::optional<Ticket> parseTicket(std::string_view text, TicketError& error);

// Applies the ticket's [devmode] and [private] fields.
bool applyDevmodeFields(const Ticket& ticket, PublicDevmode& devmode, TicketError& error);
bool applyPrivateFields(const Ticket& ticket, PrivateRecord& record, TicketError& error);

// The [private] fields whose ticket values the rendering plug-in's merge
// replaced (values out of range for the field: the merge resets them as it
// does for every stored record), in ticket order.
std::vector<std::string> fieldsReplacedByMerge(const Ticket& ticket, const PrivateRecord& merged);

// The names a ticket's [private] and [devmode] sections accept.
std::vector<std::string> privateFieldNames();
std::vector<std::string> devmodeFieldNames();

}  // namespace wren::host
