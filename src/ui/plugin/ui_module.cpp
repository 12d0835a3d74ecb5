#include "ui/plugin/ui_module.h"

#include "platform/win32/com_boundary.h"
#include "platform/win32/com_factory.h"
#include "platform/win32/oem_interfaces.h"
#include "ui/plugin/ui_plugin.h"

namespace wren::ui {

UiModule& uiModule() {
    static UiModule module;
    return module;
}

void checkOsVersion() {
    UiModule& m = uiModule();
    if (m.versionChecked) return;
    m.versionChecked = true;
    m.version.dwOSVersionInfoSize = sizeof m.version;
    if (GetVersionExW(&m.version)) {
        m.newerOs = m.version.dwMajorVersion >= 6;
        m.state.os = OsVersion{m.version.dwMajorVersion, m.version.dwMinorVersion};
    }
}

}  // namespace wren::ui

using wren::ui::uiModule;

// The loader, the spooler, COM and the installer call these: no exception
// may leave them.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
    return wren::win32::win32Guarded<BOOL>(FALSE, [&] {
        if (reason == DLL_PROCESS_ATTACH) {
            uiModule().module = instance;
            uiModule().supportLibrary = nullptr;
        } else if (reason == DLL_PROCESS_DETACH) {
            // When the process is ending, other libraries may already be gone.
            if (uiModule().supportLibrary && !reserved) FreeLibrary(uiModule().supportLibrary);
            uiModule().supportLibrary = nullptr;
        }
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
    return wren::win32::comGuarded([] { return uiModule().locks != 0 ? S_FALSE : S_OK; });
}

// The installer's exports NotifyDrvInstToPrinter and ConfigDeviceOptionExp
// live in ui/win32/options_exports.cpp.
