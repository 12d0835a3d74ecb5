// Loading the plug-ins from an installed driver, as the core driver does:
// the library from the driver directory, then DllGetClassObject, the class
// factory, the object as IUnknown, and the newest interface it knows.
#pragma once

#include <windows.h>

#include <string>

#include "host_error.h"
#include "platform/win32/oem_interfaces.h"
#include "platform/function_cast.h"

namespace wren::host {

// The installed driver's files: the printer-driver directory and "\3\".
std::wstring driverDirectory();

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

template <typename Interface>
Interface* createPlugin(HMODULE module, REFCLSID clsid, REFIID iid, const char* name) {
    auto getClassObject = wren::functionCast<GetClassObjectFn>(GetProcAddress(module, "DllGetClassObject"));
    if (!getClassObject) throw HostError(std::string(name) + " lacks DllGetClassObject");
    IClassFactory* factory = nullptr;
    if (FAILED(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))) || !factory)
        throw HostError(std::string(name) + ": DllGetClassObject failed");
    IUnknown* unknown = nullptr;
    HRESULT hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    factory->Release();
    if (FAILED(hr) || !unknown) throw HostError(std::string(name) + ": CreateInstance failed");
    Interface* plugin = nullptr;
    hr = unknown->QueryInterface(iid, reinterpret_cast<void**>(&plugin));
    unknown->Release();
    if (FAILED(hr) || !plugin) throw HostError(std::string(name) + " does not implement its plug-in interface");
    return plugin;
}

}  // namespace wren::host
