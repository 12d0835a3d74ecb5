// The host's ticket parser over arbitrary text; an accepted ticket's fields
// must apply cleanly, and no line of it was passed over.
#include "common/config/ini_document.h"
#include "ticket.h"

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
    return 0;
}
