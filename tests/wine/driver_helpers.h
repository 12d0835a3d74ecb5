// Stand-ins for what the core driver hands the plug-ins: an object to
// publish, the rendering helper IPrintOemDriverPS, the legacy DRVPROCS table,
// and a device (DEVOBJ with both DEVMODE parts). They record what the
// plug-ins ask of them. All are owned by the test, so Release never deletes;
// the reference count tells whether a plug-in gave back what it took.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "wine_fixture.h"
#include "platform/function_cast.h"

namespace wren::wine_test {

// Counts AddRef/Release and the interfaces asked for; answers IUnknown and
// `offered` with itself.
template <typename Interface>
class CountedObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        queries.push_back(riid);
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, offered)) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

    int timesAskedFor(REFIID riid) const {
        int n = 0;
        for (const IID& q : queries) n += IsEqualIID(q, riid) ? 1 : 0;
        return n;
    }

    long refs = 1;  // the test's own
    std::vector<IID> queries;
    IID offered = __uuidof(Interface);
};

// An object that is nothing but an IUnknown.
using PlainUnknown = CountedObject<IUnknown>;

// Answers feature selections from a map and the PostScript output option
// (predefined setting 2) from `outputOption`; keeps every byte written and
// every setting asked for through the interface.
class TestDriverPs final : public CountedObject<IPrintOemDriverPS> {
public:
    static constexpr std::uint8_t kEpsOutput = 2;

    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                                  PDWORD returned) override {
        helperQueries.push_back(nameOf(feature));
        return answer(feature, output, size, needed, returned) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(PDEVOBJ, PVOID buffer, DWORD size, DWORD* written) override {
        stream.append(static_cast<const char*>(buffer), size);
        if (written) *written = size;
        return S_OK;
    }

    // What a query asked for: the keyword, or "#n" for predefined setting n.
    static std::string nameOf(PCSTR feature) {
        auto index = reinterpret_cast<ULONG_PTR>(feature);
        if (index >= 0x10000) return feature;
        std::string name = "#";
        name += std::to_string(index);
        return name;
    }

    BOOL answer(PCSTR feature, PVOID output, DWORD size, PDWORD needed, PDWORD returned) const {
        std::string option;
        if (reinterpret_cast<ULONG_PTR>(feature) < 0x10000) {
            if (reinterpret_cast<ULONG_PTR>(feature) != OEMGDS_PSDM_DIALECT) return FALSE;
            option.assign(1, static_cast<char>(outputOption));
            option.append(3, '\0');
        } else {
            auto it = features.find(feature);
            if (it == features.end()) return FALSE;
            option = it->second + std::string(2, '\0');  // a keyword list: NUL, then a closing NUL
        }
        if (needed) *needed = static_cast<DWORD>(option.size());
        if (!output || size < option.size()) return FALSE;
        std::memcpy(output, option.data(), option.size());
        if (returned) *returned = 1;
        return TRUE;
    }

    std::map<std::string, std::string> features;
    std::uint8_t outputOption = 0;  // 0: ordinary PostScript
    std::vector<std::string> helperQueries;
    std::string stream;
};

// The legacy DRVPROCS table, giving the same answers as a TestDriverPs but
// keeping its own list of queries. One at a time: its functions are plain
// function pointers.
class TestDrvProcs {
public:
    explicit TestDrvProcs(TestDriverPs& answers) : answers_(answers) {
        self() = this;
        table_.DrvGetDriverSetting = &getSetting;
        table_.DrvWriteSpoolBuf = &writeSpoolBuf;
    }
    ~TestDrvProcs() { self() = nullptr; }
    TestDrvProcs(const TestDrvProcs&) = delete;
    TestDrvProcs& operator=(const TestDrvProcs&) = delete;

    DRVPROCS* table() { return &table_; }
    std::vector<std::string> queries;
    std::string stream;  // what reached the table's DrvWriteSpoolBuf

private:
    static TestDrvProcs*& self() {
        static TestDrvProcs* procs = nullptr;
        return procs;
    }
    static BOOL APIENTRY getSetting(PVOID, PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                    PDWORD returned) {
        TestDrvProcs* procs = self();
        if (!procs) return FALSE;
        procs->queries.push_back(TestDriverPs::nameOf(feature));
        return procs->answers_.answer(feature, output, size, needed, returned);
    }
    static DWORD APIENTRY writeSpoolBuf(PDEVOBJ, PVOID buffer, DWORD size) {
        if (TestDrvProcs* procs = self()) procs->stream.append(static_cast<const char*>(buffer), size);
        return size;
    }

    TestDriverPs& answers_;
    DRVPROCS table_{};
};

// The plug-in's hook for DDI function `index` from what EnableDriver filled.
template <typename Fn>
Fn hookFor(const DRVENABLEDATA& ded, ULONG index) {
    for (ULONG i = 0; i < ded.c; ++i)
        if (ded.pdrvfn[i].iFunc == index) return wren::functionCast<Fn>(ded.pdrvfn[i].pfn);
    return nullptr;
}

// One device as the core driver sets it up for the rendering plug-in: the
// DEVOBJ with the public DEVMODE and our record behind it.
struct TestDevice {
    TestDevice() {
        publicDm = publicDevmode(DMPAPER_A4, 2100, 2970);
        devobj.dwSize = sizeof devobj;
        devobj.pPublicDM = &publicDm;
        devobj.pOEMDM = &record;
    }
    // A surface whose dhpdev is this device, as hooked DDI calls get it.
    SURFOBJ surface() {
        SURFOBJ so{};
        so.dhpdev = reinterpret_cast<DHPDEV>(&devobj);
        return so;
    }

    DEVMODEW publicDm{};
    PrivateRecord record = ourRecord();
    DEVOBJ devobj{};
};

// The core driver's EnablePDEV of `device` on the test printer, with its own
// functions `core`; the PDEV goes into the device, where the core driver
// keeps it for every later call.
inline HRESULT enablePdev(IPrintOemPS2& plugin, TestDevice& device, DRVENABLEDATA core) {
    GDIINFO gdi{};
    DEVINFO devinfo{};
    PDEVOEM pdev = nullptr;
    const HRESULT result = plugin.EnablePDEV(&device.devobj, const_cast<wchar_t*>(kPrinterName), 0, nullptr,
                                             sizeof gdi, &gdi, sizeof devinfo, &devinfo, &core, &pdev);
    device.devobj.pdevOEM = pdev;
    return result;
}

}  // namespace wren::wine_test
