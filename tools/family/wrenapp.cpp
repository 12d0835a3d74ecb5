// Stand-in for the printer family's companion program: started by the UI
// plug-in with the command line
//     0 "<application name>" "<pipe name>"
// it waits for the rendering plug-in to serve the pipe, connects and writes
// the name as one message of UTF-16 text with its terminator. Its INI file
// (wrenapp.ini beside it) can make it misbehave the ways a foreign program
// might, and can log what it was given.
#include <windows.h>

#include <string>
#include <vector>

#include "stand_in_config.h"

namespace {

using wren::stand_in::Config;
using wren::stand_in::LogLine;

constexpr const wchar_t* kSection = L"Companion";

struct Arguments {
    std::wstring name;
    std::wstring pipe;
    bool valid = false;
};

// The two quoted arguments after the program name and the leading 0. The
// pipe name comes last and holds no quote, so it is taken from the end: the
// application name may then hold any character, quotes included.
Arguments parse(const wchar_t* commandLine) {
    Arguments out;
    std::wstring line = commandLine ? commandLine : L"";
    const std::size_t pipeEnd = line.find_last_of(L'"');
    if (pipeEnd == std::wstring::npos || pipeEnd == 0) return out;
    const std::size_t pipeStart = line.find_last_of(L'"', pipeEnd - 1);
    if (pipeStart == std::wstring::npos) return out;
    out.pipe = line.substr(pipeStart + 1, pipeEnd - pipeStart - 1);
    // ...` 0 "<name>" "<pipe>"`: the name ends at the quote before ` "`.
    if (pipeStart < 2 || line[pipeStart - 1] != L' ' || line[pipeStart - 2] != L'"') return out;
    const std::size_t nameEnd = pipeStart - 2;
    // The plug-in gives the line alone, without a program name in front;
    // a line started from a shell has one.
    std::size_t nameStart = 0;
    if (line.rfind(L"0 \"", 0) == 0) {
        nameStart = 3;
    } else if (std::size_t marker = line.find(L" 0 \""); marker != std::wstring::npos) {
        nameStart = marker + 4;
    } else {
        return out;
    }
    if (nameStart > nameEnd) return out;
    out.name = line.substr(nameStart, nameEnd - nameStart);
    out.valid = true;
    return out;
}

// Connects once the pipe exists; the reader serves it only when the job
// stream starts, which may be well after the document started.
HANDLE connect(const std::wstring& pipe, DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HANDLE h = CreateFileW(pipe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        if (GetTickCount() - start >= waitMs) return INVALID_HANDLE_VALUE;
        if (GetLastError() == ERROR_PIPE_BUSY)
            WaitNamedPipeW(pipe.c_str(), 100);
        else
            Sleep(50);
    }
}

// The message as the fault asked for it: the name and its terminator;
// 200 bytes (more than the 122 the reader takes); or the name alone.
std::vector<wchar_t> message(const std::wstring& name, const std::string& fault) {
    std::vector<wchar_t> out(name.begin(), name.end());
    if (fault == "TooLong") {
        while (out.size() < 100) out.push_back(L'X');
        return out;
    }
    if (fault != "NoTerminator") out.push_back(L'\0');
    return out;
}

int run() {
    const Config config;
    const Arguments args = parse(GetCommandLineW());
    const std::string fault = config.text(kSection, L"Fault", "");
    const long long waitMs = config.integer(kSection, L"WaitMs", 60000);
    std::string name8(args.name.size() * 3 + 1, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, args.name.c_str(), int(args.name.size()), name8.data(),
                                int(name8.size()), nullptr, nullptr);
    name8.resize(n > 0 ? std::size_t(n) : 0);
    std::string pipe8(args.pipe.begin(), args.pipe.end());
    LogLine("Companion").number("valid", args.valid).text("name", name8.c_str()).text("pipe", pipe8.c_str())
        .text("fault", fault.c_str()).write(config);
    if (!args.valid || fault == "NoConnect") return 1;
    HANDLE pipe = connect(args.pipe, waitMs < 0 ? 0 : DWORD(waitMs));
    if (pipe == INVALID_HANDLE_VALUE) return 2;
    const std::vector<wchar_t> text = message(args.name, fault);
    DWORD written = 0;
    const BOOL ok = WriteFile(pipe, text.data(), DWORD(text.size() * sizeof(wchar_t)), &written, nullptr);
    FlushFileBuffers(pipe);
    CloseHandle(pipe);
    return ok ? 0 : 3;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return run(); }
