// A meeting point for a fixed number of threads, met again and again, as
// std::barrier: each arrival waits until all have arrived, and a thread
// that gives up leaves this meeting and every later one. MinGW's
// std::barrier rests on std::atomic::wait, which on Windows can miss a
// wake-up (GCC 12): a job thread then waited for ever for a neighbour that
// had failed and left.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace wren::host {

class ThreadMeeting {
public:
    explicit ThreadMeeting(std::size_t threads) : expected_(threads) {}

    void arriveAndWait() {
        std::unique_lock<std::mutex> lock(mutex_);
        const std::size_t meeting = meeting_;
        if (++arrived_ >= expected_) {
            next();
            return;
        }
        changed_.wait(lock, [&] { return meeting_ != meeting; });
    }

    // Counts as arriving at this meeting, and no later one waits for the
    // caller.
    void arriveAndLeave() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (expected_ > 0) --expected_;
        if (arrived_ > 0 && arrived_ >= expected_) next();
    }

private:
    void next() {
        arrived_ = 0;
        ++meeting_;
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t expected_;
    std::size_t arrived_ = 0;
    std::size_t meeting_ = 0;
};

}  // namespace wren::host
