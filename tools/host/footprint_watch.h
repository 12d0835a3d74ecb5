// A soak's watch over its own process: the footprint once the first jobs
// have settled it (the plug-ins, the spooler's and the cipher's own state
// loaded and cached), and at the end, with the growth allowed in between.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "process_footprint.h"

namespace wren::host {

class FootprintWatch {
public:
    static constexpr std::size_t kSettledAfterJobs = 200;
    // Bounds between the settled point and the end: a job that kept one
    // handle or one thread-local slot would cross them over the 1800 jobs a
    // 2000-job soak prints after the settled point. Memory has room for the
    // C++ runtime linked into every library: each device loads and frees
    // the plug-ins and the family's libraries, and under Wine each load of
    // such a library keeps about 4 KiB (a library without the runtime keeps
    // nothing), some 25 KiB a job in all. A job that kept its own state (its
    // record, collector and cipher buffers) would still cross it.
    static constexpr long kHandleGrowth = 16;
    static constexpr long kTlsSlotGrowth = 16;
    static constexpr std::uint64_t kMemoryGrowth = std::uint64_t(64) << 20;

    // A soak that does not go past the settled point is only measured at
    // its end.
    FootprintWatch(unsigned rounds, std::size_t jobsPerRound);
    // Measures at the settled point; after it, throws HostError as soon as
    // the thread-local slots grow past their bound: when they run out the
    // process aborts without a word.
    void afterRound(std::size_t jobsDone);
    // Measures again; throws HostError when the process grew past a bound.
    void atEnd(std::size_t jobsDone) const;

private:
    std::size_t settledAfter_;
    bool watching_;
    std::optional<ProcessFootprint> settled_;
};

}  // namespace wren::host
