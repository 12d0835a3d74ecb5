#include "ui/overlay/overlays_dialog.h"

#include "ui/dialogs/control_ranges.h"
#include "ui/dialogs/resource_message.h"
#include "ui/features/write_back.h"
#include "ui/overlay/overlay_list_edits.h"
#include "ui/pages/control_events.h"
#include "ui/pages/page_text.h"

namespace wren::ui {

using overlay::kMaxActive;
using overlay::kMaxOverlays;

OverlaysDialog::OverlaysDialog(OverlayEnvironment& env, DialogView& view)
    : ModalController(view, 0), env_(env), view_(view) {}

overlay::OverlayList& OverlaysDialog::list() { return *env_.list; }

void OverlaysDialog::initialize() {
    fillModes();
    setUpList(ov::kActiveList);
    setUpList(ov::kDefinedList);
    const std::u16string maximum = env_.strings.load(ov::kStringMaximum);
    view_.setText(ov::kActiveMax, formatNumbers(maximum, {long(kMaxActive)}));
    view_.setText(ov::kDefinedMax, formatNumbers(maximum, {long(kMaxOverlays)}));

    env_.list = &env_.session.openDialog(env_.record.overlayIds);
    if (!env_.state.settingsWritable)
        for (int id : {ov::kNewButton, ov::kEditButton, ov::kDeleteButton}) view_.destroy(id);

    if (env_.context.has(Feature::ZEOverlay)) {
        mode_ = env_.context[Feature::ZEOverlay].sel;
        for (int position = 0; position < view_.listCount(ov::kModeList); ++position)
            if (view_.listData(ov::kModeList, position) == mode_) view_.listSelect(ov::kModeList, position);
    }
    fillActive();
    fillDefined();
    setButtons();
    if (env_.noPermission) EnableControlRange(view_, ov::kModeList, ov::kDeleteButton, false);
    env_.state.pluginChanged = true;
}

void OverlaysDialog::fillModes() {
    view_.listClear(ov::kModeList);
    if (!env_.context.has(Feature::ZEOverlay)) return;
    const std::size_t item = env_.context[Feature::ZEOverlay].index;
    std::size_t count = env_.tree.optionCount(item);
    // Making forms is offered only where the settings cannot be written.
    if (env_.state.settingsWritable && count > 0) --count;
    for (std::size_t option = 0; option < count; ++option)
        view_.listAdd(ov::kModeList, env_.tree.optionName(item, option), std::intptr_t(option));
}

void OverlaysDialog::setUpList(int id) {
    const int width = view_.clientWidth(id) / 2 - 2;
    view_.reportAddColumn(id, 0, env_.strings.load(ov::kStringOverlayColumn), width);
    view_.reportAddColumn(id, 1, env_.strings.load(ov::kStringPageColumn), width);
}

void OverlaysDialog::fillActive() {
    view_.reportClear(ov::kActiveList);
    for (std::size_t i = 0; i < list().activeCount; ++i) {
        const std::size_t number = list().active[i];
        if (number >= list().definedCount) continue;  // names no record: never shown
        const overlay::OverlayRecord& r = list().overlays[number];
        view_.reportAddRow(ov::kActiveList, r.name, overlayPagesText(r, env_.strings));
    }
}

void OverlaysDialog::fillDefined() {
    view_.reportClear(ov::kDefinedList);
    for (std::size_t n = 0; n < list().definedCount; ++n) {
        const overlay::OverlayRecord& r = list().overlays[n];
        view_.reportAddRow(ov::kDefinedList, r.name, overlayPagesText(r, env_.strings));
    }
}

std::vector<std::size_t> OverlaysDialog::selectedRows(int id) const {
    std::vector<std::size_t> rows;
    for (int row = 0; row < view_.reportCount(id); ++row)
        if (view_.reportSelected(id, row)) rows.push_back(std::size_t(row));
    return rows;
}

void OverlaysDialog::clearSelection(int id) {
    for (int row = 0; row < view_.reportCount(id); ++row) view_.reportSelect(id, row, false);
}

void OverlaysDialog::setButtons() {
    if (env_.noPermission || !env_.list) return;
    const std::vector<std::size_t> active = selectedRows(ov::kActiveList);
    const std::vector<std::size_t> defined = selectedRows(ov::kDefinedList);
    bool chosenActive = false;
    for (std::size_t n : defined) chosenActive = chosenActive || isActive(list(), n);
    view_.enable(ov::kRemoveButton, list().activeCount > 0 && !active.empty());
    view_.enable(ov::kNewButton, list().definedCount < kMaxOverlays);
    view_.enable(ov::kAddButton,
                 !defined.empty() && list().activeCount + defined.size() <= kMaxActive && !chosenActive);
    view_.enable(ov::kEditButton, defined.size() == 1);
    view_.enable(ov::kDeleteButton, !defined.empty());
}

void OverlaysDialog::listEvent(int id, ov::ListEvent event) {
    if (!env_.list || (id != ov::kActiveList && id != ov::kDefinedList)) return;
    switch (event) {
    case ov::ListEvent::ItemChanged:
        break;
    case ov::ListEvent::Focused:
        clearSelection(id == ov::kActiveList ? ov::kDefinedList : ov::kActiveList);
        break;
    case ov::ListEvent::DoubleClicked:
        if (id == ov::kDefinedList && env_.state.settingsWritable && !env_.noPermission &&
            !selectedRows(id).empty())
            editOverlay();
        return;
    }
    setButtons();
}

void OverlaysDialog::command(int id, int notification) {
    if (!env_.list && id != kIdCancel) return;
    if (closingButton(id, notification)) return;
    switch (id) {
    case ov::kModeList:
        if (notification == kSelectionChanged) modeChosen();
        return;
    case ov::kAddButton:
        if (notification == kClicked && view_.enabled(id)) addToActive();
        return;
    case ov::kRemoveButton:
        if (notification == kClicked && view_.enabled(id)) removeFromActive();
        return;
    case ov::kNewButton:
        if (notification == kClicked && view_.enabled(id)) newOverlay();
        return;
    case ov::kEditButton:
        if (notification == kClicked && view_.enabled(id)) editOverlay();
        return;
    case ov::kDeleteButton:
        if (notification == kClicked && view_.enabled(id)) deleteDefined();
        return;
    default:
        return;
    }
}

void OverlaysDialog::modeChosen() {
    const int position = view_.listSelection(ov::kModeList);
    if (position < 0) return;
    mode_ = std::int32_t(view_.listData(ov::kModeList, position));
    if (mode_ == ov::kCreateFormOption)
        ShowResourceMessage(view_, env_.strings, ov::kStringCreateForm, ov::kStringInformation, kMessageInfo);
    env_.changed();
}

void OverlaysDialog::afterEdit() {
    setButtons();
    view_.focus(ov::kNewButton);
    env_.changed();
}

void OverlaysDialog::addToActive() {
    activateOverlays(list(), selectedRows(ov::kDefinedList));
    fillActive();
    clearSelection(ov::kDefinedList);
    afterEdit();
}

void OverlaysDialog::removeFromActive() {
    deactivateOverlays(list(), selectedRows(ov::kActiveList));
    fillActive();
    afterEdit();
}

void OverlaysDialog::newOverlay() {
    if (list().definedCount >= kMaxOverlays) return;
    env_.editing = overlay::OverlayRecord{};
    env_.editing.name = env_.strings.load(ov::kStringNewOverlay, overlay::kNameChars);
    env_.editedNumber = list().definedCount;
    if (env_.run(ov::kDefineDialog) == 1) {
        list().overlays[list().definedCount++] = env_.editing;
        fillDefined();
    }
    setButtons();
    env_.changed();
}

void OverlaysDialog::editOverlay() {
    const std::vector<std::size_t> chosen = selectedRows(ov::kDefinedList);
    if (chosen.empty() || chosen.front() >= list().definedCount) return;
    env_.editedNumber = chosen.front();
    env_.editing = list().overlays[env_.editedNumber];
    if (env_.run(ov::kDefineDialog) == 1) {
        list().overlays[env_.editedNumber] = env_.editing;
        fillActive();
        fillDefined();
    }
    afterEdit();
}

void OverlaysDialog::deleteDefined() {
    deleteOverlays(list(), selectedRows(ov::kDefinedList));
    fillActive();
    fillDefined();
    afterEdit();
}

void OverlaysDialog::confirm() {
    if (env_.context.has(Feature::ZEOverlay)) env_.context[Feature::ZEOverlay].sel = mode_;
    WriteBackSelections(env_.context, env_.tree);
    env_.session.confirmDialog(env_.record.overlayIds);
    env_.list = nullptr;
    view_.endDialog(1);
}

void OverlaysDialog::cancel() {
    if (env_.list) env_.session.cancelDialog();
    env_.list = nullptr;
    view_.endDialog(0);
}

}  // namespace wren::ui
