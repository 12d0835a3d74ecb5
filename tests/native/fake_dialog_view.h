// In-memory stand-in for one open page or dialog, and for the plug-in's
// string table, for the native tests of controllers.
//
// Controls exist only once the test adds them (add, addRange, or the
// constructor's list), like a template: operations on other identifiers do
// nothing and read as empty, as the Win32 view does. Set `autoAdd` to let
// any identifier spring into existence as an edit on first use, and
// `listsControls` to have it list the controls it holds.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/dialogs/dialog_view.h"
#include "ui/dialogs/ui_strings.h"

namespace wren::test {

enum class ControlKind { Edit, Check, Radio, Button, Combo, UpDown, Static, Picture };

struct FakeControl {
    ControlKind kind = ControlKind::Edit;
    std::u16string text;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    bool destroyed = false;
    int textLimit = -1;  // -1: never set

    struct Item {
        std::u16string text;
        std::intptr_t data = 0;
    };
    std::vector<Item> items;
    int selection = -1;

    int upLower = 0, upUpper = 0, upValue = 0;
    bool upRangeSet = false;

    int scrollMin = 0, scrollMax = 0, scrollPos = 0;
    bool scrollRangeSet = false;

    // Report list views.
    struct Column {
        std::u16string header;
        int width = 0;
    };
    std::vector<Column> columns;
    struct Row {
        std::u16string first, second;
        bool selected = false;
    };
    std::vector<Row> rows;
    int width = 0;  // client width in pixels

    int caret = 0;
    int selectAllCount = 0;
    bool inputMethodDetached = false;
    int redraws = 0;
};

class FakeDialogView : public wren::ui::DialogView {
public:
    FakeDialogView() = default;
    FakeDialogView(std::initializer_list<int> ids, ControlKind kind = ControlKind::Edit) {
        for (int id : ids) add(id, kind);
    }

    FakeControl& add(int id, ControlKind kind = ControlKind::Edit) {
        FakeControl& c = controls_[id];
        c = FakeControl{};
        c.kind = kind;
        return c;
    }
    void addRange(int first, int last, ControlKind kind = ControlKind::Edit) {
        for (int id = first; id <= last; ++id) add(id, kind);
    }
    // The up-down `upDownId` shows its value in edit `editId` (UDS_SETBUDDYINT).
    void buddy(int upDownId, int editId) {
        if (!controls_.count(upDownId)) add(upDownId, ControlKind::UpDown);
        if (!controls_.count(editId)) add(editId, ControlKind::Edit);
        buddies_[upDownId] = editId;
    }

    // The state of a control for assertions; adds it when missing so a
    // test's typo shows as a default-valued control rather than a crash.
    FakeControl& at(int id) { return controls_[id]; }
    const FakeControl* find(int id) const {
        auto it = controls_.find(id);
        return it == controls_.end() ? nullptr : &it->second;
    }
    bool has(int id) const { return find(id) != nullptr; }

    // Message boxes: every call is logged; answers come from the script in
    // order, then `defaultAnswer` (IDOK).
    struct MessageBoxCall {
        std::u16string text, caption;
        std::uint32_t flags = 0;
    };
    std::vector<MessageBoxCall> messageBoxes;
    std::deque<int> answers;
    int defaultAnswer = 1;

    // The colour chooser: each call is logged with the colour it opened on;
    // it answers `colourAnswer` (nothing: cancelled) after applying
    // `customEdit` to the custom colours, as a user editing them would.
    struct ColourCall {
        std::uint32_t initial = 0;
        std::array<std::uint32_t, 16> custom{};
    };
    std::vector<ColourCall> colourCalls;
    std::optional<std::uint32_t> colourAnswer;
    std::function<void(std::array<std::uint32_t, 16>&)> customEdit;

    int beeps = 0;
    std::optional<int> focused;
    std::optional<int> endResult;
    int endCalls = 0;
    int pageChanges = 0;
    void* owner = reinterpret_cast<void*>(std::uintptr_t{0x1234});
    bool autoAdd = false;
    // Whether the view lists its controls for operations over a range, as
    // the Win32 view does; otherwise each number of a range is looked up.
    bool listsControls = false;

    // DialogView
    bool exists(int id) const override { return live(id) != nullptr; }
    std::optional<std::vector<int>> controlIds() const override {
        if (!listsControls) return std::nullopt;
        std::vector<int> ids;
        for (const auto& [id, control] : controls_) ids.push_back(id);
        return ids;
    }
    std::u16string text(int id, std::size_t maxChars) const override {
        const FakeControl* c = live(id);
        if (!c || maxChars == 0) return {};
        // Like GetDlgItemTextW: the buffer holds the terminator too.
        return c->text.substr(0, maxChars - 1);
    }
    void setText(int id, std::u16string_view text) override {
        if (FakeControl* c = live(id)) {
            c->text = std::u16string(text);
            c->caret = int(c->text.size());
        }
    }
    bool checked(int id) const override {
        const FakeControl* c = live(id);
        return c && c->checked;
    }
    void setChecked(int id, bool on) override {
        if (FakeControl* c = live(id)) c->checked = on;
    }
    bool enabled(int id) const override {
        const FakeControl* c = live(id);
        return c && c->enabled;
    }
    void enable(int id, bool on) override {
        if (FakeControl* c = live(id)) c->enabled = on;
    }
    void show(int id, bool on) override {
        if (FakeControl* c = live(id)) c->visible = on;
    }
    void destroy(int id) override {
        if (FakeControl* c = live(id)) c->destroyed = true;
    }
    void setTextLimit(int id, int chars) override {
        if (FakeControl* c = live(id)) c->textLimit = chars;
    }

    void listClear(int id) override {
        if (FakeControl* c = live(id)) {
            c->items.clear();
            c->selection = -1;
        }
    }
    int listAdd(int id, std::u16string_view text, std::intptr_t data) override {
        FakeControl* c = live(id);
        if (!c) return -1;
        c->items.push_back({std::u16string(text), data});
        return int(c->items.size()) - 1;
    }
    int listCount(int id) const override {
        const FakeControl* c = live(id);
        return c ? int(c->items.size()) : 0;
    }
    std::intptr_t listData(int id, int position) const override {
        const FakeControl* c = live(id);
        if (!c || position < 0 || position >= int(c->items.size())) return -1;  // CB_ERR
        return c->items[std::size_t(position)].data;
    }
    int listSelection(int id) const override {
        const FakeControl* c = live(id);
        return c ? c->selection : -1;
    }
    void listSelect(int id, int position) override {
        FakeControl* c = live(id);
        if (!c) return;
        // CB_SETCURSEL with an out-of-range position clears the selection.
        c->selection = (position >= 0 && position < int(c->items.size())) ? position : -1;
        if (c->selection >= 0) c->text = c->items[std::size_t(c->selection)].text;
    }

    void setUpDownRange(int id, int lower, int upper) override {
        if (FakeControl* c = live(id)) {
            c->upLower = lower;
            c->upUpper = upper;
            c->upRangeSet = true;
        }
    }
    void setUpDownValue(int id, int value) override {
        FakeControl* c = live(id);
        if (!c) return;
        c->upValue = value;
        auto b = buddies_.find(id);
        if (b != buddies_.end()) setText(b->second, decimal(value));
    }

    void setScrollRange(int id, int minimum, int maximum) override {
        if (FakeControl* c = live(id)) {
            c->scrollMin = minimum;
            c->scrollMax = maximum;
            c->scrollRangeSet = true;
            c->scrollPos = std::clamp(c->scrollPos, minimum, maximum);
        }
    }
    void setScrollPosition(int id, int position) override {
        // SetScrollPos keeps the thumb inside the range.
        if (FakeControl* c = live(id)) c->scrollPos = std::clamp(position, c->scrollMin, c->scrollMax);
    }
    std::optional<std::uint32_t> chooseColour(std::uint32_t colour,
                                              std::array<std::uint32_t, 16>& custom) override {
        colourCalls.push_back({colour, custom});
        if (customEdit) customEdit(custom);
        return colourAnswer;
    }

    int clientWidth(int id) const override {
        const FakeControl* c = live(id);
        return c ? c->width : 0;
    }
    void reportAddColumn(int id, int column, std::u16string_view header, int width) override {
        FakeControl* c = live(id);
        if (!c || column < 0) return;
        if (std::size_t(column) >= c->columns.size()) c->columns.resize(std::size_t(column) + 1);
        c->columns[std::size_t(column)] = {std::u16string(header), width};
    }
    void reportClear(int id) override {
        if (FakeControl* c = live(id)) c->rows.clear();
    }
    int reportAddRow(int id, std::u16string_view first, std::u16string_view second) override {
        FakeControl* c = live(id);
        if (!c) return -1;
        c->rows.push_back({std::u16string(first), std::u16string(second), false});
        return int(c->rows.size()) - 1;
    }
    int reportCount(int id) const override {
        const FakeControl* c = live(id);
        return c ? int(c->rows.size()) : 0;
    }
    bool reportSelected(int id, int row) const override {
        const FakeControl* c = live(id);
        return c && row >= 0 && row < int(c->rows.size()) && c->rows[std::size_t(row)].selected;
    }
    void reportSelect(int id, int row, bool on) override {
        FakeControl* c = live(id);
        if (c && row >= 0 && row < int(c->rows.size())) c->rows[std::size_t(row)].selected = on;
    }

    int caret(int id) const override {
        const FakeControl* c = live(id);
        return c ? c->caret : 0;
    }
    void setCaret(int id, int position) override {
        if (FakeControl* c = live(id)) c->caret = position;
    }
    void selectAll(int id) override {
        if (FakeControl* c = live(id)) ++c->selectAllCount;
    }
    void detachInputMethod(int id) override {
        if (FakeControl* c = live(id)) c->inputMethodDetached = true;
    }

    void focus(int id) override {
        if (live(id)) focused = id;
    }
    void redraw(int id) override {
        if (FakeControl* c = live(id)) ++c->redraws;
    }
    void beep() override { ++beeps; }
    int messageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override {
        messageBoxes.push_back({std::u16string(text), std::u16string(caption), flags});
        if (answers.empty()) return defaultAnswer;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    void endDialog(int result) override {
        endResult = result;
        ++endCalls;
    }
    void markPageChanged() override { ++pageChanges; }
    void* ownerWindow() const override { return owner; }

    static std::u16string decimal(long long v) {
        std::string s = std::to_string(v);
        return std::u16string(s.begin(), s.end());
    }

private:
    FakeControl* live(int id) const {
        auto it = controls_.find(id);
        if (it == controls_.end()) {
            if (!autoAdd) return nullptr;
            it = controls_.emplace(id, FakeControl{}).first;
        }
        return it->second.destroyed ? nullptr : &it->second;
    }

    mutable std::map<int, FakeControl> controls_;
    std::map<int, int> buddies_;
};

// The plug-in's string table: id -> text; missing ids load as empty.
class FakeStrings : public wren::ui::UiStrings {
public:
    FakeStrings() = default;
    FakeStrings(std::initializer_list<std::pair<const int, std::u16string>> entries) : texts(entries) {}
    std::map<int, std::u16string> texts;
    mutable std::vector<int> loads;

    std::u16string load(int id, std::size_t capacity = 300) const override {
        loads.push_back(id);
        auto it = texts.find(id);
        if (it == texts.end() || capacity == 0) return {};
        return it->second.substr(0, capacity - 1);
    }
};

}  // namespace wren::test
