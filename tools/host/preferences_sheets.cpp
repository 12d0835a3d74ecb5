#include "preferences_sheets.h"

#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <exception>
#include <optional>
#include <thread>

#include "host_error.h"
#include "host_files.h"
#include "common/config/ini_document.h"
#include "preferences_barrier.h"
#include "ticket.h"

namespace wren::host {
namespace {

// A sheet comes up in well under a second; the others' scripts wait this
// long for it before they give up.
constexpr unsigned kOthersShownMs = 30000;

// "sheet 2 (Wren Info)": its place on the command line and its printer (the
// ticket's path when the ticket names none).
std::string sheetName(std::size_t index, const PreferencesOptions& options) {
    std::string what = narrow(options.ticketPath);
    try {
        TicketError error;
        if (std::optional<Ticket> ticket = parseTicket(readFile(options.ticketPath), error))
            if (!ticket->printer.empty()) what = toUtf8(ticket->printer);
    } catch (const HostError&) {
        // The sheet's own run reports the unreadable ticket.
    }
    return "sheet " + std::to_string(index + 1) + " (" + what + ")";
}

std::wstring comparablePath(const std::wstring& path) {
    wchar_t full[MAX_PATH + 1];
    const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH + 1, full, nullptr);
    std::wstring result = (n > 0 && n <= MAX_PATH) ? std::wstring(full, n) : path;
    for (wchar_t& c : result) c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
    return result;
}

// Each sheet saves exactly its own choices: two sheets writing one file
// would leave only one of them.
void refuseSharedTargets(const std::vector<PreferencesOptions>& sheets, const std::vector<std::string>& names) {
    std::vector<std::wstring> targets;
    for (const PreferencesOptions& sheet : sheets)
        targets.push_back(comparablePath(sheet.savePath.empty() ? sheet.ticketPath : sheet.savePath));
    for (std::size_t i = 0; i < targets.size(); ++i)
        for (std::size_t j = i + 1; j < targets.size(); ++j)
            if (targets[i] == targets[j]) {
                const PreferencesOptions& sheet = sheets[j];
                throw HostError(names[i] + " and " + names[j] + " would both save to " +
                                narrow(sheet.savePath.empty() ? sheet.ticketPath : sheet.savePath));
            }
}

// Side by side across the screen, so that neither hides the other.
POINT placeOf(std::size_t index, std::size_t count) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int column = width > 0 ? width / static_cast<int>(count) : 640;
    return POINT{static_cast<LONG>(index) * column + 8, 8};
}

}  // namespace

int runPreferenceSheets(std::vector<PreferencesOptions> sheets) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < sheets.size(); ++i) names.push_back(sheetName(i, sheets[i]));
    refuseSharedTargets(sheets, names);

    SheetBarrier barrier(sheets.size());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        PreferencesOptions& sheet = sheets[i];
        sheet.sheetName = names[i];
        sheet.position = placeOf(i, sheets.size());
        sheet.company.sheetName = names[i];
        sheet.company.screenshotPrefix = L"sheet" + std::to_wstring(i + 1) + L"-";
        sheet.company.othersShown = [&barrier, i] { return barrier.arriveAndWait(i, kOthersShownMs); };
    }

    std::vector<std::string> failures(sheets.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < sheets.size(); ++i)
        threads.emplace_back([&, i] {
            // A sheet the user drives has no script to hold back the others.
            if (sheets[i].scriptPath.empty()) barrier.leave(i);
            try {
                runPreferences(sheets[i]);
            } catch (const std::exception& e) {
                failures[i] = e.what();
            }
            barrier.leave(i);
        });
    for (std::thread& thread : threads) thread.join();

    int status = 0;
    for (std::size_t i = 0; i < sheets.size(); ++i)
        if (!failures[i].empty()) {
            std::fprintf(stderr, "wrenhost: %s: %s\n", names[i].c_str(), failures[i].c_str());
            status = 1;
        }
    return status;
}

}  // namespace wren::host
