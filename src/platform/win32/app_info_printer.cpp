#include "platform/win32/app_info_printer.h"

#include <winspool.h>

#include <cwchar>
#include <vector>

#include "platform/win32/wide_text.h"

namespace wren::win32 {
namespace {

// A spooler structure with its strings: asked for its size, then read.
template <typename Read>
std::vector<BYTE> spoolerBlock(Read read) {
    DWORD needed = 0;
    read(nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<BYTE> block(needed);
    if (!read(block.data(), needed, &needed)) return {};
    return block;
}

}  // namespace

std::optional<appinfo::ChannelPrinter> channelPrinter(HANDLE printer) {
    if (!printer) return std::nullopt;
    auto block = spoolerBlock([&](BYTE* b, DWORD n, DWORD* needed) { return GetPrinterW(printer, 2, b, n, needed); });
    if (block.size() < sizeof(PRINTER_INFO_2W)) return std::nullopt;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    appinfo::ChannelPrinter out;
    out.printerName = fromWide(info->pPrinterName);
    out.shareName = fromWide(info->pShareName);
    out.serverName = fromWide(info->pServerName);
    out.driverName = fromWide(info->pDriverName);
    out.shared = (info->Attributes & PRINTER_ATTRIBUTE_SHARED) != 0;
    return out;
}

bool jobIsRaw(HANDLE printer, DWORD jobId) {
    if (!printer) return false;
    auto block = spoolerBlock(
        [&](BYTE* b, DWORD n, DWORD* needed) { return GetJobW(printer, jobId, 2, b, n, needed); });
    if (block.size() < sizeof(JOB_INFO_2W)) return false;
    const auto* info = reinterpret_cast<const JOB_INFO_2W*>(block.data());
    return info->pDatatype && std::wcscmp(info->pDatatype, L"RAW") == 0;
}

}  // namespace wren::win32
