// wrenhost preview: prints a ticket as `print` does and renders each page
// of the job to a PNG picture with Ghostscript, through the emulation of
// the printer's own procedures (examples/driver/driverops.ps), which is
// run before the job and never written into it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wren::host {

using PrintCommand = std::function<int(const std::vector<std::wstring>&)>;

// preview <ticket.ini> <out-prefix> [--emulation PATH] [--resolution DPI] [--plugin PATH]:
// the job goes to <out-prefix>.prn, page n to <out-prefix>-<n>.png.
int runPreview(const std::vector<std::wstring>& args, const PrintCommand& print);

}  // namespace wren::host
