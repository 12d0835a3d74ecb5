// The printer description (PPD) of an installed printer, read from the data
// file its driver names, as the core driver reads it for trees and jobs.
#pragma once

#include <windows.h>

#include "ppd_reader.h"

namespace wren::host {

// HostError when the driver or its data file cannot be read or parsed.
PpdFile InstalledDescription(HANDLE printer);

}  // namespace wren::host
