#include "ps/plugin/ps_module.h"

#include "platform/win32/com_boundary.h"
#include "platform/win32/com_factory.h"
#include "platform/win32/oem_interfaces.h"
#include "platform/win32/win32_ports.h"
#include "ps/plugin/app_info_reader.h"
#include "ps/plugin/job_name_prompt.h"
#include "ps/plugin/render_plugin.h"

namespace wren::ps {

namespace {

// Made when the library loads, before any call can come: no function-local
// static, whose thread-safe guard would leave a TLS slot and handles behind
// at every unload.
PsModule gModule;
Win32JobNamePrompt gJobNamePrompt;
AppInfoReader gApplicationNames(win32::processPorts.codePage);
const RenderPorts gRenderPorts{win32::processPorts.spooler, win32::processPorts.profile, win32::processPorts.loader,
                               win32::processPorts.codePage,  &gJobNamePrompt,             &gApplicationNames,
                               &win32::processPorts.files};

}  // namespace

PsModule& psModule() { return gModule; }

const RenderPorts& renderPorts() { return gRenderPorts; }

}  // namespace wren::ps

using wren::ps::psModule;

// The loader, the spooler and COM call these: no exception may leave them. A
// module that cannot set itself up refuses to load.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) noexcept {
    return wren::win32::win32Guarded<BOOL>(FALSE, [&] {
        if (reason == DLL_PROCESS_ATTACH) psModule().module = instance;
        return TRUE;
    });
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return wren::win32::comGuarded([&] {
        return wren::win32::getClassObject(rclsid, CLSID_OEMRENDER, riid, ppv, &wren::ps::createRenderPlugin,
                                           psModule().locks);
    });
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return wren::win32::comGuarded([] {
        return (psModule().liveObjects == 0 && psModule().locks == 0) ? S_OK : S_FALSE;
    });
}
