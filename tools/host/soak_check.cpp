#include "soak_check.h"

#include "cng_aead.h"
#include "host_error.h"
#include "host_files.h"
#include "unseal_framing.h"
#include "unseal_job.h"

namespace wren::host {

std::string maskJobId(std::string job, DWORD jobId) {
    const std::string named = "DATA=\"JobId=" + std::to_string(jobId) + "\"";
    const std::string masked = "DATA=\"JobId=#\"";
    for (std::size_t at = job.find(named); at != std::string::npos; at = job.find(named, at + masked.size()))
        job.replace(at, named.size(), masked);
    return job;
}

SoakCheck::SoakCheck(const std::vector<JobPlan>& plans, std::optional<std::string> password)
    : plans_(plans), password_(std::move(password)), references_(plans.size()) {}

// The job as the printer reads it: a sealed job opened with the password,
// which must not stand in it in clear.
std::string SoakCheck::plainJob(const JobPlan& plan, DWORD jobId) const {
    std::string job = readFile(plan.output);
    if (job.find(kWriteStartLine) == std::string::npos) return maskJobId(std::move(job), jobId);
    if (!password_) throw HostError(plan.label + ": the job is encrypted: give --unseal-password to check it");
    if (job.find(*password_) != std::string::npos)
        throw HostError(plan.label + ": job " + std::to_string(jobId) + " holds the password in clear");
    std::string plain;
    UnsealResult opened = unsealJob(job, *password_, &stand_in::cngDeriveJobKey, plain);
    if (!opened.ok) throw HostError(plan.label + ": job " + std::to_string(jobId) + " does not unseal: " + opened.message);
    return maskJobId(std::move(plain), jobId);
}

void SoakCheck::check(const std::vector<PrintedJob>& round) {
    for (const PrintedJob& printed : round) {
        Reference& reference = references_.at(printed.index);
        std::string job = plainJob(plans_[printed.index], printed.jobId);
        if (!reference.taken) {
            reference.job = std::move(job);
            reference.taken = true;
        } else if (job != reference.job) {
            throw HostError(plans_[printed.index].label + ": job " + std::to_string(printed.jobId) +
                            " differs from the first round's");
        }
    }
}

}  // namespace wren::host
