// What happens around an installation besides the spooler calls: the
// spooler's PrinterEvent(PRINTER_EVENT_INITIALIZE) through the installed
// wrenui.dll, and the family installer's calls of wrenui's two exports.
#pragma once

#include <string>
#include <vector>

namespace wren::host {

// What the core driver writes when it installs a printer: the installable
// options of the PPD with their defaults as printer data "FeatureKeyword"
// (records "keyword NUL option NUL LF", closed by two NULs) and
// "FeatureKeywordSize".
void writeInstallableDefaults(const std::wstring& printerName, const std::wstring& ppdPath);

// Loads wrenui.dll from the installed driver and raises the event for the
// printer, as the spooler does right after adding it. Throws when the
// plug-in reports failure.
void raisePrinterInitialize(const std::wstring& printerName);

// wrenhost installer [--printer NAME] (notify|config)...: the exports in the
// given order, in one process (NotifyDrvInstToPrinter reads the capability
// file of the last lookup in the process, which only ConfigDeviceOptionExp
// or the settings trees make). Prints "<export>: <result>" for each.
int runInstallerExports(const std::vector<std::wstring>& args);

}  // namespace wren::host
