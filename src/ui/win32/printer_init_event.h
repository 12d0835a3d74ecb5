// PrinterEvent(PRINTER_EVENT_INITIALIZE): the spooler has added a printer.
#pragma once

#include <windows.h>

namespace wren::ui {

// 0 done, 1 failed (PrinterEvent then answers E_FAIL).
int InitialisePrinterForSpooler(const wchar_t* printerName);

}  // namespace wren::ui
