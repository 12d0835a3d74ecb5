#include "ui/watermark/watermark_editor.h"

#include <algorithm>

#include "ui/dialogs/numeric_edit.h"
#include "ui/pages/control_events.h"
#include "ui/watermark/watermark_ids.h"
#include "ui/dialogs/programmatic_write.h"

namespace wren::ui {
namespace {

constexpr int kOffsetEditChars = 5;
constexpr std::size_t kOffsetReadChars = 16;
constexpr std::size_t kNumberReadChars = 16;
constexpr NumericEditRule kSizeRule{72, kWatermarkMinSize, kWatermarkMaxSize, false};
constexpr NumericEditRule kAngleRule{45, kWatermarkMinAngle, kWatermarkMaxAngle, true};

// The adjustment edits keep digits, and a "-" only in first place.
struct OffsetText {
    std::u16string kept;
    bool dropped = false;
};
OffsetText filterOffset(std::u16string_view text) {
    OffsetText out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if ((c >= u'0' && c <= u'9') || (c == u'-' && i == 0)) out.kept.push_back(c);
        else out.dropped = true;
    }
    return out;
}

struct ScrollRule {
    int bar, edit, minimum, maximum;
    bool sign;
};
constexpr ScrollRule kScrollRules[] = {
    {wm::kSizeScroll, wm::kSizeEdit, kWatermarkMinSize, kWatermarkMaxSize, false},
    {wm::kAngleScroll, wm::kAngleEdit, kWatermarkMinAngle, kWatermarkMaxAngle, true},
};

}  // namespace

WatermarkEditor::WatermarkEditor(WatermarkEnvironment& env, DialogView& view)
    : ModalController(view, 2), env_(env), list_(env.list), view_(view) {}

const WatermarkRecord& WatermarkEditor::editedSlot() const {
    const std::uint32_t slot = list_.editedSlot < list_.entries.size() ? list_.editedSlot : 0;
    return list_.entries[slot];
}

void WatermarkEditor::initialize() {
    {
        const ProgrammaticWrite writing(writing_);
        view_.setTextLimit(wm::kTextEdit, int(kWatermarkTextChars));
        view_.setScrollRange(wm::kSizeScroll, kWatermarkMinSize, kWatermarkMaxSize);
        view_.setScrollRange(wm::kAngleScroll, kWatermarkMinAngle, kWatermarkMaxAngle);
        view_.setTextLimit(wm::kOffsetXEdit, kOffsetEditChars);
        view_.setTextLimit(wm::kOffsetYEdit, kOffsetEditChars);
        view_.setUpDownRange(wm::kOffsetXUpDown, -kWatermarkMaxOffset, kWatermarkMaxOffset);
        view_.setUpDownRange(wm::kOffsetYUpDown, -kWatermarkMaxOffset, kWatermarkMaxOffset);
        view_.listClear(wm::kPositionList);
        for (int i = 0; i < kPositionCount; ++i)
            view_.listAdd(wm::kPositionList, env_.strings.load(wm::kStringFirstPosition + i), i);
        if (env_.threadLocale != kJapaneseLocale) view_.detachInputMethod(wm::kTextEdit);
        for (int id : {wm::kSizeEdit, wm::kAngleEdit, wm::kOffsetXEdit, wm::kOffsetYEdit}) view_.detachInputMethod(id);
        list_.loadWorking(list_.editedSlot);
    }
    showRecord();
}

void WatermarkEditor::showRecord() {
    const WatermarkRecord& w = list_.working;
    {
        const ProgrammaticWrite writing(writing_);
        view_.setText(wm::kTextEdit, w.textValue());
        view_.setScrollPosition(wm::kSizeScroll, w.size);
        view_.setText(wm::kSizeEdit, DecimalText(w.size));
        view_.setScrollPosition(wm::kAngleScroll, w.angle);
        view_.setText(wm::kAngleEdit, DecimalText(w.angle));
        view_.setUpDownValue(wm::kOffsetXUpDown, w.offsetX);
        view_.setUpDownValue(wm::kOffsetYUpDown, w.offsetY);
        view_.listSelect(wm::kPositionList, w.position < kPositionCount ? int(w.position) : -1);
        for (int i = 0; i <= wm::kBorderDoubleFrame - wm::kBorderNone; ++i)
            view_.setChecked(wm::kBorderNone + i, w.border == i);
    }
    view_.enable(kIdOk, !w.textValue().empty());
    view_.redraw(wm::kPreview);
}

void WatermarkEditor::setEdit(int id, std::u16string_view text) {
    const ProgrammaticWrite writing(writing_);
    view_.setText(id, text);
}

void WatermarkEditor::changed() {
    readControls();
    view_.redraw(wm::kPreview);
}

void WatermarkEditor::command(int id, int notification) {
    if (writing_) return;
    if (closingButton(id, notification)) return;
    switch (id) {
    case wm::kTextEdit:
        if (notification == kEditUpdate || notification == kEditChange) textChanged();
        return;
    case wm::kSizeEdit:
    case wm::kAngleEdit:
        numericEdit(id, notification);
        return;
    case wm::kOffsetXEdit:
    case wm::kOffsetYEdit:
        if (notification == kEditChange) changed();
        return;
    case wm::kPositionList:
        if (notification == kSelectionChanged) choosePosition();
        return;
    case wm::kFontButton:
        if (notification == kClicked) chooseFont();
        return;
    case wm::kColourButton:
        if (notification == kClicked) chooseColour();
        return;
    default:
        if (id >= wm::kBorderNone && id <= wm::kBorderDoubleFrame && notification == kClicked) {
            list_.working.border = std::uint16_t(id - wm::kBorderNone);
            changed();
        }
        return;
    }
}

void WatermarkEditor::textChanged() {
    view_.enable(kIdOk, !view_.text(wm::kTextEdit, 2).empty());
    if (view_.text(wm::kTextEdit, kWatermarkTextChars + 1) != list_.working.textValue()) changed();
}

void WatermarkEditor::numericEdit(int id, int notification) {
    const bool size = id == wm::kSizeEdit;
    std::u16string& lastGood = size ? lastGoodSize_ : lastGoodAngle_;
    {
        const ProgrammaticWrite writing(writing_);  // the validation's own rewrites come back as changes
        ValidateNumericEdit(view_, EditNotificationFromCode(notification), id, size ? kSizeRule : kAngleRule, lastGood);
    }
    if (notification != kEditChange && notification != kEditKillFocus && notification != kEditUpdate) return;
    changed();
    view_.setScrollPosition(size ? wm::kSizeScroll : wm::kAngleScroll, size ? list_.working.size : list_.working.angle);
}

void WatermarkEditor::scroll(int scrollBarId, int code, int thumb) {
    const ScrollRule* rule = nullptr;
    for (const ScrollRule& r : kScrollRules)
        if (r.bar == scrollBarId) rule = &r;
    if (!rule) return;
    const bool size = rule->bar == wm::kSizeScroll;
    int value = size ? list_.working.size : list_.working.angle;
    switch (code) {
    case wm::kScrollLineLeft: value -= 1; break;
    case wm::kScrollLineRight: value += 1; break;
    case wm::kScrollPageLeft: value -= 10; break;
    case wm::kScrollPageRight: value += 10; break;
    case wm::kScrollThumbPosition:
    case wm::kScrollThumbTrack: value = thumb; break;
    default: break;
    }
    value = std::clamp(value, rule->minimum, rule->maximum);
    if (size) list_.working.size = value;
    else list_.working.angle = std::int16_t(value);
    if (code != wm::kScrollEnd) view_.setScrollPosition(rule->bar, value);
    setEdit(rule->edit, DecimalText(value));
    view_.redraw(wm::kPreview);
}

void WatermarkEditor::readControls() {
    WatermarkRecord& w = list_.working;
    w.setText(view_.text(wm::kTextEdit, kWatermarkTextChars + 1));
    long long v = 0;
    w.size = ReadNumericEdit(view_.text(wm::kSizeEdit, kNumberReadChars), false, v)
                 ? std::int32_t(std::clamp<long long>(v, 0, kWatermarkMaxSize))
                 : editedSlot().size;
    w.angle = ReadNumericEdit(view_.text(wm::kAngleEdit, kNumberReadChars), true, v)
                  ? std::int16_t(std::clamp<long long>(v, kWatermarkMinAngle, kWatermarkMaxAngle))
                  : editedSlot().angle;
    readOffset(wm::kOffsetXEdit, wm::kOffsetXUpDown, w.offsetX);
    readOffset(wm::kOffsetYEdit, wm::kOffsetYUpDown, w.offsetY);
}

void WatermarkEditor::readOffset(int editId, int upDownId, std::int32_t& offset) {
    const OffsetText t = filterOffset(view_.text(editId, kOffsetReadChars));
    long long v = 0;
    const bool number = ReadNumericEdit(t.kept, true, v);
    offset = number ? std::int32_t(std::clamp<long long>(v, -kWatermarkMaxOffset, kWatermarkMaxOffset)) : 0;
    // An empty edit or a lone "-" is the user on the way to a number: left
    // as it stands, or no negative adjustment could ever be typed.
    if (!t.dropped && (!number || v == offset)) return;
    {
        const ProgrammaticWrite writing(writing_);
        if (number) view_.setUpDownValue(upDownId, offset);
        else view_.setText(editId, t.kept);
    }
    if (t.dropped) view_.setCaret(editId, int(number ? DecimalText(offset).size() : t.kept.size()));
}

void WatermarkEditor::choosePosition() {
    const int position = view_.listSelection(wm::kPositionList);
    if (position < 0) return;
    const std::intptr_t data = view_.listData(wm::kPositionList, position);
    if (data < 0 || data >= kPositionCount) return;
    list_.working.position = std::uint16_t(data);
    list_.working.offsetX = 0;
    list_.working.offsetY = 0;
    {
        const ProgrammaticWrite writing(writing_);
        view_.setUpDownValue(wm::kOffsetXUpDown, 0);
        view_.setUpDownValue(wm::kOffsetYUpDown, 0);
    }
    view_.redraw(wm::kPreview);
}

void WatermarkEditor::chooseFont() {
    if (env_.run(wm::kFontDialog) != 1) return;
    // An empty size in the font dialog comes back as 0; the scroll bar's
    // lower bound makes it 1.
    WatermarkRecord& w = list_.working;
    w.size = std::clamp<std::int32_t>(w.size, kWatermarkMinSize, kWatermarkMaxSize);
    view_.setScrollPosition(wm::kSizeScroll, w.size);
    setEdit(wm::kSizeEdit, DecimalText(w.size));
    view_.redraw(wm::kPreview);
}

void WatermarkEditor::chooseColour() {
    LoadCustomColours(env_.profile, env_.pluginIni, env_.strings, env_.customColours);
    const std::optional<std::uint32_t> chosen = view_.chooseColour(list_.working.color, env_.customColours);
    if (chosen) list_.working.color = *chosen & 0x00FFFFFF;
    // The custom colours were the user's to change even when the chooser was
    // cancelled.
    SaveCustomColours(env_.profile, env_.pluginIni, env_.strings, env_.customColours);
    view_.redraw(wm::kPreview);
}

void WatermarkEditor::confirm() {
    readControls();
    if (list_.working.textValue().empty()) return;  // OK is disabled then; a stray click confirms nothing
    DeriveFontNameAndStyle(list_.working, env_.fonts());
    view_.endDialog(1);
}

}  // namespace wren::ui
