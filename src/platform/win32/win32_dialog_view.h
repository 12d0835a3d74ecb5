// DialogView over a live dialog or property page: each control is found by
// its identifier at every call, so controls destroyed meanwhile are simply
// not there any more.
#pragma once

#include <windows.h>

#include "ui/dialogs/dialog_view.h"

namespace wren::ui {

class Win32DialogView final : public DialogView {
public:
    explicit Win32DialogView(HWND dialog) : dialog_(dialog) {}

    HWND window() const { return dialog_; }
    HWND control(int id) const { return dialog_ ? GetDlgItem(dialog_, id) : nullptr; }

    bool exists(int id) const override;
    std::optional<std::vector<int>> controlIds() const override;
    std::u16string text(int id, std::size_t maxChars) const override;
    void setText(int id, std::u16string_view text) override;
    bool checked(int id) const override;
    void setChecked(int id, bool on) override;
    bool enabled(int id) const override;
    void enable(int id, bool on) override;
    void show(int id, bool on) override;
    void destroy(int id) override;
    void setTextLimit(int id, int chars) override;

    void listClear(int id) override;
    int listAdd(int id, std::u16string_view text, std::intptr_t data) override;
    int listCount(int id) const override;
    std::intptr_t listData(int id, int position) const override;
    int listSelection(int id) const override;
    void listSelect(int id, int position) override;

    void setScrollRange(int id, int minimum, int maximum) override;
    void setScrollPosition(int id, int position) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t colour,
                                              std::array<std::uint32_t, 16>& customColours) override;

    void setUpDownRange(int id, int lower, int upper) override;
    void setUpDownValue(int id, int value) override;

    int caret(int id) const override;
    void setCaret(int id, int position) override;
    void selectAll(int id) override;
    void detachInputMethod(int id) override;

    void focus(int id) override;
    void redraw(int id) override;
    void setIcon(int id, int iconId) override;

    int clientWidth(int id) const override;
    void reportAddColumn(int id, int column, std::u16string_view header, int width) override;
    void reportClear(int id) override;
    int reportAddRow(int id, std::u16string_view first, std::u16string_view second) override;
    int reportCount(int id) const override;
    bool reportSelected(int id, int row) const override;
    void reportSelect(int id, int row, bool on) override;
    void beep() override;
    int messageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;

    void endDialog(int result) override;
    void markPageChanged() override;
    void* ownerWindow() const override { return dialog_; }

private:
    LRESULT send(int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    // A list message for the control's kind: the CB_ message, or its LB_
    // twin when the control is a list box.
    LRESULT sendList(int id, UINT comboMessage, WPARAM wparam = 0, LPARAM lparam = 0) const;

    HWND dialog_;
};

}  // namespace wren::ui
