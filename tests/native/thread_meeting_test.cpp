#include "thread_meeting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using wren::host::ThreadMeeting;

// Three threads meet twice; one leaves before the second meeting, as a job
// thread whose device failed to open. Nobody waits for it, in any order of
// arrival, round after round.
TEST(ThreadMeeting, ALeaverIsNotWaitedForAndTheOthersMeetAgain) {
    for (int round = 0; round < 300; ++round) {
        ThreadMeeting meeting(3);
        std::atomic<int> before{0}, after{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 3; ++t)
            threads.emplace_back([&, t] {
                meeting.arriveAndWait();
                ++before;
                if (t == round % 3) {
                    meeting.arriveAndLeave();
                    return;
                }
                meeting.arriveAndWait();
                // Both stayers got here only after all three passed the first meeting.
                if (before.load() == 3) ++after;
            });
        for (auto& th : threads) th.join();
        ASSERT_EQ(after.load(), 2) << round;
    }
}
