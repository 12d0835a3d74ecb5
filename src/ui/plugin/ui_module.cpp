#include "ui/plugin/ui_module.h"

#include "platform/win32/com_boundary.h"
#include "platform/win32/com_factory.h"
#include "platform/win32/oem_interfaces.h"
#include "ui/plugin/ui_plugin.h"

namespace wren::ui {

namespace {

// Made when the library loads, before any call can come: no function-local
// static or call_once, whose thread-library guard would leave a TLS slot and
// handles behind at every unload.
UiModule gModule;

OsVersion readOsVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) ? OsVersion{info.dwMajorVersion, info.dwMinorVersion} : OsVersion{};
}

// Read once, as the library loads (kernel32 only, safe there).
const OsVersion gOsVersion = readOsVersion();

}  // namespace

UiModule& uiModule() { return gModule; }

const OsVersion& osVersion() { return gOsVersion; }

}  // namespace wren::ui

using wren::ui::uiModule;

// The loader, the spooler, COM and the installer call these: no exception
// may leave them.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) noexcept {
    return wren::win32::win32Guarded<BOOL>(FALSE, [&] {
        if (reason == DLL_PROCESS_ATTACH) uiModule().module = instance;
        return TRUE;
    });
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return wren::win32::comGuarded([&] {
        return wren::win32::getClassObject(rclsid, CLSID_OEMUI, riid, ppv, &wren::ui::createUiPlugin,
                                           uiModule().locks);
    });
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    // A live plug-in object still runs this library's code.
    return wren::win32::comGuarded(
        [] { return (uiModule().liveObjects == 0 && uiModule().locks == 0) ? S_OK : S_FALSE; });
}

// The installer's exports NotifyDrvInstToPrinter and ConfigDeviceOptionExp
// live in ui/win32/options_exports.cpp.
