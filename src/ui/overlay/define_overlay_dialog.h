// The "Define Overlays" dialog: one overlay's name, the pages it prints on
// and its forms (at most three), with the history of typed form names. It
// edits the environment's copy of the overlay; the Overlays dialog decides
// what becomes of it. A portable controller over the dialog's view.
#pragma once

#include <string>

#include "ui/dialogs/dialog_view.h"
#include "ui/overlay/overlay_environment.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class DefineOverlayDialog : public ModalController {
public:
    DefineOverlayDialog(OverlayEnvironment& env, DialogView& view);

    void initialize();                       // WM_INITDIALOG
    void command(int id, int notification);  // WM_COMMAND

private:
    void fillHistory();
    void fillForms(int selected);
    void showPageMode();
    void customPagesUpdated();
    void pageModeChosen();
    void formNameEdited();
    void historyChosen();
    void formChosen();
    void addForm();
    void renameForm();
    void deleteForm();
    void confirm() override;

    std::u16string formName() const;
    bool inForms(std::u16string_view name) const;
    bool refusedName(std::u16string_view name);
    void setFormButtons();
    void write(int id, std::u16string_view text);
    void refuse(int stringId);

    OverlayEnvironment& env_;
    overlay::OverlayList& list_;
    overlay::OverlayRecord& record_;
    DialogView& view_;
    // Set while the dialog writes its own fields: their notifications are
    // not the user's.
    bool writing_ = false;
};

}  // namespace wren::ui
