#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/win32/spooler_block.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"

namespace wren::win32 {
namespace {

HANDLE handleOf(PrinterHandle printer) { return static_cast<HANDLE>(printer); }

}  // namespace

std::optional<std::u16string> Win32Spooler::dependentFiles(PrinterHandle printer) const {
    auto block = queryBlock([&](BYTE* b, DWORD n, DWORD* needed) {
        return GetPrinterDriverW(handleOf(printer), nullptr, 3, b, n, needed);
    });
    if (block.empty()) return std::nullopt;
    const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
    std::u16string list;
    const wchar_t* p = info->pDependentFiles;
    if (p) {
        // Copy name by name, up to and including the first NUL of the closing pair.
        while (*p) {
            std::size_t n = wcslen(p);
            list.append(reinterpret_cast<const char16_t*>(p), n);
            list.push_back(u'\0');
            p += n + 1;
        }
    }
    list.push_back(u'\0');
    return list;
}

std::optional<std::u16string> Win32Spooler::driverName(PrinterHandle printer) const {
    auto block = queryBlock([&](BYTE* b, DWORD n, DWORD* needed) {
        return GetPrinterDriverW(handleOf(printer), nullptr, 1, b, n, needed);
    });
    if (block.empty()) return std::nullopt;
    return fromWide(reinterpret_cast<const DRIVER_INFO_1W*>(block.data())->pName);
}

std::optional<std::u16string> Win32Spooler::printerDriverDirectory(std::size_t bufferBytes) const {
    std::vector<BYTE> buffer(bufferBytes + sizeof(wchar_t), 0);
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buffer.data(), static_cast<DWORD>(bufferBytes), &needed))
        return std::nullopt;
    return fromWide(reinterpret_cast<const wchar_t*>(buffer.data()));
}

std::vector<PaperSize> Win32Spooler::papers(std::u16string_view deviceName) const {
    const std::u16string device(deviceName);
    int count = DeviceCapabilitiesW(wz(device), nullptr, DC_PAPERS, nullptr, nullptr);
    if (count <= 0) return {};
    std::vector<WORD> codes(count);
    std::vector<POINT> sizes(count);
    if (DeviceCapabilitiesW(wz(device), nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(codes.data()), nullptr) != count ||
        DeviceCapabilitiesW(wz(device), nullptr, DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()), nullptr) != count)
        return {};
    std::vector<PaperSize> papers(count);
    for (int i = 0; i < count; ++i)
        papers[i] = PaperSize{static_cast<std::int16_t>(codes[i]), sizes[i].x, sizes[i].y};
    return papers;
}

std::vector<NamedPaper> Win32Spooler::namedPapers(std::u16string_view deviceName) const {
    const std::vector<PaperSize> sizes = papers(deviceName);
    if (sizes.empty()) return {};
    const std::u16string device(deviceName);
    constexpr int kNameChars = 64;  // DC_PAPERNAMES entries are 64 wide characters each
    int count = DeviceCapabilitiesW(wz(device), nullptr, DC_PAPERNAMES, nullptr, nullptr);
    if (count != static_cast<int>(sizes.size())) return {};
    std::vector<wchar_t> names(static_cast<std::size_t>(count) * kNameChars + 1, L'\0');
    if (DeviceCapabilitiesW(wz(device), nullptr, DC_PAPERNAMES, names.data(), nullptr) != count) return {};
    std::vector<NamedPaper> out(count);
    for (int i = 0; i < count; ++i) {
        const wchar_t* entry = names.data() + static_cast<std::size_t>(i) * kNameChars;
        std::size_t n = 0;
        while (n < kNameChars - 1 && entry[n]) ++n;  // an entry may fill its field without a terminator
        out[i] = NamedPaper{fromWide(entry, n), sizes[i]};
    }
    return out;
}

bool Win32Spooler::setPrinterDword(PrinterHandle printer, std::u16string_view name, std::uint32_t value) const {
    const std::u16string n(name);
    DWORD data = value;
    return SetPrinterDataW(handleOf(printer), const_cast<wchar_t*>(wz(n)), REG_DWORD, reinterpret_cast<BYTE*>(&data),
                           sizeof data) == ERROR_SUCCESS;
}

std::optional<std::uint32_t> Win32Spooler::printerDword(PrinterHandle printer, std::u16string_view name) const {
    const std::u16string n(name);
    DWORD type = 0, value = 0, needed = 0;
    if (GetPrinterDataW(handleOf(printer), const_cast<wchar_t*>(wz(n)), &type, reinterpret_cast<BYTE*>(&value),
                        sizeof value, &needed) != ERROR_SUCCESS ||
        needed != sizeof value)
        return std::nullopt;
    return value;
}

std::optional<PrinterDetails> Win32Spooler::printerDetails(PrinterHandle printer) const {
    auto block = queryBlock([&](BYTE* b, DWORD n, DWORD* needed) {
        return GetPrinterW(handleOf(printer), 2, b, n, needed);
    });
    if (block.empty()) return std::nullopt;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    return PrinterDetails{fromWide(info->pPrinterName), fromWide(info->pDriverName), info->Attributes};
}

std::optional<std::u16string> Win32Spooler::jobDocument(PrinterHandle printer, std::uint32_t jobId) const {
    auto block = queryBlock([&](BYTE* b, DWORD n, DWORD* needed) {
        return GetJobW(handleOf(printer), jobId, 2, b, n, needed);
    });
    if (block.empty()) return std::nullopt;
    const auto* info = reinterpret_cast<const JOB_INFO_2W*>(block.data());
    if (!info->pDocument) return std::nullopt;
    return fromWide(info->pDocument);
}

bool Win32Spooler::write(PrinterHandle printer, const void* data, std::uint32_t size, std::uint32_t* written) const {
    DWORD count = 0;
    if (!::WritePrinter(handleOf(printer), const_cast<void*>(data), size, &count)) return false;
    if (written) *written = count;
    return true;
}

void Win32Spooler::cancelJob(PrinterHandle printer, std::uint32_t jobId) const {
    SetJobW(handleOf(printer), jobId, 0, nullptr, JOB_CONTROL_CANCEL);
}

}  // namespace wren::win32
