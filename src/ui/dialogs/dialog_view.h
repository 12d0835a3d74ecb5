// Port: one open page or dialog as its controller sees it. Controls are
// named by their template identifiers; operations on a control the
// template lacks (or that was destroyed) do nothing and read as empty.
// The Win32 side forwards to the dialog's windows; tests use a fake.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wren::ui {

// MessageBoxW flags the pages use.
inline constexpr std::uint32_t kMessageOk = 0x00000000;        // MB_OK
inline constexpr std::uint32_t kMessageStop = 0x00000010;      // MB_ICONHAND
inline constexpr std::uint32_t kMessageWarning = 0x00000030;   // MB_ICONEXCLAMATION
inline constexpr std::uint32_t kMessageInfo = 0x00000040;      // MB_ICONASTERISK

class DialogView {
public:
    virtual ~DialogView() = default;

    virtual bool exists(int id) const = 0;
    // The identifiers of the controls the page has, in any order, so that
    // an operation over a range of identifiers costs what the page holds
    // rather than one look-up for every number in the range (a whole page
    // is 1 to 10001). Nothing: this view cannot list them, and each
    // number of the range is looked up.
    virtual std::optional<std::vector<int>> controlIds() const { return std::nullopt; }
    virtual std::u16string text(int id, std::size_t maxChars) const = 0;
    virtual void setText(int id, std::u16string_view text) = 0;
    virtual bool checked(int id) const = 0;
    virtual void setChecked(int id, bool on) = 0;
    virtual bool enabled(int id) const = 0;
    virtual void enable(int id, bool on) = 0;
    virtual void show(int id, bool on) = 0;
    virtual void destroy(int id) = 0;
    virtual void setTextLimit(int id, int chars) = 0;

    // Lists: drop-down lists and list boxes.
    virtual void listClear(int id) = 0;
    virtual int listAdd(int id, std::u16string_view text, std::intptr_t data) = 0;  // the new position
    virtual int listCount(int id) const = 0;
    virtual std::intptr_t listData(int id, int position) const = 0;
    virtual int listSelection(int id) const = 0;  // -1: none
    virtual void listSelect(int id, int position) = 0;

    // Up-down controls (their buddy edit shows the value).
    virtual void setUpDownRange(int id, int lower, int upper) = 0;
    virtual void setUpDownValue(int id, int value) = 0;

    // Edits: caret, selection, input method.
    virtual int caret(int id) const = 0;
    virtual void setCaret(int id, int position) = 0;
    virtual void selectAll(int id) = 0;
    virtual void detachInputMethod(int id) = 0;

    // Scroll bar controls (SBS_HORZ or SBS_VERT windows).
    virtual void setScrollRange(int /*id*/, int /*minimum*/, int /*maximum*/) {}
    virtual void setScrollPosition(int /*id*/, int /*position*/) {}

    // The platform colour chooser owned by the dialog, fully open, with
    // `colour` (0x00BBGGRR) preselected and the 16 custom colours shown; the
    // user may change those in place. The chosen colour, or nothing when
    // the chooser was cancelled.
    virtual std::optional<std::uint32_t> chooseColour(std::uint32_t /*colour*/,
                                                      std::array<std::uint32_t, 16>& /*customColours*/) {
        return std::nullopt;
    }

    // A picture control shows one of the plug-in's icons.
    virtual void setIcon(int /*id*/, int /*iconId*/) {}

    // Report list views (two text columns, several rows selectable). Rows
    // are named by position; the views that have none do nothing.
    virtual int clientWidth(int /*id*/) const { return 0; }  // pixels
    virtual void reportAddColumn(int /*id*/, int /*column*/, std::u16string_view /*header*/, int /*width*/) {}
    virtual void reportClear(int /*id*/) {}
    virtual int reportAddRow(int /*id*/, std::u16string_view /*first*/, std::u16string_view /*second*/) {
        return -1;
    }
    virtual int reportCount(int /*id*/) const { return 0; }
    virtual bool reportSelected(int /*id*/, int /*row*/) const { return false; }
    virtual void reportSelect(int /*id*/, int /*row*/, bool /*on*/) {}

    virtual void focus(int id) = 0;
    virtual void redraw(int id) = 0;
    virtual void beep() = 0;
    // MessageBoxW owned by the dialog; an empty caption is the system's
    // default title. Returns the box's result.
    virtual int messageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) = 0;

    // Modal dialogs: ends the dialog with `result`.
    virtual void endDialog(int result) = 0;
    // Property pages: PSM_CHANGED, which enables the sheet's Apply button.
    virtual void markPageChanged() = 0;

    // The window that owns dialogs opened from here (an HWND on Windows),
    // for libraries that show their own.
    virtual void* ownerWindow() const = 0;
};

}  // namespace wren::ui
