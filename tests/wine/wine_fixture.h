// What every Wine test needs: the installed driver's folder, a plug-in DLL
// loaded from it and created through its COM entry point the way the core
// driver does, the printer "Wren Test", and a few file helpers.
//
// tools/test.sh installs the sample package through the real spooler before
// the tests run; nothing here installs anything.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/settings/private_record.h"
#include "common/settings/record_text.h"
#include "platform/win32/oem_interfaces.h"

namespace wren::wine_test {

inline constexpr wchar_t kPrinterName[] = L"Wren Test";
inline constexpr wchar_t kDriverName[] = L"Wren ZE Colour PS";

// The local printer-driver directory (…\spool\drivers\x64), no trailing "\".
inline std::wstring printerDriverDirectory() {
    wchar_t dir[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        return {};
    return dir;
}

// Where the spooler put the driver's files, with a trailing "\".
inline std::wstring installedFolder() { return printerDriverDirectory() + L"\\3\\"; }

inline std::wstring text(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

template <std::size_t N>
std::wstring text(const char16_t (&field)[N]) {
    return text(readField(field));
}

// One COM reference.
template <typename T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* p) : p_(p) {}
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        reset();
        p_ = std::exchange(other.p_, nullptr);
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { reset(); }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void** out() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    T* p_ = nullptr;
};

// A plug-in DLL loaded from the installed driver folder.
class PluginLibrary {
public:
    explicit PluginLibrary(const wchar_t* file) : module_(LoadLibraryW((installedFolder() + file).c_str())) {}
    ~PluginLibrary() {
        if (module_) FreeLibrary(module_);
    }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HMODULE module() const { return module_; }

    HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** ppv) const {
        using Fn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        return fn ? fn(clsid, iid, ppv) : E_UNEXPECTED;
    }
    HRESULT canUnloadNow() const {
        using Fn = HRESULT(WINAPI*)();
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
        return fn ? fn() : E_UNEXPECTED;
    }

    // As the core driver does it: the factory, the object as IUnknown, then
    // the newest interface it knows.
    template <typename Interface>
    Ref<Interface> create(REFCLSID clsid) const {
        Ref<IClassFactory> factory;
        if (FAILED(getClassObject(clsid, IID_IClassFactory, factory.out()))) return {};
        Ref<IUnknown> unknown;
        if (FAILED(factory->CreateInstance(nullptr, IID_IUnknown, unknown.out()))) return {};
        Ref<Interface> plugin;
        unknown->QueryInterface(__uuidof(Interface), plugin.out());
        return plugin;
    }

private:
    HMODULE module_;
};

struct UiKind {
    using Interface = IPrintOemUI2;
    static constexpr const wchar_t* file = L"wrenui.dll";
    static const GUID& clsid() { return CLSID_OEMUI; }
};

struct RenderKind {
    using Interface = IPrintOemPS2;
    static constexpr const wchar_t* file = L"wrenps.dll";
    static const GUID& clsid() { return CLSID_OEMRENDER; }
};

// One plug-in object created from the installed DLL, and the installed
// printer opened through the spooler.
template <typename Kind>
class PluginTest : public testing::Test {
protected:
    using Interface = typename Kind::Interface;

    void SetUp() override {
        ASSERT_NE(library_.module(), nullptr) << "not installed: " << testing::PrintToString(installedFolder());
        plugin_ = library_.template create<Interface>(Kind::clsid());
        ASSERT_TRUE(plugin_);
        ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kPrinterName), &printer_, nullptr))
            << "printer \"Wren Test\" is not installed";
    }
    void TearDown() override {
        plugin_.reset();
        if (printer_) ClosePrinter(printer_);
        printer_ = nullptr;
    }

    // The DEVMODE request block as the core driver fills it.
    OEMDMPARAM devmodeParam(void* recordIn, void* recordOut, DEVMODEW* publicIn = nullptr,
                            DEVMODEW* publicOut = nullptr) const {
        OEMDMPARAM param{};
        param.cbSize = sizeof param;
        param.hPrinter = printer_;
        param.hModule = library_.module();
        param.pPublicDMIn = publicIn;
        param.pPublicDMOut = publicOut;
        param.pOEMDMIn = recordIn;
        param.pOEMDMOut = recordOut;
        return param;
    }

    PluginLibrary library_{Kind::file};
    Ref<Interface> plugin_;
    HANDLE printer_ = nullptr;
};

using UiPluginTest = PluginTest<UiKind>;
using RenderPluginTest = PluginTest<RenderKind>;

// A record whose every byte is `fill`, so that a test can tell the bytes a
// request wrote from those it left alone.
inline PrivateRecord filledRecord(std::uint8_t fill) {
    PrivateRecord r;
    std::memset(&r, fill, sizeof r);
    return r;
}

// A record of ours with plausible values everywhere the merge checks.
inline PrivateRecord ourRecord() {
    PrivateRecord r = filledRecord(0);
    r.dwSize = kRecordSize;
    r.dwSignature = kRecordSignature;
    r.dwVersion = kRecordVersion;
    r.overlayIds[0] = 255;
    r.cryptTimeLimit = 0x20000;
    r.colorRatioA = r.colorRatioB = 10000;
    for (int i = 0; i < 5; ++i) r.duplexScaleX[i] = r.duplexScaleY[i] = 10000;
    r.whiteAdjust = 100;
    r.outputPaperSize = r.documentPaperSize = 9;
    r.documentPaperWidth = 2100;
    r.documentPaperLength = 2970;
    r.fitScale = 1000;
    return r;
}

// A public DEVMODE for the installed printer on `paper`.
inline DEVMODEW publicDevmode(short paper, short width, short length) {
    DEVMODEW dm{};
    wcsncpy(dm.dmDeviceName, kPrinterName, CCHDEVICENAME - 1);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmPaperSize = paper;
    dm.dmPaperWidth = width;
    dm.dmPaperLength = length;
    return dm;
}

// The driver's dependent files as the spooler reports them (full paths).
inline std::vector<std::wstring> dependentFiles(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> block(needed, 0);
    std::vector<std::wstring> files;
    if (needed == 0 || !GetPrinterDriverW(printer, nullptr, 3, block.data(), needed, &needed)) return files;
    for (const wchar_t* p = reinterpret_cast<DRIVER_INFO_3W*>(block.data())->pDependentFiles; p && *p;
         p += wcslen(p) + 1)
        files.emplace_back(p);
    return files;
}

// The dependent file whose name ends in `suffix` (any case), or "".
inline std::wstring dependentFileEndingIn(HANDLE printer, const wchar_t* suffix) {
    const std::size_t n = wcslen(suffix);
    for (const std::wstring& file : dependentFiles(printer))
        if (file.size() >= n && _wcsicmp(file.c_str() + file.size() - n, suffix) == 0) return file;
    return {};
}

inline bool readFile(const std::wstring& path, std::string& out) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    out.clear();
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0) out.append(chunk, n);
    CloseHandle(file);
    return true;
}

inline std::string readFile(const std::wstring& path) {
    std::string data;
    readFile(path, data);
    return data;
}

inline bool writeFile(const std::wstring& path, const std::string& data) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &n, nullptr) && n == data.size();
    CloseHandle(file);
    return ok;
}

// A fresh path in the temporary folder, deleted afterwards.
class TempFile {
public:
    explicit TempFile(const wchar_t* prefix) {
        wchar_t dir[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, dir);
        GetTempFileNameW(dir, prefix, 0, name);  // creates the file
        path_ = name;
        DeleteFileW(path_.c_str());
    }
    ~TempFile() { DeleteFileW(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// Replaces a file of the installed driver for the life of the object; the
// original comes back afterwards, so later tests see the package as shipped.
class ReplacedFile {
public:
    ReplacedFile(const std::wstring& name, const std::string& content) : path_(installedFolder() + name) {
        existed_ = readFile(path_, original_);
        written_ = writeFile(path_, content);
    }
    ~ReplacedFile() {
        if (existed_) writeFile(path_, original_);
        else DeleteFileW(path_.c_str());
    }
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;
    bool written() const { return written_; }

private:
    std::wstring path_;
    std::string original_;
    bool existed_ = false;
    bool written_ = false;
};

}  // namespace wren::wine_test
