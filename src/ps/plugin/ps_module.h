// Module-wide state of the rendering plug-in.
#pragma once

#include <windows.h>

#include <atomic>

#include "ps/job/job_state.h"
#include "ps/job/render_context.h"

namespace wren::ps {

struct PsModule {
    HMODULE module = nullptr;
    std::atomic<long> liveObjects{0};
    std::atomic<long> locks{0};
    // The core driver renders one job at a time in a process.
    JobState job;
};

PsModule& psModule();
// The platform ports as the rendering logic takes them.
const RenderPorts& renderPorts();

}  // namespace wren::ps
