// Runs a sheet script against the real windows from a second thread, as a
// user would: clicks and characters are posted (a sent message into a
// handler that opens a modal dialog would block the runner), then the
// runner waits until the sheet's thread is idle again. Every wait is
// bounded; a failed action ends the process with status 1 and one line on
// stderr naming the script line.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "script_parser.h"
#include "sheet_host.h"

namespace wren::host {

class ScriptRunner {
public:
    ScriptRunner(std::vector<ScriptAction> actions, const SheetHost& sheet, std::wstring screenshotDir);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    void start();
    // After the sheet has closed: waits for the script's end.
    void finish();

private:
    void run();
    [[noreturn]] void fail(const ScriptAction& action, const std::string& what);
    void perform(const ScriptAction& action);

    HWND foreground() const;
    HWND control(const ScriptAction& action);
    void waitIdle(const ScriptAction& action);
    HWND messageBox() const;

    std::vector<ScriptAction> actions_;
    const SheetHost& sheet_;
    std::wstring screenshotDir_;
    HWND window_ = nullptr;
    std::thread thread_;
};

}  // namespace wren::host
