// What both ends of the application-info channel read from the spooler to
// name their objects: the printer (PRINTER_INFO_2) and the job's data type.
#pragma once

#include <windows.h>

#include <optional>

#include "common/appinfo/channel_names.h"

namespace wren::win32 {

// Nothing when PRINTER_INFO_2 cannot be read.
std::optional<appinfo::ChannelPrinter> channelPrinter(HANDLE printer);

// True when JOB_INFO_2 of the job can be read and its data type is "RAW".
bool jobIsRaw(HANDLE printer, DWORD jobId);

}  // namespace wren::win32
