#include "ui/watermark/watermark_list_dialog.h"

#include "ui/dialogs/resource_message.h"
#include "ui/pages/control_events.h"
#include "ui/watermark/watermark_ids.h"

namespace wren::ui {

WatermarkListDialog::WatermarkListDialog(WatermarkEnvironment& env, DialogView& view, PrivateRecord& record)
    : ModalController(view, 0), env_(env), list_(env.list), view_(view), record_(record) {}

void WatermarkListDialog::initialize() {
    if (!list_.loaded) LoadWatermarkList(env_, record_.watermarkIndex);
    OpenWatermarkList(list_);
    refresh();
}

void WatermarkListDialog::command(int id, int notification) {
    if (closingButton(id, notification)) return;
    switch (id) {
    case wm::kEntryList:
        if (notification == kSelectionChanged) selectionChanged();
        return;
    case wm::kNewButton:
        if (notification == kClicked) newWatermark();
        return;
    case wm::kEditButton:
        if (notification == kClicked) editWatermark();
        return;
    case wm::kDeleteButton:
        if (notification == kClicked) deleteWatermark();
        return;
    case wm::kFirstPageOnlyBox:
    case wm::kBackgroundBox:
        if (notification == kClicked) checkBox(id);
        return;
    default:
        return;
    }
}

void WatermarkListDialog::fillList() {
    view_.listClear(wm::kEntryList);
    for (const WatermarkRecord& r : list_.entries) view_.listAdd(wm::kEntryList, r.textValue(), 0);
    view_.listSelect(wm::kEntryList, int(list_.selection));
}

void WatermarkListDialog::refresh() {
    fillList();
    const WatermarkRecord& selected = list_.entries[list_.selection];
    view_.setChecked(wm::kFirstPageOnlyBox, selected.firstPageOnly != 0);
    view_.setChecked(wm::kBackgroundBox, selected.inBackground != 0);
    view_.redraw(wm::kPreview);
    const bool userEntry = list_.selection != 0;
    view_.enable(wm::kEditButton, userEntry);
    view_.enable(wm::kDeleteButton, userEntry);
}

void WatermarkListDialog::selectionChanged() {
    const int position = view_.listSelection(wm::kEntryList);
    list_.selection = position > 0 && position <= list_.count() ? std::uint32_t(position) : 0;
    list_.loadWorking(list_.selection);
    refresh();
    view_.markPageChanged();
}

void WatermarkListDialog::newWatermark() {
    if (list_.count() >= kMaxWatermarks) {
        ShowResourceMessage(view_, env_.strings, wm::kStringTooMany, wm::kStringWarning, kMessageWarning);
        return;
    }
    const std::uint32_t previous = list_.selection;
    list_.selection = 0;
    list_.editedSlot = 0;
    list_.loadWorking(0);
    if (env_.run(wm::kEditorDialog) == 1) {
        list_.entries.push_back(list_.working);
        list_.selection = std::uint32_t(list_.count());
        refresh();
        view_.markPageChanged();
        return;
    }
    list_.selection = previous;
    list_.loadWorking(previous);
}

void WatermarkListDialog::editWatermark() {
    const std::uint32_t slot = list_.selection;
    if (slot == 0) return;
    list_.editedSlot = slot;
    list_.loadWorking(slot);
    if (env_.run(wm::kEditorDialog) == 1) {
        list_.entries[slot] = list_.working;
        refresh();
        view_.markPageChanged();
        return;
    }
    list_.loadWorking(slot);
    view_.redraw(wm::kPreview);
}

void WatermarkListDialog::deleteWatermark() {
    const std::uint32_t slot = list_.selection;
    if (slot == 0) return;
    list_.entries.erase(list_.entries.begin() + slot);
    list_.selection = 0;
    list_.loadWorking(0);
    refresh();
    view_.markPageChanged();
    view_.focus(wm::kNewButton);
}

void WatermarkListDialog::checkBox(int id) {
    // The box's own state, rather than a blind toggle, so that the entry
    // cannot drift from what the box shows.
    WatermarkRecord& selected = list_.entries[list_.selection];
    const bool on = view_.checked(id);
    if (id == wm::kFirstPageOnlyBox) {
        selected.firstPageOnly = on ? 1 : 0;
        list_.working.firstPageOnly = selected.firstPageOnly;
    } else {
        selected.inBackground = on ? 1 : 0;
        list_.working.inBackground = selected.inBackground;
    }
}

void WatermarkListDialog::confirm() {
    list_.backups.clear();
    ApplyWatermarkToSettings(list_, record_);
    list_.savedNoneFirstPageOnly = list_.entries[0].firstPageOnly;
    list_.savedNoneInBackground = list_.entries[0].inBackground;
    view_.endDialog(1);
}

void WatermarkListDialog::cancel() {
    RestoreWatermarkList(list_);
    view_.endDialog(0);
}

}  // namespace wren::ui
