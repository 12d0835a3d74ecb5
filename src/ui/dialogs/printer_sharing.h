// Whether a printer is reached by others (shared) or through the network:
// features that show a dialog on the printing user's desktop depend on it.
#pragma once

#include "platform/spooler.h"

namespace wren::ui {

// The shared and network attribute bits of the printer; 0 when it is
// neither or its information cannot be read.
std::uint32_t IsPrinterSharedOrNetwork(const Spooler& spooler, PrinterHandle printer);

}  // namespace wren::ui
