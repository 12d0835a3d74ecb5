#include "ui/dialogs/printer_sharing.h"

namespace wren::ui {

std::uint32_t IsPrinterSharedOrNetwork(const Spooler& spooler, PrinterHandle printer) {
    const std::optional<PrinterDetails> details = spooler.printerDetails(printer);
    if (!details) return 0;
    return details->attributes & (kPrinterAttributeShared | kPrinterAttributeNetwork);
}

}  // namespace wren::ui
