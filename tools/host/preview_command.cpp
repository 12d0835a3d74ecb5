#include "preview_command.h"

#include <windows.h>

#include <cstdio>

#include "host_error.h"
#include "host_files.h"
#include "platform/win32/handles.h"
#include "platform/function_cast.h"
#include "usage.h"

namespace wren::host {
namespace {

constexpr DWORD kRenderTimeoutMs = 120000;
constexpr wchar_t kDefaultEmulation[] = L"examples\\driver\\driverops.ps";

std::wstring fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH + 1];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH + 1, full, nullptr);
    if (n == 0 || n > MAX_PATH) throw HostError("path too long: " + narrow(path));
    return std::wstring(full, n);
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring pagePath(const std::wstring& prefix, int page) { return prefix + L"-" + std::to_wstring(page) + L".png"; }

// Under Wine the renderer is the Linux Ghostscript, which takes Unix paths.
using UnixNameFn = char*(CDECL*)(const wchar_t*);

UnixNameFn wineUnixNames() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? wren::functionCast<UnixNameFn>(GetProcAddress(kernel, "wine_get_unix_file_name")) : nullptr;
}

std::string unixPath(UnixNameFn toUnix, const std::wstring& path) {
    char* name = toUnix(path.c_str());
    if (!name) throw HostError("no Unix path for " + narrow(path));
    std::string s(name);
    HeapFree(GetProcessHeap(), 0, name);
    // The paths go into a shell command between single quotes.
    if (s.find_first_of("'\"") != std::string::npos) throw HostError("path holds a quote: " + s);
    return s;
}

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

DWORD runAndWait(std::wstring commandLine, DWORD timeoutMs) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw HostError("cannot start the renderer: " + narrow(commandLine));
    win32::UniqueHandle process(pi.hProcess), thread(pi.hThread);
    if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) throw HostError("the renderer did not finish");
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

void startDetached(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw HostError("cannot start the renderer: " + narrow(commandLine));
    win32::UniqueHandle process(pi.hProcess), thread(pi.hThread);
}

// Wine starts a Unix program without waiting for it or passing on its
// exit code: the shell writes the status into a file when Ghostscript is
// done (renamed into place, so it is never read half written).
std::string renderUnderWine(UnixNameFn toUnix, const std::wstring& emulation, const std::wstring& job,
                            const std::wstring& prefix, int resolution) {
    const std::wstring statusFile = prefix + L".gs-status", logFile = prefix + L".gs-log";
    DeleteFileW(statusFile.c_str());
    const std::string status = unixPath(toUnix, statusFile), log = unixPath(toUnix, logFile);
    const std::string script = "gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r" + std::to_string(resolution) +
                               " '-sOutputFile=" + unixPath(toUnix, prefix) + "-%d.png' '" +
                               unixPath(toUnix, emulation) + "' '" + unixPath(toUnix, job) + "' >'" + log +
                               "' 2>&1; echo $? >'" + status + ".part'; mv '" + status + ".part' '" + status + "'";
    startDetached(L"/bin/sh -c \"" + widen(script) + L"\"");
    for (DWORD waited = 0; !exists(statusFile); waited += 50) {
        if (waited > kRenderTimeoutMs) throw HostError("Ghostscript did not finish");
        Sleep(50);
    }
    std::string code = readFile(statusFile);
    std::string output = exists(logFile) ? readFile(logFile) : std::string();
    DeleteFileW(statusFile.c_str());
    DeleteFileW(logFile.c_str());
    if (code.rfind("0", 0) != 0) return output.empty() ? "exit status " + code : output;
    return output;
}

// On Windows itself, Ghostscript's console program.
std::string renderNatively(const std::wstring& emulation, const std::wstring& job, const std::wstring& prefix,
                           int resolution) {
    const DWORD code = runAndWait(L"gswin64c -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r" +
                                      std::to_wstring(resolution) + L" \"-sOutputFile=" + prefix + L"-%d.png\" \"" +
                                      emulation + L"\" \"" + job + L"\"",
                                  kRenderTimeoutMs);
    return code == 0 ? std::string() : "exit status " + std::to_string(code);
}

}  // namespace

int runPreview(const std::vector<std::wstring>& args, const PrintCommand& print) {
    if (args.size() < 2)
        throw HostError(usageOf("preview"));
    std::wstring emulation;
    int resolution = 72;
    std::vector<std::wstring> printArgs = {args[0]};
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == L"--emulation" && i + 1 < args.size()) emulation = args[++i];
        else if (args[i] == L"--resolution" && i + 1 < args.size()) resolution = _wtoi(args[++i].c_str());
        else if (args[i] == L"--plugin" && i + 1 < args.size()) printArgs.insert(printArgs.end(), {args[i], args[i + 1]}), ++i;
        else throw HostError("unknown option " + narrow(args[i]));
    }
    if (resolution < 10 || resolution > 600) throw HostError("--resolution must be 10..600");
    if (emulation.empty()) {
        wchar_t fromEnvironment[MAX_PATH + 1];
        DWORD n = GetEnvironmentVariableW(L"WREN_DRIVEROPS", fromEnvironment, MAX_PATH + 1);
        emulation = (n > 0 && n <= MAX_PATH) ? std::wstring(fromEnvironment, n) : kDefaultEmulation;
    }
    emulation = fullPath(emulation);
    if (!exists(emulation)) throw HostError("emulation not found: " + narrow(emulation));
    const std::wstring prefix = fullPath(args[1]);
    const std::wstring job = prefix + L".prn";

    printArgs.insert(printArgs.end(), {L"--output", job});
    if (int status = print(printArgs); status != 0) return status;

    // Pictures of an earlier run would pass for pages of this one.
    for (int page = 1; exists(pagePath(prefix, page)); ++page) DeleteFileW(pagePath(prefix, page).c_str());
    const UnixNameFn toUnix = wineUnixNames();
    const std::string report =
        toUnix ? renderUnderWine(toUnix, emulation, job, prefix, resolution) : renderNatively(emulation, job, prefix, resolution);
    if (!report.empty()) throw HostError("Ghostscript reported on " + narrow(job) + ": " + report);
    int pages = 0;
    while (exists(pagePath(prefix, pages + 1))) ++pages;
    if (pages == 0) throw HostError("Ghostscript rendered no page of " + narrow(job));
    std::printf("preview: %d page(s) -> %s-1.png%s\n", pages, narrow(prefix).c_str(),
                pages > 1 ? (" ... -" + std::to_string(pages) + ".png").c_str() : "");
    return 0;
}

}  // namespace wren::host
