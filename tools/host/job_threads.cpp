// The concurrent round of print_rounds.h: one thread per job, as a spooler
// that serves several queues renders their jobs at the same time.
#include <exception>
#include <memory>
#include <optional>
#include <thread>

#include "dsc_stream.h"
#include "print_rounds.h"
#include "thread_meeting.h"

namespace wren::host {
namespace {

struct ThreadOutcome {
    std::optional<PrintedJob> printed;
    std::string error;
};

// The threads meet twice: before they open their devices and before they
// start their jobs, so that the devices' set-up and the jobs' streams really
// overlap. A thread that fails leaves the meetings still to come.
void printOnThread(const JobPlan& plan, std::size_t index, const RoundOptions& options, ThreadMeeting& meeting,
                   ThreadOutcome& outcome) {
    meeting.arriveAndWait();
    std::unique_ptr<PrintJob> job;
    try {
        job = std::make_unique<PrintJob>(plan, options.session, options.reportNotes);
    } catch (const std::exception& e) {
        outcome.error = e.what();
        meeting.arriveAndLeave();
        return;
    }
    meeting.arriveAndWait();
    try {
        job->start();
        const int pages = emitDocument(plan.document, job->sink());
        job->finish();
        outcome.printed = PrintedJob{index, job->jobId(), pages};
    } catch (const std::exception& e) {
        outcome.error = e.what();
    }
}

}  // namespace

RoundResult printConcurrently(const std::vector<JobPlan>& plans, const RoundOptions& options) {
    std::vector<ThreadOutcome> outcomes(plans.size());
    ThreadMeeting meeting(plans.size());
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < plans.size(); ++i)
            threads.emplace_back([&, i] { printOnThread(plans[i], i, options, meeting, outcomes[i]); });
    }  // the threads are joined here
    RoundResult result;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (outcomes[i].printed) result.printed.push_back(*outcomes[i].printed);
        else result.errors.push_back(plans[i].label + ": " + outcomes[i].error);
    }
    return result;
}

}  // namespace wren::host
