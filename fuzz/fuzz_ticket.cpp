// The host's ticket parser over arbitrary text; an accepted ticket's fields
// must apply cleanly, no line of it was passed over, and every private
// field reads back as text that sets it to the same bytes.
#include <cstring>

#include "common/config/ini_document.h"
#include "ticket.h"
#include "ticket_private_fields.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::TicketError error;
    auto ticket = host::parseTicket(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!ticket) {
        if (error.message.empty()) __builtin_trap();
        return 0;
    }
    if (!IniDocument::parse(fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size))).irregularities().empty())
        __builtin_trap();
    PublicDevmode dm{};
    PrivateRecord record{};
    if (!host::applyDevmodeFields(*ticket, dm, error) || !host::applyPrivateFields(*ticket, record, error))
        __builtin_trap();
    for (std::string_view name : host::ticketPrivateFields()) {
        PrivateRecord again;
        std::memcpy(&again, &record, sizeof record);
        if (!host::setPrivateField(again, name, host::privateFieldText(record, name))) __builtin_trap();
        if (std::memcmp(&again, &record, sizeof record) != 0) __builtin_trap();
    }
    return 0;
}
