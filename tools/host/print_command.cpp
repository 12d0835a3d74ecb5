#include "print_command.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "dsc_stream.h"
#include "footprint_watch.h"
#include "host_error.h"
#include "host_files.h"
#include "print_job.h"
#include "print_rounds.h"
#include "script_parser.h"
#include "script_runner.h"
#include "soak_check.h"
#include "unseal_command.h"
#include "usage.h"

namespace wren::host {
namespace {


struct PrintOptions {
    std::vector<std::wstring> tickets;
    std::wstring output, outputDir, scriptPath, screenshotDir;
    std::optional<std::string> unsealPassword;
    PrintMode mode = PrintMode::Sequential;
    bool modeGiven = false;
    unsigned repeat = 1;
    SessionOptions session;
};

// A positive decimal number of at most `maxDigits` digits, or nothing.
std::optional<std::size_t> positiveNumber(const std::wstring& text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::size_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + std::size_t(c - L'0');
    }
    return value == 0 ? std::nullopt : std::optional<std::size_t>(value);
}

// How many bytes the core driver hands to WritePrinter at a time.
std::size_t blockSizeOption(const std::wstring& text) {
    std::optional<std::size_t> value = positiveNumber(text, 8);  // 8 digits hold the largest block
    if (!value || *value > BlockOutput::kMaxBlockSize)
        throw HostError("--block-size takes 1 to " + std::to_string(BlockOutput::kMaxBlockSize) + " bytes");
    return *value;
}

unsigned repeatOption(const std::wstring& text) {
    std::optional<std::size_t> value = positiveNumber(text, 7);
    if (!value || *value > 1000000) throw HostError("--repeat takes 1 to 1000000 rounds");
    return static_cast<unsigned>(*value);
}

void setMode(PrintOptions& options, PrintMode mode) {
    if (options.modeGiven && options.mode != mode) throw HostError("give one of --interleave and --concurrent");
    options.mode = mode;
    options.modeGiven = true;
}

// One option at args[i] (and its value); false when args[i] is none.
bool takeOption(const std::vector<std::wstring>& args, std::size_t& i, PrintOptions& o) {
    const std::wstring& a = args[i];
    const bool valued = i + 1 < args.size();
    if (a == L"--no-drvprocs") o.session.useDrvProcs = false;
    else if (a == L"--interleave") setMode(o, PrintMode::Interleave);
    else if (a == L"--concurrent") setMode(o, PrintMode::Concurrent);
    else if (!valued) return false;
    else if (a == L"--script") o.scriptPath = args[++i];
    else if (a == L"--screenshot") o.screenshotDir = args[++i];
    else if (a == L"--output") o.output = args[++i];
    else if (a == L"--output-dir") o.outputDir = args[++i];
    else if (a == L"--plugin") o.session.pluginPath = args[++i];
    else if (a == L"--block-size") o.session.blockSize = blockSizeOption(args[++i]);
    else if (a == L"--repeat") o.repeat = repeatOption(args[++i]);
    else if (a == L"--unseal-password") o.unsealPassword = passwordKey(args[++i]);
    else return false;
    return true;
}

PrintOptions parsePrintOptions(const std::vector<std::wstring>& args) {
    PrintOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!args[i].starts_with(L"--")) o.tickets.push_back(args[i]);
        else if (!takeOption(args, i, o)) throw HostError("unknown option " + narrow(args[i]));
    }
    if (o.tickets.empty()) throw HostError(usageOf("print"));
    if (!o.output.empty() && !o.outputDir.empty()) throw HostError("give --output or --output-dir, not both");
    if (!o.output.empty() && o.tickets.size() > 1)
        throw HostError("--output names one job's file: with several tickets use --output-dir DIR");
    if (!o.scriptPath.empty() && (o.tickets.size() > 1 || o.repeat > 1))
        throw HostError("--script answers the prompt of one ticket printed once");
    if (o.unsealPassword && o.repeat == 1) throw HostError("--unseal-password opens the jobs a --repeat run checks");
    return o;
}

std::wstring baseNameOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

std::wstring outputFor(const PrintOptions& o, const std::wstring& ticket) {
    if (!o.outputDir.empty()) return o.outputDir + L"\\" + baseNameOf(ticket) + L".prn";
    return o.output;
}

// Two jobs writing one file would leave only one of them to check.
void refuseSharedOutputs(const std::vector<JobPlan>& plans) {
    for (std::size_t i = 0; i < plans.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (CompareStringOrdinal(plans[i].output.c_str(), -1, plans[j].output.c_str(), -1, TRUE) == CSTR_EQUAL)
                throw HostError(plans[j].label + " and " + plans[i].label + " would both write " +
                                narrow(plans[i].output) + ": give each ticket its own output");
}

std::unique_ptr<ScriptRunner> startScript(const PrintOptions& o, const ThreadDialog& prompt) {
    if (o.scriptPath.empty()) return nullptr;
    ScriptError scriptError;
    std::optional<std::vector<ScriptAction>> script = parseScript(readFile(o.scriptPath), scriptError);
    if (!script) throw HostError(narrow(o.scriptPath) + ": " + scriptError.message);
    if (!o.screenshotDir.empty()) CreateDirectoryW(o.screenshotDir.c_str(), nullptr);
    auto runner = std::make_unique<ScriptRunner>(std::move(*script), prompt, o.screenshotDir);
    runner->start();
    return runner;
}

// One ticket printed once: messages name no ticket, and a script may answer
// the Job Name prompt, which comes up on this thread inside the plug-in's
// injection.
int printSingle(const PrintOptions& o) {
    const JobPlan plan = loadJobPlan(o.tickets[0], outputFor(o, o.tickets[0]));
    PrintJob job(plan, o.session, true);
    ThreadDialog prompt(GetCurrentThreadId());
    std::unique_ptr<ScriptRunner> runner = startScript(o, prompt);
    job.start();
    const int pages = emitDocument(plan.document, job.sink());
    job.finish();
    if (runner) runner->finish();
    std::printf("%s\n", job.summary(pages).c_str());
    return 0;
}

bool reportErrors(const RoundResult& round) {
    for (const std::string& error : round.errors) std::fprintf(stderr, "wrenhost: %s\n", error.c_str());
    return !round.errors.empty();
}

void reportJobs(const std::vector<JobPlan>& plans, const RoundResult& round) {
    for (const PrintedJob& job : round.printed)
        std::printf("%s: job %lu: %d page(s) -> %s\n", plans[job.index].label.c_str(),
                    static_cast<unsigned long>(job.jobId), job.pages, narrow(plans[job.index].output).c_str());
}

int printSet(const PrintOptions& o) {
    std::vector<JobPlan> plans;
    for (const std::wstring& ticket : o.tickets) plans.push_back(loadJobPlan(ticket, outputFor(o, ticket)));
    refuseSharedOutputs(plans);
    SoakCheck check(plans, o.unsealPassword);
    FootprintWatch watch(o.repeat, plans.size());
    RoundOptions options{o.mode, o.session, true};
    for (unsigned round = 1; round <= o.repeat; ++round) {
        options.reportNotes = round == 1;
        const RoundResult result = printRound(plans, options);
        if (reportErrors(result)) return 1;
        // A soak names the jobs of its first and its last round.
        if (round == 1 || round == o.repeat) reportJobs(plans, result);
        if (o.repeat == 1) return 0;
        check.check(result.printed);
        watch.afterRound(round * plans.size());
    }
    watch.atEnd(o.repeat * plans.size());
    std::printf("%zu jobs in %u rounds, each as the first round printed it\n", o.repeat * plans.size(), o.repeat);
    return 0;
}

}  // namespace

int printTickets(const std::vector<std::wstring>& args) {
    const PrintOptions options = parsePrintOptions(args);
    if (options.tickets.size() == 1 && options.repeat == 1 && options.mode == PrintMode::Sequential)
        return printSingle(options);
    return printSet(options);
}

}  // namespace wren::host
