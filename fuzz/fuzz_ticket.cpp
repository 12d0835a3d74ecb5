// The host's ticket parser over arbitrary text; an accepted ticket's fields
// must apply cleanly.
#include "ticket.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::TicketError error;
    auto ticket = host::parseTicket(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!ticket) {
        if (error.message.empty()) __builtin_trap();
        return 0;
    }
    PublicDevmode dm{};
    PrivateRecord record{};
    if (!host::applyDevmodeFields(*ticket, dm, error) || !host::applyPrivateFields(*ticket, record, error))
        __builtin_trap();
    return 0;
}
