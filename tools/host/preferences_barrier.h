// The meeting point of several sheets' scripts: each script starts acting
// only once every sheet is up, so the sheets really are open together and
// the scripts' actions interleave. A sheet that fails before it is shown, or
// has no script, leaves instead of arriving, so nobody waits for it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace wren::host {

class SheetBarrier {
public:
    explicit SheetBarrier(std::size_t sheets) : state_(sheets, State::Coming) {}

    // Sheet `who` is up; waits until every sheet is up or has left. False
    // when that did not happen within `milliseconds`.
    bool arriveAndWait(std::size_t who, unsigned milliseconds);
    // Sheet `who` will not arrive (no effect once it has arrived).
    void leave(std::size_t who);

private:
    enum class State { Coming, Arrived, Left };
    bool everyoneThere() const;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<State> state_;
};

}  // namespace wren::host
