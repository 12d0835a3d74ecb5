// Writes a ticket back as INI text, so that what a user chose in the
// preferences can be printed later: parseTicket reads the text back to the
// same Ticket.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "ticket.h"

namespace wren::host {

using TicketFields = std::vector<std::pair<std::string, std::string>>;

// Nothing when the ticket holds something an INI file cannot carry (a line
// break in a value, a key with '=' or two feature keywords that differ only
// in case); the error names it.
std::optional<std::string> writeTicket(const Ticket& ticket, TicketError& error);

// Every [private] field of the record, as text the ticket reads back. Text
// fields are cut to what the record can hold with its terminator.
TicketFields privateFieldsOf(const PrivateRecord& record);

// The [devmode] fields named in `names`, in that order, from the DEVMODE.
TicketFields devmodeFieldsOf(const PublicDevmode& devmode, const std::vector<std::string>& names);

}  // namespace wren::host
