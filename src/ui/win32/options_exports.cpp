// The installer's two exports and the printer-initialisation event, over the
// Win32 ports. The spooler and the family's installer call them through C:
// no exception may leave, and a failure inside counts as "nothing done".
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win32/com_boundary.h"
#include "platform/win32/localized_resources.h"
#include "platform/win32/wide_text.h"
#include "ui/options/installer_exports.h"
#include "ui/options/option_exports.h"
#include "ui/options/printer_init.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/options_ports.h"
#include "ui/win32/printer_init_event.h"
#include "ui/resources/resource_ids.h"

namespace wren::ui {
namespace {

constexpr int kUserModeDriverString = IDS_USER_MODE_DRIVER;
constexpr std::size_t kUserModeDriverChars = 260;
// What string 30000 says in every language; used when the resource is missing.
constexpr char16_t kUserModeDriverFallback[] = u"PSCRIPT5.DLL";

// The installer's 8-bit name, read within its 221 bytes.
std::u16string nameFromInstaller(const char* name) {
    if (!name) return {};
    const std::size_t bytes = strnlen(name, options::kOptionPrinterNameBytes - 1);
    wchar_t wide[options::kOptionPrinterNameBytes] = {};
    const int chars = MultiByteToWideChar(CP_ACP, 0, name, int(bytes), wide, int(options::kOptionPrinterNameBytes - 1));
    return chars > 0 ? win32::fromWide(wide, std::size_t(chars)) : std::u16string();
}

}  // namespace

int InitialisePrinterForSpooler(const wchar_t* printerName) {
    if (!printerName) return kInitialised;
    std::u16string driver = LoadLocalizedString(uiModule().module, kUserModeDriverString, kUserModeDriverChars);
    if (driver.empty()) driver = kUserModeDriverFallback;
    // This printer's lookup starts from the last one and becomes the last.
    const LookupState before = lastLookup().get();
    LookupState lookup = before;
    const int result = InitialisePrinter(win32::fromWide(printerName), driver, installerPorts(), lookup);
    lastLookup().rememberOutcome(before, std::move(lookup));
    return result;
}

}  // namespace wren::ui

using namespace wren::ui;

extern "C" DWORD WINAPI NotifyDrvInstToPrinter(HANDLE printer, const char* name) noexcept {
    return wren::win32::win32Guarded<DWORD>(kNotifyDone, [&]() -> DWORD {
        return wren::ui::NotifyDrvInstToPrinter(printer, nameFromInstaller(name), installerPorts(), lastLookup().get());
    });
}

extern "C" DWORD WINAPI ConfigDeviceOptionExp(HANDLE printer) noexcept {
    return wren::win32::win32Guarded<DWORD>(0, [&]() -> DWORD {
        const LookupState before = lastLookup().get();
        LookupState lookup = before;
        const DWORD result = wren::ui::ConfigDeviceOptionExp(printer, installerPorts(), lookup);
        lastLookup().rememberOutcome(before, std::move(lookup));
        return result;
    });
}
