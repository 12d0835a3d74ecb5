#include "ui/watermark/watermark_font_dialog.h"

#include <algorithm>

#include "ui/pages/control_events.h"
#include "ui/watermark/watermark_ids.h"
#include "ui/dialogs/programmatic_write.h"

namespace wren::ui {
namespace {

constexpr int kFontEditChars = 30;
constexpr int kShortEditChars = 5;
constexpr std::size_t kSizeReadChars = 16;
constexpr int kStyleCount = 4;
// The sizes of strings 8061..8076, in list order.
constexpr std::int32_t kListSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
constexpr int kListSizeCount = int(std::size(kListSizes));

}  // namespace

std::int32_t FontDialogSize(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == u'-') return kWatermarkMinSize;
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        return 0;
    std::int64_t v = 0;
    for (char16_t c : text) v = std::min<std::int64_t>(v * 10 + (c - u'0'), kWatermarkMaxSize + 1);
    return std::int32_t(std::min<std::int64_t>(v, kWatermarkMaxSize));
}

WatermarkFontDialog::WatermarkFontDialog(WatermarkEnvironment& env, DialogView& view)
    : ModalController(view, 2), env_(env), view_(view), size_(env.list.working.size),
      fontIndex_(env.list.working.fontIndex), weight_(env.list.working.weight),
      italic_(env.list.working.italic != 0) {}

void WatermarkFontDialog::initialize() {
    const ProgrammaticWrite writing(writing_);
    view_.setTextLimit(wm::kFontEdit, kFontEditChars);
    view_.setTextLimit(wm::kStyleEdit, kShortEditChars);
    view_.setTextLimit(wm::kFontSizeEdit, kShortEditChars);
    view_.detachInputMethod(wm::kFontSizeEdit);
    fonts_ = env_.fonts().fonts(env_.threadLocale);
    fillFonts();

    view_.listClear(wm::kStyleList);
    for (int i = 0; i < kStyleCount; ++i) view_.listAdd(wm::kStyleList, env_.strings.load(wm::kStringFirstStyle + i), i);
    view_.listSelect(wm::kStyleList, style());
    view_.setText(wm::kStyleEdit, env_.strings.load(wm::kStringFirstStyle + style()));

    view_.listClear(wm::kSizeList);
    for (int i = 0; i < kListSizeCount; ++i) view_.listAdd(wm::kSizeList, env_.strings.load(wm::kStringFirstSize + i), i);
    selectSize();
    view_.setText(wm::kFontSizeEdit, DecimalText(size_));
}

void WatermarkFontDialog::fillFonts() {
    view_.listClear(wm::kFontList);
    int selected = -1;
    for (const FontListItem& f : fonts_) {
        const int position = view_.listAdd(wm::kFontList, f.name, f.index);
        if (f.index == fontIndex_) selected = position;
    }
    view_.listSelect(wm::kFontList, selected);
    if (selected >= 0) view_.setText(wm::kFontEdit, fonts_[std::size_t(selected)].name);
}

void WatermarkFontDialog::selectSize() {
    const auto found = std::find(std::begin(kListSizes), std::end(kListSizes), size_);
    view_.listSelect(wm::kSizeList, found == std::end(kListSizes) ? -1 : int(found - std::begin(kListSizes)));
}

void WatermarkFontDialog::command(int id, int notification) {
    if (writing_) return;
    if (closingButton(id, notification)) return;
    switch (id) {
    case wm::kFontList:
        if (notification == kSelectionChanged) fontChosen();
        return;
    case wm::kStyleList:
        if (notification == kSelectionChanged) styleChosen();
        return;
    case wm::kSizeList:
        if (notification == kSelectionChanged) sizeChosen();
        return;
    case wm::kFontSizeEdit:
        if (notification == kEditChange) sizeTyped();
        return;
    default:
        return;
    }
}

void WatermarkFontDialog::fontChosen() {
    const int position = view_.listSelection(wm::kFontList);
    if (position < 0) return;
    const std::intptr_t data = view_.listData(wm::kFontList, position);
    if (data < 0) return;
    fontIndex_ = std::int32_t(data);
    {
        const ProgrammaticWrite writing(writing_);
        fillFonts();
    }
}

void WatermarkFontDialog::styleChosen() {
    const int position = view_.listSelection(wm::kStyleList);
    const std::intptr_t s = position < 0 ? -1 : view_.listData(wm::kStyleList, position);
    if (s < 0 || s >= kStyleCount) return;
    weight_ = s >= 2 ? 700 : 400;
    italic_ = (s & 1) != 0;
    {
        const ProgrammaticWrite writing(writing_);
        view_.setText(wm::kStyleEdit, env_.strings.load(wm::kStringFirstStyle + int(s)));
    }
}

void WatermarkFontDialog::sizeChosen() {
    const int position = view_.listSelection(wm::kSizeList);
    const std::intptr_t s = position < 0 ? -1 : view_.listData(wm::kSizeList, position);
    if (s < 0 || s >= kListSizeCount) return;
    size_ = kListSizes[s];
    {
        const ProgrammaticWrite writing(writing_);
        view_.setText(wm::kFontSizeEdit, DecimalText(size_));
    }
}

void WatermarkFontDialog::sizeTyped() {
    const std::u16string text = view_.text(wm::kFontSizeEdit, kSizeReadChars);
    size_ = FontDialogSize(text);
    // A clamped number is shown as the bound it became.
    if (size_ != 0 && DecimalText(size_) != text) {
        {
            const ProgrammaticWrite writing(writing_);
            view_.setText(wm::kFontSizeEdit, DecimalText(size_));
        }
    }
    selectSize();
}

void WatermarkFontDialog::confirm() {
    WatermarkRecord& w = env_.list.working;
    w.size = size_;
    w.fontIndex = fontIndex_;
    w.weight = weight_;
    w.italic = italic_ ? 1 : 0;
    view_.endDialog(1);
}

}  // namespace wren::ui
