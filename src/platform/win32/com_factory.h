// The class factory both plug-ins hand out from DllGetClassObject. Creating
// an object is left to the plug-in (it may count live objects); the factory
// refuses aggregation and counts server locks. COM calls these methods, so no
// exception may leave them (a plug-in's constructor may throw).
#pragma once

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <new>

#include "platform/win32/com_boundary.h"

namespace wren::win32 {

// Creates a plug-in object with one reference, or null when out of memory.
using CreateObjectFn = IUnknown* (*)();

class ClassFactory final : public IClassFactory {
public:
    ClassFactory(CreateObjectFn create, std::atomic<long>& locks) : create_(create), locks_(locks) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override {
        return comGuarded([&]() -> HRESULT {
            if (!ppv) return E_POINTER;
            if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
                *ppv = static_cast<IClassFactory*>(this);
                AddRef();
                return S_OK;
            }
            *ppv = nullptr;
            return E_NOINTERFACE;
        });
    }
    // Counting and deleting cannot throw: no guard needed.
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        long left = --refs_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) noexcept override {
        return comGuarded([&]() -> HRESULT {
            if (!ppv) return E_POINTER;
            *ppv = nullptr;
            if (outer) return CLASS_E_NOAGGREGATION;
            IUnknown* object = create_();
            if (!object) return E_OUTOFMEMORY;
            HRESULT hr = object->QueryInterface(riid, ppv);
            object->Release();
            return hr;
        });
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
        return comGuarded([&]() -> HRESULT {
            if (lock) ++locks_;
            else --locks_;
            return S_OK;
        });
    }

private:
    std::atomic<long> refs_{1};
    CreateObjectFn create_;
    std::atomic<long>& locks_;
};

// DllGetClassObject for a plug-in whose class is `clsid`.
inline HRESULT getClassObject(REFCLSID rclsid, REFCLSID clsid, REFIID riid, void** ppv, CreateObjectFn create,
                              std::atomic<long>& locks) noexcept {
    return comGuarded([&]() -> HRESULT {
        if (!IsEqualCLSID(rclsid, clsid)) return CLASS_E_CLASSNOTAVAILABLE;
        if (!ppv) return E_POINTER;
        auto* factory = new (std::nothrow) ClassFactory(create, locks);
        if (!factory) return E_OUTOFMEMORY;
        HRESULT hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    });
}

}  // namespace wren::win32
