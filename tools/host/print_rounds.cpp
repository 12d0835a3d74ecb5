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

RoundResult failed(const std::vector<JobSpec>& specs, const JobFailure& failure) {
    RoundResult result;
    result.errors.push_back(specs[failure.index].label + ": " + failure.message);
    return result;
}

RoundResult printOneAfterAnother(const std::vector<JobSpec>& specs, const RoundOptions& options) {
    RoundResult result;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        try {
            asJob(i, [&] {
                PrintJob job(specs[i], options.session, options.reportNotes);
                job.start();
                const int pages = emitDocument(specs[i].document, job.sink());
                job.finish();
                result.printed.push_back(PrintedJob{i, job.jobId(), pages});
            });
        } catch (const JobFailure& failure) {
            result.errors.push_back(specs[i].label + ": " + failure.message);
            return result;
        }
    }
    return result;
}

// Every device opened, every job started, every stream recorded; then the
// streams are played a step each in turn, from the start of stream of the
// first job and the second on, and the jobs end in order.
RoundResult printInterleaved(const std::vector<JobSpec>& specs, const RoundOptions& options) {
    std::vector<std::unique_ptr<PrintJob>> jobs;
    std::vector<std::unique_ptr<RecordedStream>> streams;
    std::vector<int> pages;
    try {
        for (std::size_t i = 0; i < specs.size(); ++i)
            asJob(i, [&] { jobs.push_back(std::make_unique<PrintJob>(specs[i], options.session, options.reportNotes)); });
        for (std::size_t i = 0; i < specs.size(); ++i) asJob(i, [&] { jobs[i]->start(); });
        for (std::size_t i = 0; i < specs.size(); ++i) {
            streams.push_back(std::make_unique<RecordedStream>(jobs[i]->sink(), options.session.blockSize));
            asJob(i, [&] { pages.push_back(emitDocument(specs[i].document, *streams[i])); });
        }
        for (bool playing = true; playing;) {
            playing = false;
            for (std::size_t i = 0; i < streams.size(); ++i)
                if (!streams[i]->done()) asJob(i, [&] { streams[i]->playStep(); }), playing = true;
        }
        for (std::size_t i = 0; i < specs.size(); ++i) asJob(i, [&] { jobs[i]->finish(); });
    } catch (const JobFailure& failure) {
        return failed(specs, failure);
    }
    RoundResult result;
    for (std::size_t i = 0; i < specs.size(); ++i) result.printed.push_back(PrintedJob{i, jobs[i]->jobId(), pages[i]});
    return result;
}

}  // namespace

RoundResult printRound(const std::vector<JobSpec>& specs, const RoundOptions& options) {
    switch (options.mode) {
    case PrintMode::Interleave: return printInterleaved(specs, options);
    case PrintMode::Concurrent: return printConcurrently(specs, options);
    case PrintMode::Sequential: break;
    }
    return printOneAfterAnother(specs, options);
}

}  // namespace wren::host
