// Our PDEV: everything the plug-in keeps for one device. The spooler renders
// the jobs of several queues at once in one process, each on its own device
// and thread, so a job's state lives here and nowhere module-wide.
#pragma once

#include <memory>

#include "platform/win32/oem_interfaces.h"
#include "ps/job/job_state.h"

namespace wren::ps {

inline constexpr ULONG kHookCount = 27;

struct RenderPdev {
    // The core driver's function for every hook-table slot, in hook-table
    // order (null where the core driver does not export it).
    PFN core[kHookCount] = {};
    // The job this device renders; only the threads the core driver calls
    // for this device touch it, one call at a time. A reset device (ResetDC
    // in the middle of a job) hands it on to its new PDEV.
    std::unique_ptr<JobState> job = std::make_unique<JobState>();
};

}  // namespace wren::ps
