// What a soak run (print --repeat N) demands of every round after the first:
// each job as the first round printed it. A plain job must be the same bytes;
// an encrypted one differs on every print (fresh salt and nonce), so it is
// opened with the owner's password, as the printer would, and its plain job
// compared. A job-information header names the spooler's job id, which
// differs on every print: it must name this job's own id, and is compared
// without it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "print_job.h"
#include "print_rounds.h"

namespace wren::host {

class SoakCheck {
public:
    // `password` opens the set's encrypted jobs (none: an encrypted job is
    // an error, since it cannot be checked).
    SoakCheck(const std::vector<JobPlan>& plans, std::optional<std::string> password);
    // The first call keeps the round as the reference; every later one
    // compares. Throws HostError naming the job that differs.
    void check(const std::vector<PrintedJob>& round);

private:
    struct Reference {
        bool taken = false;
        std::string job;  // plain, with the job id masked
    };
    std::string plainJob(const JobPlan& plan, DWORD jobId) const;

    const std::vector<JobPlan>& plans_;
    std::optional<std::string> password_;
    std::vector<Reference> references_;
};

// The job's bytes with "JobId=<id>" in its job-information lines masked.
std::string maskJobId(std::string job, DWORD jobId);

}  // namespace wren::host
