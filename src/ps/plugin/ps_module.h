// Module-wide state of the rendering plug-in. The spooler renders several
// devices' jobs at once in one process, so nothing here changes per printer
// or job: each job lives in its device's PDEV.
#pragma once

#include <windows.h>

#include <atomic>

#include "ps/job/render_context.h"

namespace wren::ps {

struct PsModule {
    HMODULE module = nullptr;  // set once, at load
    std::atomic<long> liveObjects{0};
    std::atomic<long> locks{0};
};

PsModule& psModule();
// The platform ports as the rendering logic takes them.
const RenderPorts& renderPorts();

}  // namespace wren::ps
