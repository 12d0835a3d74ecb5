// A system function found on first use and kept for the process, without a
// function-local static: a thread-safe static pulls in the threads library's
// guard, which leaves a TLS slot and two handles behind every time the
// plug-in is unloaded (the spooler loads and unloads it again and again).
// Two threads that race both find the same address (LoadLibrary counts its
// references) and either may store it.
#pragma once

#include <atomic>

namespace wren::win32 {

template <typename Function>
class OnDemand {
public:
    constexpr OnDemand() = default;

    Function get(Function (*find)()) {
        if (!looked_.load(std::memory_order_acquire)) {
            function_.store(find(), std::memory_order_relaxed);
            looked_.store(true, std::memory_order_release);
        }
        return function_.load(std::memory_order_relaxed);
    }

private:
    std::atomic<Function> function_{nullptr};
    std::atomic<bool> looked_{false};
};

}  // namespace wren::win32
