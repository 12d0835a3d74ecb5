// wrenhost: plays the core PostScript driver for a printer installed in the
// spooler, so the plug-ins can be driven end to end.
//
//   wrenhost install <package-dir> [--printer NAME] [--driver NAME] [--share NAME] [--network] [--port NAME]
//   wrenhost installer [--printer NAME] (notify|config)...
//   wrenhost print <ticket.ini> [--output PATH] [--no-drvprocs] [--plugin PATH] [--script FILE [--screenshot DIR]] [--block-size N]
//   wrenhost preview <ticket.ini> <out-prefix> [--emulation PATH] [--resolution DPI] [--plugin PATH]
//   wrenhost record [--printer NAME]
//   wrenhost unseal <job> (--password P | --card-data HEX) <out>
//   wrenhost preferences <ticket.ini> [--save PATH] [--script FILE] [--screenshot DIR] [--printer-properties] [--plugin PATH] [--start-page N]
#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dsc_stream.h"
#include "host_files.h"
#include "host_error.h"
#include "installer.h"
#include "installer_event.h"
#include "../family/stand_in_environment.h"
#include "job_output.h"
#include "platform/win32/handles.h"
#include "plugin_loading.h"
#include "plugin_session.h"
#include "preferences_command.h"
#include "preview_command.h"
#include "record_dump.h"
#include "script_parser.h"
#include "script_runner.h"
#include "unseal_command.h"
#include "common/config/ini_document.h"
#include "ticket.h"

namespace wren::host {
namespace {

bool isAbsolute(const std::wstring& path) {
    return (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) || (path.size() > 1 && path[1] == L':');
}

std::wstring folderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// Ticket paths are relative to the ticket; the spooler writes the output
// from its own working folder, so paths are made absolute.
std::wstring resolve(const std::wstring& folder, const std::u16string& path) {
    std::wstring p(path.begin(), path.end());
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

// Forwards the document's stream into the session and its injection points
// into the plug-in.
class SessionSink final : public StreamSink {
public:
    explicit SessionSink(PluginSession& session) : session_(session) {}
    void bytes(std::string_view data) override { session_.write(data.data(), data.size()); }
    void inject(std::uint32_t point) override { session_.command(point); }
    void note(std::string_view text) override {
        std::fprintf(stderr, "wrenhost: note: %.*s\n", static_cast<int>(text.size()), text.data());
    }

    std::string documentProlog() override { return std::string(kCoreProcedures); }
    std::string documentSetup() override { return session_.pageSizeSetup() + session_.featureSetup(); }
    std::string pageSetup() override { return session_.pageTransform(); }

private:
    PluginSession& session_;
};

int install(const std::vector<std::wstring>& args) {
    if (args.empty()) throw HostError("usage: wrenhost install <package-dir> [--printer NAME] [--driver NAME] [--share NAME] [--network] [--port NAME]");
    InstallOptions options;
    options.packageDir = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--printer" && i + 1 < args.size()) options.printerName = args[++i];
        else if (args[i] == L"--driver" && i + 1 < args.size()) options.driverName = args[++i];
        else if (args[i] == L"--share" && i + 1 < args.size()) options.shareName = args[++i];
        else if (args[i] == L"--network") options.network = true;
        else if (args[i] == L"--port" && i + 1 < args.size()) options.portName = args[++i];
        else throw HostError("unknown option " + narrow(args[i]));
    }
    installPackage(options);
    std::printf("installed printer \"%s\" (driver \"%s\")\n", narrow(options.printerName).c_str(),
                narrow(options.driverName).c_str());
    return 0;
}

// The defaults record the UI plug-in writes for the printer, as the core
// driver asks for it, field by field.
int record(const std::vector<std::wstring>& args) {
    std::wstring printerName = L"Wren Test";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--printer" && i + 1 < args.size()) printerName = args[++i];
        else throw HostError("unknown option " + narrow(args[i]));
    }
    win32::UniquePrinter printer;
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), printer.out(), nullptr))
        throw HostError("printer not installed: " + narrow(printerName));
    const std::wstring path = driverDirectory() + L"wrenui.dll";
    win32::UniqueModule module(LoadLibraryW(path.c_str()));
    if (!module) throw HostError("wrenui.dll does not load from the driver directory");
    IPrintOemUI2* ui = createPlugin<IPrintOemUI2>(module.get(), CLSID_OEMUI, IID_IPrintOemUI2, "wrenui.dll");
    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.hPrinter = printer.get();
    param.hModule = module.get();
    std::vector<BYTE> record;
    if (SUCCEEDED(ui->DevMode(OEMDM_SIZE, &param)) && param.cbBufSize >= sizeof(PrivateRecord)) {
        record.assign(param.cbBufSize, 0);
        param.pOEMDMOut = record.data();
    }
    HRESULT hr = record.empty() ? E_FAIL : ui->DevMode(OEMDM_DEFAULT, &param);
    ui->Release();
    if (FAILED(hr)) throw HostError("wrenui.dll did not write the defaults");
    std::printf("defaults of \"%s\" from wrenui.dll (%lu bytes):\n%s", narrow(printerName).c_str(),
                static_cast<unsigned long>(record.size()),
                describeRecord(*reinterpret_cast<const PrivateRecord*>(record.data())).c_str());
    return 0;
}

// How many bytes the core driver hands to WritePrinter at a time.
std::size_t blockSizeOption(const std::wstring& text) {
    std::size_t value = 0;
    bool digits = !text.empty() && text.size() <= 8;  // 8 digits hold the largest block
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') digits = false;
        else value = value * 10 + std::size_t(c - L'0');
    }
    if (!digits || value == 0 || value > BlockOutput::kMaxBlockSize)
        throw HostError("--block-size takes 1 to " + std::to_string(BlockOutput::kMaxBlockSize) + " bytes");
    return value;
}

int print(const std::vector<std::wstring>& args) {
    if (args.empty())
        throw HostError("usage: wrenhost print <ticket.ini> [--output PATH] [--no-drvprocs] [--plugin PATH] "
                        "[--script FILE [--screenshot DIR]] [--block-size N]");
    SessionOptions options;
    std::u16string outputOverride;
    std::wstring scriptPath, screenshotDir;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--no-drvprocs") options.useDrvProcs = false;
        else if (args[i] == L"--script" && i + 1 < args.size()) scriptPath = args[++i];
        else if (args[i] == L"--screenshot" && i + 1 < args.size()) screenshotDir = args[++i];
        else if (args[i] == L"--output" && i + 1 < args.size()) outputOverride.assign(args[i + 1].begin(), args[i + 1].end()), ++i;
        else if (args[i] == L"--plugin" && i + 1 < args.size()) options.pluginPath = args[++i];
        else if (args[i] == L"--block-size" && i + 1 < args.size()) options.blockSize = blockSizeOption(args[++i]);
        else throw HostError("unknown option " + narrow(args[i]));
    }
    TicketError error;
    std::optional<Ticket> ticket = parseTicket(readFile(args[0]), error);
    if (!ticket) throw HostError(narrow(args[0]) + ": " + error.message);
    const std::wstring folder = folderOf(args[0]);
    const std::wstring input = resolve(folder, ticket->input);
    if (outputOverride.empty() && ticket->output.empty()) throw HostError("[job] output is missing");
    const std::wstring output = outputOverride.empty() ? resolve(folder, ticket->output) : resolve(L".", outputOverride);
    const std::string document = readFile(input);
    const std::wstring name = ticket->document.empty() ? std::wstring(ticket->input.begin(), ticket->input.end())
                                                       : std::wstring(ticket->document.begin(), ticket->document.end());

    prepareJobOutput(output);
    // The stand-in job-information library answers this name when asked
    // which application prints (it is loaded into this process).
    if (!ticket->application.empty())
        SetEnvironmentVariableW(stand_in::kPrintingApplicationVariable,
                                std::wstring(ticket->application.begin(), ticket->application.end()).c_str());
    PluginSession session(*ticket, options);
    // The ticket's record is a stored document's: the merge replaces what
    // is out of range for a field, as it would for any job; say which.
    for (const std::string& field : fieldsReplacedByMerge(*ticket, session.record()))
        std::fprintf(stderr, "wrenhost: note: the merge replaced [private] %s (now %s)\n", field.c_str(),
                     describeField(session.record(), field).c_str());
    // A dialog the job puts up (the Job Name prompt) comes up on this
    // thread, inside the plug-in's injection; a script answers it.
    std::unique_ptr<ScriptRunner> runner;
    ThreadDialog prompt(GetCurrentThreadId());
    if (!scriptPath.empty()) {
        ScriptError scriptError;
        std::optional<std::vector<ScriptAction>> script = parseScript(readFile(scriptPath), scriptError);
        if (!script) throw HostError(narrow(scriptPath) + ": " + scriptError.message);
        if (!screenshotDir.empty()) CreateDirectoryW(screenshotDir.c_str(), nullptr);
        runner = std::make_unique<ScriptRunner>(std::move(*script), prompt, screenshotDir);
        runner->start();
    }
    DWORD job = session.startJob(name, output);
    SessionSink sink(session);
    int pages = emitDocument(document, sink);
    session.endJob();
    if (runner) runner->finish();
    verifyJobOutput(output);
    std::printf("job %lu: %d page(s) of %s -> %s\n", static_cast<unsigned long>(job), pages, narrow(input).c_str(),
                narrow(output).c_str());
    return 0;
}

int preferences(const std::vector<std::wstring>& args) {
    if (args.empty())
        throw HostError("usage: wrenhost preferences <ticket.ini> [--save PATH] [--script FILE] [--screenshot DIR] "
                        "[--printer-properties] [--start-page N]");
    PreferencesOptions options;
    options.ticketPath = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"--save" && i + 1 < args.size()) options.savePath = args[++i];
        else if (args[i] == L"--script" && i + 1 < args.size()) options.scriptPath = args[++i];
        else if (args[i] == L"--screenshot" && i + 1 < args.size()) options.screenshotDir = args[++i];
        else if (args[i] == L"--printer-properties") options.printerProperties = true;
        else if (args[i] == L"--start-page" && i + 1 < args.size()) options.startPage = static_cast<unsigned>(_wtoi(args[++i].c_str()));
        else if (args[i] == L"--plugin" && i + 1 < args.size()) options.pluginPath = args[++i];
        else throw HostError("unknown option " + narrow(args[i]));
    }
    return runPreferences(options);
}

}  // namespace
}  // namespace wren::host

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    try {
        if (args.empty()) throw wren::host::HostError("usage: wrenhost install|print|preview|record|preferences|unseal|installer ...");
        std::wstring command = args.front();
        args.erase(args.begin());
        if (command == L"install") return wren::host::install(args);
        if (command == L"print") return wren::host::print(args);
        if (command == L"preview") return wren::host::runPreview(args, wren::host::print);
        if (command == L"record") return wren::host::record(args);
        if (command == L"preferences") return wren::host::preferences(args);
        if (command == L"unseal") return wren::host::unseal(args);
        if (command == L"installer") return wren::host::runInstallerExports(args);
        throw wren::host::HostError("unknown command " + wren::host::narrow(command));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wrenhost: %s\n", e.what());
        return 1;
    }
}
