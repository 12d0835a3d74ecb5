// Runs one function per thread, all released at the same moment, so that
// their work overlaps as much as the machine allows.
#pragma once

#include <cstddef>
#include <latch>
#include <thread>
#include <vector>

namespace wren::test {

template <typename Fn>
void runTogether(int threads, Fn fn) {
    std::latch start(threads);
    std::vector<std::thread> running;
    running.reserve(static_cast<std::size_t>(threads));
    for (int i = 0; i < threads; ++i)
        running.emplace_back([&start, &fn, i] {
            start.arrive_and_wait();
            fn(i);
        });
    for (std::thread& t : running) t.join();
}

}  // namespace wren::test
