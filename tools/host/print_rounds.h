// One round of a set of tickets printed in one process, each ticket on a
// device of its own: one after the other, interleaved on this thread, or
// concurrently on threads of their own, as a spooler serving several queues
// prints them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "print_job.h"

namespace wren::host {

enum class PrintMode { Sequential, Interleave, Concurrent };

struct RoundOptions {
    PrintMode mode = PrintMode::Sequential;
    SessionOptions session;
    bool reportNotes = true;  // the merge's and the splitter's notes on stderr
};

struct PrintedJob {
    std::size_t index;  // of the job's plan in the set
    DWORD jobId;
    int pages;
};

struct RoundResult {
    std::vector<PrintedJob> printed;  // in the set's order
    std::vector<std::string> errors;  // one line each: "<ticket>: <what failed>"
};

// Sequential and interleaved rounds stop at the first failure (every job
// still open is aborted); a concurrent round lets the other threads finish
// and reports every failure.
RoundResult printRound(const std::vector<JobPlan>& plans, const RoundOptions& options);

// The concurrent round: every job on its own thread; the threads open their
// devices together and start their jobs together.
RoundResult printConcurrently(const std::vector<JobPlan>& plans, const RoundOptions& options);

}  // namespace wren::host
