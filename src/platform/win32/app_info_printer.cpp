#include "platform/win32/app_info_printer.h"

#include <winspool.h>

#include <cwchar>

#include "platform/win32/spooler_block.h"
#include "platform/win32/wide_text.h"

namespace wren::win32 {

std::optional<appinfo::ChannelPrinter> channelPrinter(HANDLE printer) {
    if (!printer) return std::nullopt;
    auto block = queryBlock([&](BYTE* b, DWORD n, DWORD* needed) { return GetPrinterW(printer, 2, b, n, needed); });
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
    auto block = queryBlock(
        [&](BYTE* b, DWORD n, DWORD* needed) { return GetJobW(printer, jobId, 2, b, n, needed); });
    if (block.size() < sizeof(JOB_INFO_2W)) return false;
    const auto* info = reinterpret_cast<const JOB_INFO_2W*>(block.data());
    return info->pDatatype && std::wcscmp(info->pDatatype, L"RAW") == 0;
}

}  // namespace wren::win32
