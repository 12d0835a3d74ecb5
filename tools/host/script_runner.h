// Runs a script against the real windows from a second thread, as a user
// would: against a property sheet, or a dialog that a print job puts up. clicks and characters are posted (a sent message into a
// handler that opens a modal dialog would block the runner), then the
// runner waits until the sheet's thread is idle again. Every wait is
// bounded; a failed action ends the process with status 1 and one line on
// stderr naming the script line.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "script_parser.h"

namespace wren::host {

// The window a script drives and the thread that owns it (its modal
// dialogs and message boxes belong to the same thread).
class ScriptedWindow {
public:
    virtual ~ScriptedWindow() = default;
    // The window once it exists; null when it did not appear in time.
    virtual HWND waitForWindow(DWORD milliseconds) const = 0;
    virtual DWORD uiThread() const = 0;
    // "property sheet", "dialog": for the runner's messages.
    virtual const char* kind() const = 0;
    // A sheet's dialogs are other windows; a dialog may be the window itself.
    virtual bool isPropertySheet() const = 0;
};

// A dialog that comes up on a given thread while it does other work (a
// print job asking for its name): the first visible, enabled top-level
// window of that thread.
class ThreadDialog final : public ScriptedWindow {
public:
    explicit ThreadDialog(DWORD thread) : thread_(thread) {}
    HWND waitForWindow(DWORD milliseconds) const override;
    DWORD uiThread() const override { return thread_; }
    const char* kind() const override { return "dialog"; }
    bool isPropertySheet() const override { return false; }

private:
    DWORD thread_;
};

// What a runner does differently when its sheet is one of several up at
// once in the process: it names its sheet, keeps its screenshots apart and
// acts only when the others are up too.
struct ScriptCompany {
    std::string sheetName;          // starts the failure line and each action's log line
    std::wstring screenshotPrefix;  // before each screenshot's name (the sheets may share a folder)
    // Called once the sheet is up and idle, before the first action; false
    // when the other sheets did not come up in time.
    std::function<bool()> othersShown;
};

class ScriptRunner {
public:
    ScriptRunner(std::vector<ScriptAction> actions, const ScriptedWindow& target, std::wstring screenshotDir);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Before start(): the runner's sheet is one of several.
    void keepCompany(ScriptCompany company) { company_ = std::move(company); }
    void start();
    // After the window has closed: waits for the script's end.
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
    const ScriptedWindow& sheet_;
    std::wstring screenshotDir_;
    ScriptCompany company_;
    HWND window_ = nullptr;
    std::thread thread_;
};

}  // namespace wren::host
