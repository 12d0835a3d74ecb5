#include "footprint_watch.h"

#include <cstdio>
#include <string>

#include "host_error.h"

namespace wren::host {
namespace {

std::string perJob(long long growth, std::size_t jobs) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", jobs ? double(growth) / double(jobs) : 0.0);
    return text;
}

}  // namespace

FootprintWatch::FootprintWatch(unsigned rounds, std::size_t jobsPerRound)
    : settledAfter_(kSettledAfterJobs), watching_(std::size_t(rounds) * jobsPerRound > kSettledAfterJobs) {}

void FootprintWatch::afterRound(std::size_t jobsDone) {
    if (!watching_) return;
    if (!settled_) {
        if (jobsDone < settledAfter_) return;
        settled_ = measureProcess();
        settledAfter_ = jobsDone;
        std::printf("after job %zu: %s\n", jobsDone, describe(*settled_).c_str());
        return;
    }
    const long slots = long(measureProcess().firstFreeTlsSlot) - long(settled_->firstFreeTlsSlot);
    if (slots > kTlsSlotGrowth)
        throw HostError("the process took " + std::to_string(slots) + " more thread-local slots in jobs " +
                        std::to_string(settledAfter_ + 1) + " to " + std::to_string(jobsDone) + " (" +
                        perJob(slots, jobsDone - settledAfter_) +
                        " a job): a module leaves them behind when it unloads, and without free slots the "
                        "process aborts");
}

void FootprintWatch::atEnd(std::size_t jobsDone) const {
    const ProcessFootprint last = measureProcess();
    std::printf("after job %zu: %s\n", jobsDone, describe(last).c_str());
    if (!settled_) return;
    const std::size_t jobs = jobsDone - settledAfter_;
    const std::string after = " in jobs " + std::to_string(settledAfter_ + 1) + " to " + std::to_string(jobsDone);
    const long handles = long(last.handles) - long(settled_->handles);
    if (handles > kHandleGrowth)
        throw HostError("the process gained " + std::to_string(handles) + " handles" + after + " (" +
                        perJob(handles, jobs) + " a job; at most " + std::to_string(kHandleGrowth) + " in all)");
    const long long grown = static_cast<long long>(last.privateBytes) - static_cast<long long>(settled_->privateBytes);
    if (grown > static_cast<long long>(kMemoryGrowth))
        throw HostError("the process's memory grew by " + std::to_string(grown >> 10) + " KiB" + after + " (" +
                        perJob(grown >> 10, jobs) + " KiB a job; at most " + std::to_string(kMemoryGrowth >> 20) +
                        " MiB in all)");
}

}  // namespace wren::host
