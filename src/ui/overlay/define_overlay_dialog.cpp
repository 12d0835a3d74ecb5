#include "ui/overlay/define_overlay_dialog.h"

#include <algorithm>

#include "ui/dialogs/resource_message.h"
#include "ui/overlay/overlay_ids.h"
#include "ui/overlay/overlay_text_rules.h"
#include "ui/pages/control_events.h"
#include "ui/dialogs/programmatic_write.h"

namespace wren::ui {

using overlay::kCustomPageChars;
using overlay::kMaxForms;
using overlay::kNameChars;

namespace {

constexpr std::uint16_t kCustomMode = static_cast<std::uint16_t>(overlay::PageMode::Custom);
constexpr int kPageModes = 5;

}  // namespace

DefineOverlayDialog::DefineOverlayDialog(OverlayEnvironment& env, DialogView& view)
    : ModalController(view, 0), env_(env), list_(*env.list), record_(env.editing), view_(view) {}

void DefineOverlayDialog::write(int id, std::u16string_view text) {
    const ProgrammaticWrite writing(writing_);
    view_.setText(id, text);
}

void DefineOverlayDialog::initialize() {
    view_.listClear(ov::kPageModeList);
    for (int mode = 0; mode < kPageModes; ++mode)
        view_.listAdd(ov::kPageModeList, env_.strings.load(ov::kStringFirstPageMode + mode), mode);
    if (record_.pageMode >= kPageModes) record_.pageMode = 0;
    view_.setTextLimit(ov::kNameEdit, int(kNameChars));
    view_.setTextLimit(ov::kCustomPagesEdit, int(kCustomPageChars));
    view_.setTextLimit(ov::kFormNameBox, int(kNameChars));
    view_.detachInputMethod(ov::kCustomPagesEdit);
    view_.detachInputMethod(ov::kFormNameBox);

    fillHistory();
    write(ov::kNameEdit, record_.name);
    showPageMode();
    write(ov::kCustomPagesEdit, record_.customPages);
    record_.formCount = std::min<std::uint16_t>(record_.formCount, kMaxForms);
    fillForms(-1);
    write(ov::kFormNameBox, record_.formCount > 0 ? record_.forms[0] : std::u16string());
    for (int id : {ov::kFormAddButton, ov::kFormRenameButton, ov::kFormDeleteButton}) view_.enable(id, false);
}

void DefineOverlayDialog::fillHistory() {
    // Emptying the combo box's list empties its field too.
    const std::u16string typed = formName();
    {
        const ProgrammaticWrite writing(writing_);
        view_.listClear(ov::kFormNameBox);
        for (std::size_t i = 0; i < list_.historyCount; ++i)
            view_.listAdd(ov::kFormNameBox, list_.history[i], std::intptr_t(i));
        view_.setText(ov::kFormNameBox, typed);
    }
}

void DefineOverlayDialog::fillForms(int selected) {
    view_.listClear(ov::kFormList);
    for (std::size_t i = 0; i < record_.formCount; ++i) view_.listAdd(ov::kFormList, record_.forms[i], std::intptr_t(i));
    if (selected >= 0) view_.listSelect(ov::kFormList, selected);
}

void DefineOverlayDialog::showPageMode() { view_.listSelect(ov::kPageModeList, record_.pageMode); }

void DefineOverlayDialog::command(int id, int notification) {
    if (closingButton(id, notification)) return;
    switch (id) {
    case ov::kCustomPagesEdit:
        if (notification == kEditUpdate && !writing_) customPagesUpdated();
        return;
    case ov::kPageModeList:
        if (notification == kSelectionChanged) pageModeChosen();
        return;
    case ov::kFormNameBox:
        if (writing_) return;
        if (notification == kSelectionChanged) historyChosen();
        else if (notification == ov::kComboEditChange) formNameEdited();
        return;
    case ov::kFormList:
        if (notification == kSelectionChanged) formChosen();
        return;
    case ov::kFormAddButton:
        if (notification == kClicked && view_.enabled(id)) addForm();
        return;
    case ov::kFormRenameButton:
        if (notification == kClicked && view_.enabled(id)) renameForm();
        return;
    case ov::kFormDeleteButton:
        if (notification == kClicked && view_.enabled(id)) deleteForm();
        return;
    default:
        return;
    }
}

void DefineOverlayDialog::customPagesUpdated() {
    view_.detachInputMethod(ov::kCustomPagesEdit);
    const std::u16string text = view_.text(ov::kCustomPagesEdit, kCustomPageChars);
    FilteredText filtered = filterCustomPages(text);
    if (filtered.removed > 0) {
        view_.beep();
        const int caret = view_.caret(ov::kCustomPagesEdit);
        write(ov::kCustomPagesEdit, filtered.text);
        view_.setCaret(ov::kCustomPagesEdit, std::max(0, caret - int(filtered.removed)));
    }
    if (!filtered.text.empty()) record_.pageMode = kCustomMode;
    else if (record_.pageMode == kCustomMode) record_.pageMode = 0;
    showPageMode();
}

void DefineOverlayDialog::pageModeChosen() {
    const int position = view_.listSelection(ov::kPageModeList);
    if (position < 0 || position >= kPageModes) return;
    record_.pageMode = static_cast<std::uint16_t>(position);
    if (record_.pageMode != kCustomMode) write(ov::kCustomPagesEdit, u"");
}

std::u16string DefineOverlayDialog::formName() const { return view_.text(ov::kFormNameBox, kNameChars); }

bool DefineOverlayDialog::inForms(std::u16string_view name) const {
    const auto end = record_.forms.begin() + record_.formCount;
    return std::find(record_.forms.begin(), end, name) != end;
}

void DefineOverlayDialog::setFormButtons() {
    const std::u16string name = formName();
    const bool fresh = !name.empty() && !inForms(name);
    view_.enable(ov::kFormAddButton, fresh && record_.formCount < kMaxForms);
    view_.enable(ov::kFormRenameButton, fresh && view_.listSelection(ov::kFormList) >= 0);
}

void DefineOverlayDialog::formNameEdited() {
    view_.detachInputMethod(ov::kFormNameBox);
    const FilteredText filtered = filterFormName(formName());
    if (filtered.removed > 0) {
        view_.beep();
        const int caret = view_.caret(ov::kFormNameBox);
        write(ov::kFormNameBox, filtered.text);
        view_.setCaret(ov::kFormNameBox, std::max(0, caret - int(filtered.removed)));
    }
    setFormButtons();
}

void DefineOverlayDialog::historyChosen() {
    const int position = view_.listSelection(ov::kFormNameBox);
    if (position < 0 || std::size_t(position) >= list_.historyCount) return;
    write(ov::kFormNameBox, list_.history[std::size_t(position)]);
    setFormButtons();
}

void DefineOverlayDialog::formChosen() {
    const int position = view_.listSelection(ov::kFormList);
    if (position < 0 || position >= record_.formCount) return;
    write(ov::kFormNameBox, record_.forms[std::size_t(position)]);
    view_.enable(ov::kFormAddButton, false);
    view_.enable(ov::kFormRenameButton, false);
    view_.enable(ov::kFormDeleteButton, true);
}

void DefineOverlayDialog::refuse(int stringId) {
    view_.beep();
    ShowResourceMessage(view_, env_.strings, stringId, 0, kMessageStop);
}

// The printer cannot find a form whose name ends in a full stop.
bool DefineOverlayDialog::refusedName(std::u16string_view name) {
    if (!name.empty() && name.back() == u'.') {
        refuse(ov::kStringTrailingDot);
        view_.focus(ov::kFormNameBox);
        return true;
    }
    return false;
}

void DefineOverlayDialog::addForm() {
    const std::u16string name = formName();
    if (name.empty() || inForms(name) || record_.formCount >= kMaxForms || refusedName(name)) return;
    rememberFormName(list_, name);
    record_.forms[record_.formCount++] = name;
    fillHistory();
    fillForms(record_.formCount - 1);
    view_.enable(ov::kFormAddButton, false);
    view_.enable(ov::kFormRenameButton, false);
    view_.enable(ov::kFormDeleteButton, true);
    view_.focus(ov::kFormNameBox);
}

void DefineOverlayDialog::renameForm() {
    const std::u16string name = formName();
    const int position = view_.listSelection(ov::kFormList);
    if (name.empty() || position < 0 || position >= record_.formCount || refusedName(name)) return;
    rememberFormName(list_, name);
    record_.forms[std::size_t(position)] = name;
    fillHistory();
    fillForms(position);
    write(ov::kFormNameBox, record_.forms[0]);
    view_.enable(ov::kFormAddButton, false);
    view_.enable(ov::kFormRenameButton, false);
    view_.focus(ov::kFormNameBox);
}

void DefineOverlayDialog::deleteForm() {
    const int position = view_.listSelection(ov::kFormList);
    if (position < 0 || position >= record_.formCount) return;
    auto& forms = record_.forms;
    std::move(forms.begin() + position + 1, forms.begin() + record_.formCount, forms.begin() + position);
    forms[--record_.formCount].clear();
    fillForms(-1);
    setFormButtons();
    view_.enable(ov::kFormRenameButton, false);
    view_.enable(ov::kFormDeleteButton, false);
    view_.focus(ov::kFormNameBox);
}

void DefineOverlayDialog::confirm() {
    const std::u16string name = view_.text(ov::kNameEdit, kNameChars);
    if (name.empty()) {
        refuse(ov::kStringNoName);
        view_.focus(ov::kNameEdit);
        return;
    }
    for (std::size_t n = 0; n < list_.definedCount; ++n) {
        if (n == env_.editedNumber || list_.overlays[n].name != name) continue;
        refuse(ov::kStringNameTaken);
        view_.focus(ov::kNameEdit);
        view_.selectAll(ov::kNameEdit);
        return;
    }
    if (record_.formCount == 0) {
        refuse(ov::kStringNoForms);
        return;
    }
    record_.name = name;
    record_.customPages = view_.text(ov::kCustomPagesEdit, kCustomPageChars);
    if (record_.pageMode != kCustomMode) record_.customPages.clear();
    else if (record_.customPages.empty()) record_.pageMode = 0;
    view_.endDialog(1);
}

}  // namespace wren::ui
