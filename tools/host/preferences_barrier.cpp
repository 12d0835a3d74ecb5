#include "preferences_barrier.h"

#include <algorithm>
#include <chrono>

namespace wren::host {

bool SheetBarrier::everyoneThere() const {
    return std::none_of(state_.begin(), state_.end(), [](State s) { return s == State::Coming; });
}

bool SheetBarrier::arriveAndWait(std::size_t who, unsigned milliseconds) {
    std::unique_lock lock(mutex_);
    if (who < state_.size()) state_[who] = State::Arrived;
    changed_.notify_all();
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return everyoneThere(); });
}

void SheetBarrier::leave(std::size_t who) {
    std::lock_guard lock(mutex_);
    if (who < state_.size() && state_[who] == State::Coming) state_[who] = State::Left;
    changed_.notify_all();
}

}  // namespace wren::host
