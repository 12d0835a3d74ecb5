#include "print_job.h"

#include <cstdio>
#include <mutex>
#include <optional>

#include "../family/stand_in_environment.h"
#include "host_error.h"
#include "host_files.h"
#include "job_output.h"
#include "record_dump.h"

namespace wren::host {
namespace {

bool isAbsolute(const std::wstring& path) {
    return (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) || (path.size() > 1 && path[1] == L':');
}

std::wstring folderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::string fileNameOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

// Ticket paths are relative to the ticket; the spooler writes the output
// from its own working folder, so paths are made absolute.
std::wstring resolve(const std::wstring& folder, const std::wstring& path) {
    std::wstring p = path;
    if (!isAbsolute(p)) p = folder + L"\\" + p;
    wchar_t full[MAX_PATH + 1];
    DWORD n = GetFullPathNameW(p.c_str(), MAX_PATH + 1, full, nullptr);
    return (n > 0 && n <= MAX_PATH) ? std::wstring(full, n) : p;
}

// The core driver's own procedures that injected features rely on:
// featurebegin{ ... }featurecleanup runs a feature and ignores its errors.
constexpr std::string_view kCoreProcedures =
    "/featurebegin { countdictstack mark } bind def\n"
    "/featurecleanup { stopped pop cleartomark countdictstack exch sub dup 0 gt { { end } repeat } { pop } ifelse }"
    " bind def\n";

// The application's name as this process was started with it: a ticket
// that names none prints with it, whatever an earlier job set.
const std::optional<std::wstring>& inheritedApplication() {
    static const std::optional<std::wstring> value = []() -> std::optional<std::wstring> {
        DWORD size = GetEnvironmentVariableW(stand_in::kPrintingApplicationVariable, nullptr, 0);
        if (size == 0) return std::nullopt;
        std::wstring text(size, L'\0');
        DWORD length = GetEnvironmentVariableW(stand_in::kPrintingApplicationVariable, text.data(), size);
        text.resize(length < size ? length : 0);
        return text;
    }();
    return value;
}

// The stand-in job-information library, loaded into this process, answers
// the application's name from the environment when the UI plug-in asks at
// the document start. The environment is the process's, so documents that
// start at once on several threads take turns, each with its own ticket's
// name in place.
std::mutex gDocumentStartLock;

void nameApplication(const Ticket& ticket) {
    const std::optional<std::wstring>& inherited = inheritedApplication();
    if (!ticket.application.empty())
        SetEnvironmentVariableW(stand_in::kPrintingApplicationVariable, wide(ticket.application).c_str());
    else
        SetEnvironmentVariableW(stand_in::kPrintingApplicationVariable, inherited ? inherited->c_str() : nullptr);
}

// The job's file is checked (and an earlier one removed) before the device
// opens, as before every print.
const Ticket& withOutputReady(const JobPlan& plan) {
    prepareJobOutput(plan.output);
    return plan.ticket;
}

}  // namespace

JobPlan loadJobPlan(const std::wstring& ticketPath, const std::wstring& outputOverride) {
    JobPlan plan;
    plan.ticketPath = ticketPath;
    plan.label = fileNameOf(ticketPath);
    TicketError error;
    std::optional<Ticket> ticket = parseTicket(readFile(ticketPath), error);
    if (!ticket) throw HostError(narrow(ticketPath) + ": " + error.message);
    plan.ticket = std::move(*ticket);
    const std::wstring folder = folderOf(ticketPath);
    plan.input = resolve(folder, wide(plan.ticket.input));
    if (outputOverride.empty() && plan.ticket.output.empty()) throw HostError("[job] output is missing");
    plan.output = outputOverride.empty() ? resolve(folder, wide(plan.ticket.output)) : resolve(L".", outputOverride);
    plan.document = readFile(plan.input);
    plan.documentName = wide(plan.ticket.document.empty() ? plan.ticket.input : plan.ticket.document);
    return plan;
}

void SessionSink::note(std::string_view text) {
    if (reportNotes_) std::fprintf(stderr, "wrenhost: note: %.*s\n", static_cast<int>(text.size()), text.data());
}

std::string SessionSink::documentProlog() { return std::string(kCoreProcedures); }

PrintJob::PrintJob(const JobPlan& plan, const SessionOptions& options, bool reportNotes)
    : plan_(plan), session_(withOutputReady(plan), options), sink_(session_, reportNotes) {
    if (!reportNotes) return;
    // The ticket's record is a stored document's: the merge replaces what
    // is out of range for a field, as it would for any job; say which.
    for (const std::string& field : fieldsReplacedByMerge(plan.ticket, session_.record()))
        std::fprintf(stderr, "wrenhost: note: the merge replaced [private] %s (now %s)\n", field.c_str(),
                     describeField(session_.record(), field).c_str());
}

void PrintJob::start() {
    std::lock_guard<std::mutex> lock(gDocumentStartLock);
    nameApplication(plan_.ticket);
    job_ = session_.startJob(plan_.documentName, plan_.output);
}

void PrintJob::finish() {
    session_.endJob();
    verifyJobOutput(plan_.output);
}

std::string PrintJob::summary(int pages) const {
    return "job " + std::to_string(job_) + ": " + std::to_string(pages) + " page(s) of " + narrow(plan_.input) +
           " -> " + narrow(plan_.output);
}

}  // namespace wren::host
