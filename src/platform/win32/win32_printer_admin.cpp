#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/spooler_block.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_install_ports.h"

namespace wren::win32 {
namespace {

DevModeBytes copyDevMode(const DEVMODEW* dm) {
    if (!dm || dm->dmSize < offsetof(DEVMODEW, dmFields)) return {};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(dm);
    return DevModeBytes(bytes, bytes + dm->dmSize + dm->dmDriverExtra);
}

class Win32OpenedPrinter final : public OpenedPrinter {
public:
    Win32OpenedPrinter(HANDLE handle, bool owned) : handle_(handle), owned_(owned ? handle : nullptr) {}

    PrinterHandle handle() const override { return handle_; }

    std::optional<PrinterNames> names() const override {
        const std::vector<BYTE> block = info(2);
        if (block.empty()) return std::nullopt;
        const auto* p = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
        return PrinterNames{fromWide(p->pPrinterName), fromWide(p->pPortName)};
    }
    std::optional<std::u16string> shortName() const override {
        const std::vector<BYTE> block = info(1);
        if (block.empty()) return std::nullopt;
        return fromWide(reinterpret_cast<const PRINTER_INFO_1W*>(block.data())->pName);
    }
    PrinterDataProbe probeData(std::u16string_view value) const override {
        const std::u16string name(value);
        DWORD type = 0, needed = 0;
        const DWORD error = GetPrinterDataW(handle_, const_cast<wchar_t*>(wz(name)), &type, nullptr, 0, &needed);
        return {error, needed};
    }
    std::optional<std::vector<std::uint8_t>> readData(std::u16string_view value, std::size_t maxBytes) const override {
        const std::u16string name(value);
        std::vector<std::uint8_t> bytes(maxBytes, 0);
        DWORD type = 0, needed = 0;
        if (GetPrinterDataW(handle_, const_cast<wchar_t*>(wz(name)), &type, bytes.data(), DWORD(bytes.size()),
                            &needed) != ERROR_SUCCESS)
            return std::nullopt;
        bytes.resize(std::min<std::size_t>(needed, maxBytes));
        return bytes;
    }
    bool writeString(std::u16string_view value, std::u16string_view text) override {
        const std::u16string t(text);
        return set(value, REG_SZ, t.c_str(), (t.size() + 1) * sizeof(char16_t));
    }
    bool writeDword(std::u16string_view value, std::uint32_t number) override {
        return set(value, REG_DWORD, &number, sizeof number);
    }
    bool writeBinary(std::u16string_view value, const std::vector<std::uint8_t>& bytes) override {
        return set(value, REG_BINARY, bytes.data(), bytes.size());
    }
    std::optional<DevModeBytes> devMode(DevModeSource source) const override {
        DevModeBytes dm;
        switch (source) {
        case DevModeSource::GlobalDefault:
            if (auto block = info(8); !block.empty())
                dm = copyDevMode(reinterpret_cast<const PRINTER_INFO_8W*>(block.data())->pDevMode);
            break;
        case DevModeSource::PrinterDefault:
            if (auto block = info(2); !block.empty())
                dm = copyDevMode(reinterpret_cast<const PRINTER_INFO_2W*>(block.data())->pDevMode);
            break;
        case DevModeSource::PerUser:
            if (auto block = info(9); !block.empty())
                dm = copyDevMode(reinterpret_cast<const PRINTER_INFO_9W*>(block.data())->pDevMode);
            break;
        case DevModeSource::DriverBuilt:
            dm = built();
            break;
        }
        if (dm.empty()) return std::nullopt;
        return dm;
    }
    bool setDevMode(std::uint32_t level, const DevModeBytes& devMode) override {
        if (devMode.size() < sizeof(DEVMODEW) - sizeof(DWORD) * 8) return false;
        DevModeBytes copy = devMode;
        auto* dm = reinterpret_cast<DEVMODEW*>(copy.data());
        if (level == 8) {
            PRINTER_INFO_8W info{dm};
            return SetPrinterW(handle_, 8, reinterpret_cast<BYTE*>(&info), 0) != FALSE;
        }
        if (level == 9) {
            PRINTER_INFO_9W info{dm};
            return SetPrinterW(handle_, 9, reinterpret_cast<BYTE*>(&info), 0) != FALSE;
        }
        return false;
    }

private:
    std::vector<BYTE> info(DWORD level) const {
        return queryBlock([&](BYTE* b, DWORD n, DWORD* needed) { return GetPrinterW(handle_, level, b, n, needed); });
    }
    bool set(std::u16string_view value, DWORD type, const void* data, std::size_t size) {
        const std::u16string name(value);
        return SetPrinterDataW(handle_, const_cast<wchar_t*>(wz(name)), type,
                               static_cast<BYTE*>(const_cast<void*>(data)), DWORD(size)) == ERROR_SUCCESS;
    }
    // The driver's own defaults (DocumentPropertiesW, output only).
    DevModeBytes built() const {
        std::optional<std::u16string> name = shortName();
        if (!name) return {};
        std::u16string device = *name;
        const LONG size = DocumentPropertiesW(nullptr, handle_, const_cast<wchar_t*>(wz(device)), nullptr, nullptr, 0);
        if (size <= 0) return {};
        DevModeBytes bytes(static_cast<std::size_t>(size), 0);
        if (DocumentPropertiesW(nullptr, handle_, const_cast<wchar_t*>(wz(device)),
                                reinterpret_cast<DEVMODEW*>(bytes.data()), nullptr, DM_OUT_BUFFER) != IDOK)
            return {};
        return bytes;
    }

    HANDLE handle_;
    UniquePrinter owned_;
};

}  // namespace

std::unique_ptr<OpenedPrinter> Win32PrinterAdmin::open(std::u16string_view printerName) const {
    std::u16string name(printerName);
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE handle = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(wz(name)), &handle, &defaults) || !handle) return nullptr;
    return std::make_unique<Win32OpenedPrinter>(handle, true);
}

std::unique_ptr<OpenedPrinter> Win32PrinterAdmin::borrow(PrinterHandle handle) const {
    if (!handle) return nullptr;
    return std::make_unique<Win32OpenedPrinter>(static_cast<HANDLE>(handle), false);
}

}  // namespace wren::win32
