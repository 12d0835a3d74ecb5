#include "script_runner.h"
#include "host_files.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

#include "common/config/ini_document.h"
#include "preferences_output.h"
#include "screenshot.h"

namespace wren::host {
namespace {

constexpr DWORD kWaitMs = 5000;
constexpr DWORD kPollMs = 20;

std::string quoted(const std::wstring& s) { return scriptQuoted(std::u16string(s.begin(), s.end())); }

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Text of a window of the sheet's thread, without blocking on a busy one.
std::wstring textOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kWaitMs, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, kWaitMs,
                        &copied);
    text.resize(copied);
    return text;
}

LRESULT sendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kWaitMs, &result);
    return static_cast<LRESULT>(result);
}

std::vector<HWND> threadWindows(DWORD thread) {
    std::vector<HWND> windows;
    EnumThreadWindows(thread, [](HWND w, LPARAM p) {
        if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A message box: a dialog of statics and push buttons only, with a text.
bool isMessageBox(HWND window, std::wstring* text) {
    if (className(window) != L"#32770") return false;
    bool onlyStaticsAndButtons = true;
    std::wstring found;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = className(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (cls == L"Button") {
            const LONG kind = style & BS_TYPEMASK;
            if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) onlyStaticsAndButtons = false;
        } else if (cls == L"Static") {
            if ((style & SS_TYPEMASK) != SS_ICON && found.empty()) found = textOf(child);
        } else {
            onlyStaticsAndButtons = false;
        }
    }
    if (!onlyStaticsAndButtons || found.empty()) return false;
    if (text) *text = found;
    return true;
}

template <typename Predicate>
bool poll(Predicate ready, DWORD milliseconds = kWaitMs) {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (ready()) return true;
        if (waited >= milliseconds) return false;
        Sleep(kPollMs);
    }
}

}  // namespace

ScriptRunner::ScriptRunner(std::vector<ScriptAction> actions, const ScriptedWindow& sheet, std::wstring screenshotDir)
    : actions_(std::move(actions)), sheet_(sheet), screenshotDir_(std::move(screenshotDir)) {}

ScriptRunner::~ScriptRunner() {
    if (thread_.joinable()) thread_.join();
}

void ScriptRunner::start() { thread_ = std::thread([this] { run(); }); }

void ScriptRunner::finish() {
    if (thread_.joinable()) thread_.join();
}

void ScriptRunner::fail(const ScriptAction& action, const std::string& what) {
    std::fflush(stdout);
    const std::string sheet = company_.sheetName.empty() ? "" : company_.sheetName + ": ";
    std::fprintf(stderr, "wrenhost: %s%s\n", sheet.c_str(), scriptFailure(action, what).c_str());
    std::fflush(stderr);
    // The sheet's thread may sit in a modal loop the script was meant to
    // end; the run is over either way.
    TerminateProcess(GetCurrentProcess(), 1);
    for (;;) Sleep(1000);
}

void ScriptRunner::run() {
    const std::string kind = sheet_.kind();
    const ScriptAction start{0, ScriptVerb::Wait, 0, {}, false, {}, "(waiting for the " + kind + ")"};
    window_ = sheet_.waitForWindow(10000);
    if (!window_) fail(start, "the " + kind + " did not appear within 10 s");
    waitIdle(start);
    if (company_.othersShown && !company_.othersShown()) fail(start, "the other sheets did not appear in time");
    const std::string log = sheetOutputPrefix(company_.sheetName);
    for (const ScriptAction& action : actions_) {
        if (!IsWindow(window_)) fail(action, "the " + kind + " has closed");
        // Several sheets: which sheet acts when, for seeing them interleave.
        if (!log.empty()) printSheetLine(log, "script line %zu: %s", action.line, action.source.c_str());
        perform(action);
        if (IsWindow(window_)) waitIdle(action);
    }
    const ScriptAction end{actions_.empty() ? 0 : actions_.back().line, ScriptVerb::Wait, 0, {}, false, {},
                           "(end of script)"};
    if (!poll([&] { return !IsWindow(window_); })) fail(end, "the script ended with the " + kind + " still open");
}

HWND ThreadDialog::waitForWindow(DWORD milliseconds) const {
    HWND found = nullptr;
    const ULONGLONG until = GetTickCount64() + milliseconds;
    do {
        for (HWND w : threadWindows(thread_))
            if (IsWindowVisible(w) && IsWindowEnabled(w)) found = w;
        if (found) return found;
        Sleep(kPollMs);
    } while (GetTickCount64() < until);
    return nullptr;
}

void ScriptRunner::waitIdle(const ScriptAction& action) {
    DWORD_PTR ignored = 0;
    HWND target = foreground();
    if (IsWindow(target) && !SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored) &&
        IsWindow(target))
        fail(action, "the sheet did not answer within 5 s");
    Sleep(kPollMs);
}

HWND ScriptRunner::foreground() const {
    // A modal dialog disables what it belongs to: the enabled window of the
    // sheet's thread other than the sheet is the one in front.
    for (HWND w : threadWindows(sheet_.uiThread()))
        if (w != window_ && IsWindowEnabled(w)) return w;
    return window_;
}

HWND ScriptRunner::messageBox() const {
    for (HWND w : threadWindows(sheet_.uiThread()))
        if (w != window_ && IsWindowEnabled(w) && isMessageBox(w, nullptr)) return w;
    return nullptr;
}

HWND ScriptRunner::control(const ScriptAction& action) {
    HWND front = foreground();
    const bool inSheet = front == window_ && sheet_.isPropertySheet();
    HWND page = inSheet ? reinterpret_cast<HWND>(sendBounded(window_, PSM_GETCURRENTPAGEHWND, 0, 0)) : front;
    HWND found = page ? GetDlgItem(page, action.control) : nullptr;
    if (!found && front == window_) found = GetDlgItem(window_, action.control);
    if (!found) fail(action, "no control " + std::to_string(action.control) + " in the window in front");
    return found;
}

void ScriptRunner::perform(const ScriptAction& a) {
    switch (a.verb) {
    case ScriptVerb::Click: {
        HWND c = control(a);
        if (!IsWindowEnabled(c)) fail(a, "the control is disabled");
        PostMessageW(c, BM_CLICK, 0, 0);
        break;
    }
    case ScriptVerb::Check: {
        HWND c = control(a);
        if (!IsWindowEnabled(c)) fail(a, "the control is disabled");
        if ((sendBounded(c, BM_GETCHECK, 0, 0) == BST_CHECKED) != a.on) PostMessageW(c, BM_CLICK, 0, 0);
        break;
    }
    case ScriptVerb::Type: {
        HWND c = control(a);
        // Sent, not posted: the idle check that follows every action is a
        // sent message too, and a thread takes sent messages in order and
        // before posted ones, so it cannot overtake the characters. The
        // notify form does not wait, so a message box a character raises
        // does not stall the script.
        for (char16_t ch : a.text) SendNotifyMessageW(c, WM_CHAR, static_cast<WPARAM>(ch), 1);
        break;
    }
    case ScriptVerb::SetText: {
        HWND c = control(a);
        const std::wstring text = wide(a.text);
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, kWaitMs,
                                 &ignored))
            fail(a, "the control did not take the text within 5 s");
        break;
    }
    case ScriptVerb::Select: {
        HWND c = control(a);
        const bool combo = className(c) == L"ComboBox";
        if (!combo && className(c) != L"ListBox") fail(a, "the control is neither a combo box nor a list box");
        const LRESULT count = sendBounded(c, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        LRESULT index = a.position ? *a.position : -1;
        if (!a.position) {
            const std::wstring text = wide(a.text);
            index = sendBounded(c, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(text.c_str()));
        }
        if (index < 0 || index >= count)
            fail(a, "no such entry (the control has " + std::to_string(count) + ")");
        sendBounded(c, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PostMessageW(GetParent(c), WM_COMMAND,
                     MAKEWPARAM(a.control, combo ? CBN_SELCHANGE : LBN_SELCHANGE), reinterpret_cast<LPARAM>(c));
        break;
    }
    case ScriptVerb::SelectRow: {
        HWND c = control(a);
        if (className(c) != L"SysListView32") fail(a, "the control is not a list view");
        const LRESULT count = sendBounded(c, LVM_GETITEMCOUNT, 0, 0);
        if (*a.position >= count) fail(a, "no such row (the list has " + std::to_string(count) + ")");
        // As a click would: the row alone selected, and focused.
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        sendBounded(c, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        LVITEMW row{};
        row.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        row.state = LVIS_SELECTED | LVIS_FOCUSED;
        sendBounded(c, LVM_SETITEMSTATE, static_cast<WPARAM>(*a.position), reinterpret_cast<LPARAM>(&row));
        break;
    }
    case ScriptVerb::Page: {
        HWND tabs = reinterpret_cast<HWND>(sendBounded(window_, PSM_GETTABCONTROL, 0, 0));
        const int count = tabs ? static_cast<int>(sendBounded(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
        int found = -1;
        std::string titles;
        for (int i = 0; i < count && found < 0; ++i) {
            wchar_t title[128] = {};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = title;
            item.cchTextMax = 128;
            sendBounded(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            if (wide(a.text) == title) found = i;
            titles += (i ? ", " : "") + narrow(title);
        }
        if (found < 0) fail(a, "no page of that title (pages: " + titles + ")");
        PostMessageW(window_, PSM_SETCURSEL, static_cast<WPARAM>(found), 0);
        waitIdle(a);
        HWND current = reinterpret_cast<HWND>(sendBounded(window_, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (!messageBox() && sendBounded(window_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0) != found)
            fail(a, "the page did not become current");
        break;
    }
    case ScriptVerb::ExpectDialog: {
        const std::wstring title = wide(a.text);
        if (!poll([&] {
                HWND front = foreground();
                return (front != window_ || !sheet_.isPropertySheet()) && textOf(front) == title;
            }))
            fail(a, "no dialog \"" + narrow(title) + "\" within 5 s (in front: \"" + narrow(textOf(foreground())) +
                        "\")");
        break;
    }
    case ScriptVerb::ExpectMessage: {
        HWND box = nullptr;
        std::wstring text;
        if (!poll([&] { return (box = messageBox()) != nullptr; })) fail(a, "no message box within 5 s");
        isMessageBox(box, &text);
        const LRESULT def = sendBounded(box, DM_GETDEFID, 0, 0);
        const WORD button = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        if (text != wide(a.text)) fail(a, "the message says " + quoted(text));
        break;
    }
    case ScriptVerb::ExpectNoMessage: {
        std::wstring text;
        Sleep(200);
        if (HWND box = messageBox()) {
            isMessageBox(box, &text);
            fail(a, "a message box is up: " + quoted(text));
        }
        break;
    }
    case ScriptVerb::ExpectText: {
        const std::wstring text = textOf(control(a));
        if (text != wide(a.text)) fail(a, "the text is " + quoted(text));
        break;
    }
    case ScriptVerb::ExpectChecked: {
        const bool checked = sendBounded(control(a), BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != a.on) fail(a, checked ? "the box is checked" : "the box is not checked");
        break;
    }
    case ScriptVerb::ExpectEnabled: {
        const bool enabled = IsWindowEnabled(control(a));
        if (enabled != a.on) fail(a, enabled ? "the control is enabled" : "the control is disabled");
        break;
    }
    case ScriptVerb::Screenshot: {
        if (screenshotDir_.empty()) break;  // screenshots were not asked for
        std::string error;
        std::wstring name = wide(a.text);
        if (name.size() < 4 || name.substr(name.size() - 4) != L".png") name += L".png";
        const std::wstring path = screenshotDir_ + L"\\" + company_.screenshotPrefix + name;
        if (!saveScreenshot(foreground(), path, error)) fail(a, "screenshot: " + error);
        break;
    }
    case ScriptVerb::Wait:
        Sleep(static_cast<DWORD>(a.position.value_or(0)));
        break;
    case ScriptVerb::Ok:
    case ScriptVerb::Cancel:
    case ScriptVerb::Apply: {
        HWND front = foreground();
        if (front == window_ && sheet_.isPropertySheet()) {
            const WPARAM button = a.verb == ScriptVerb::Ok ? PSBTN_OK
                                  : a.verb == ScriptVerb::Cancel ? PSBTN_CANCEL
                                                                 : PSBTN_APPLYNOW;
            PostMessageW(window_, PSM_PRESSBUTTON, button, 0);
            if (a.verb != ScriptVerb::Apply) poll([&] { return !IsWindow(window_) || foreground() != window_; });
            break;
        }
        if (a.verb == ScriptVerb::Apply) fail(a, "the window in front is a dialog, not the sheet");
        const int id = a.verb == ScriptVerb::Ok ? IDOK : IDCANCEL;
        HWND button = GetDlgItem(front, id);
        if (button && !IsWindowEnabled(button)) fail(a, "the button is disabled");
        PostMessageW(front, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        // The next step acts on whatever is in front: wait until the dialog
        // has gone, or a message box came up over it, or an "ok" meant for
        // the sheet behind it lands on the closing dialog and is lost.
        poll([&] { return !IsWindow(front) || foreground() != front; });
        break;
    }
    }
}

}  // namespace wren::host
