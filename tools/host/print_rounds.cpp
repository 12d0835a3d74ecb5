#include "print_rounds.h"

#include <exception>
#include <memory>

#include "dsc_stream.h"
#include "host_error.h"
#include "job_interleave.h"

namespace wren::host {
namespace {

// A failure of one job of several, named by its ticket.
struct JobFailure {
    std::size_t index;
    std::string message;
};

template <typename Step>
void asJob(std::size_t index, Step&& step) {
    try {
        step();
    } catch (const std::exception& e) {
        throw JobFailure{index, e.what()};
    }
}

RoundResult failed(const std::vector<JobPlan>& plans, const JobFailure& failure) {
    RoundResult result;
    result.errors.push_back(plans[failure.index].label + ": " + failure.message);
    return result;
}

RoundResult printOneAfterAnother(const std::vector<JobPlan>& plans, const RoundOptions& options) {
    RoundResult result;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        try {
            asJob(i, [&] {
                PrintJob job(plans[i], options.session, options.reportNotes);
                job.start();
                const int pages = emitDocument(plans[i].document, job.sink());
                job.finish();
                result.printed.push_back(PrintedJob{i, job.jobId(), pages});
            });
        } catch (const JobFailure& failure) {
            result.errors.push_back(plans[i].label + ": " + failure.message);
            return result;
        }
    }
    return result;
}

// Every device opened, every job started, every stream recorded; then the
// streams are played a step each in turn, from the start of stream of the
// first job and the second on, and the jobs end in order.
RoundResult printInterleaved(const std::vector<JobPlan>& plans, const RoundOptions& options) {
    std::vector<std::unique_ptr<PrintJob>> jobs;
    std::vector<std::unique_ptr<RecordedStream>> streams;
    std::vector<int> pages;
    try {
        for (std::size_t i = 0; i < plans.size(); ++i)
            asJob(i, [&] { jobs.push_back(std::make_unique<PrintJob>(plans[i], options.session, options.reportNotes)); });
        for (std::size_t i = 0; i < plans.size(); ++i) asJob(i, [&] { jobs[i]->start(); });
        for (std::size_t i = 0; i < plans.size(); ++i) {
            streams.push_back(std::make_unique<RecordedStream>(jobs[i]->sink(), options.session.blockSize));
            asJob(i, [&] { pages.push_back(emitDocument(plans[i].document, *streams[i])); });
        }
        for (bool playing = true; playing;) {
            playing = false;
            for (std::size_t i = 0; i < streams.size(); ++i)
                if (!streams[i]->done()) asJob(i, [&] { streams[i]->playStep(); }), playing = true;
        }
        for (std::size_t i = 0; i < plans.size(); ++i) asJob(i, [&] { jobs[i]->finish(); });
    } catch (const JobFailure& failure) {
        return failed(plans, failure);
    }
    RoundResult result;
    for (std::size_t i = 0; i < plans.size(); ++i) result.printed.push_back(PrintedJob{i, jobs[i]->jobId(), pages[i]});
    return result;
}

}  // namespace

RoundResult printRound(const std::vector<JobPlan>& plans, const RoundOptions& options) {
    switch (options.mode) {
    case PrintMode::Interleave: return printInterleaved(plans, options);
    case PrintMode::Concurrent: return printConcurrently(plans, options);
    case PrintMode::Sequential: break;
    }
    return printOneAfterAnother(plans, options);
}

}  // namespace wren::host
