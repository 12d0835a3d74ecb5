#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_install_ports.h"

namespace wren::win32 {
namespace {

constexpr wchar_t kPrinters[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

class RegistryKey final : public DriverDataKey {
public:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() override { RegCloseKey(key_); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    std::optional<std::vector<std::uint8_t>> read(std::u16string_view value, std::size_t maxBytes) const override {
        const std::u16string name(value);
        std::vector<std::uint8_t> bytes(maxBytes, 0);
        DWORD size = DWORD(bytes.size()), type = 0;
        if (RegQueryValueExW(key_, wz(name), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) return std::nullopt;
        bytes.resize(std::min<std::size_t>(size, maxBytes));
        return bytes;
    }
    bool write(std::u16string_view value, const std::vector<std::uint8_t>& bytes) override {
        const std::u16string name(value);
        DWORD type = REG_BINARY, size = 0;
        if (RegQueryValueExW(key_, wz(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) type = REG_BINARY;
        return RegSetValueExW(key_, wz(name), 0, type, bytes.data(), DWORD(bytes.size())) == ERROR_SUCCESS;
    }
    bool writeDword(std::u16string_view value, std::uint32_t number) override {
        const std::u16string name(value);
        return RegSetValueExW(key_, wz(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number) ==
               ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

}  // namespace

std::unique_ptr<DriverDataKey> Win32DriverRegistry::open(std::u16string_view printerName) const {
    // A name that would reach into another key is no printer's.
    if (printerName.empty() || printerName.find(u'\\') != std::u16string_view::npos) return nullptr;
    const std::wstring path = kPrinters + std::wstring(printerName.begin(), printerName.end()) + L"\\PrinterDriverData";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<RegistryKey>(key);
}

}  // namespace wren::win32
