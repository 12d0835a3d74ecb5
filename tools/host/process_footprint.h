// What this process holds: its memory and its handles, as a soak run watches
// them grow (or not) over thousands of jobs.
#pragma once

#include <cstdint>
#include <string>

namespace wren::host {

struct ProcessFootprint {
    std::uint64_t privateBytes = 0;  // private memory in use (Wine: its page-file count)
    std::uint64_t workingSet = 0;
    unsigned long handles = 0;
    // The first free thread-local storage slot: slots that modules take and
    // never give back push it up, and a process that has none left aborts.
    unsigned long firstFreeTlsSlot = 0;
};

ProcessFootprint measureProcess();
// "memory 12.3 MiB, working set 20.1 MiB, 85 handles, TLS slot 7 free"
std::string describe(const ProcessFootprint& footprint);

}  // namespace wren::host
