// The "Overlays" dialog: the overlay mode, the active overlays of the
// document (at most four, in order) and the defined overlays (at most 32),
// with New, Edit and Delete for the definitions. OK hands the mode and the
// active overlays to the document and keeps the definitions pending until
// the sheet is applied; Cancel forgets the opening. A portable controller
// over the dialog's view; the Win32 procedure forwards its messages here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/dialogs/dialog_view.h"
#include "ui/overlay/overlay_environment.h"
#include "ui/overlay/overlay_ids.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class OverlaysDialog : public ModalController {
public:
    OverlaysDialog(OverlayEnvironment& env, DialogView& view);

    void initialize();                             // WM_INITDIALOG
    void command(int id, int notification);        // WM_COMMAND
    void listEvent(int id, ov::ListEvent event);   // WM_NOTIFY of the two lists

private:
    void fillModes();
    void setUpList(int id);
    void fillActive();
    void fillDefined();
    void setButtons();
    std::vector<std::size_t> selectedRows(int id) const;
    void clearSelection(int id);

    void modeChosen();
    void addToActive();
    void removeFromActive();
    void newOverlay();
    void editOverlay();
    void deleteDefined();
    void confirm() override;
    void cancel() override;
    void afterEdit();

    overlay::OverlayList& list();

    OverlayEnvironment& env_;
    DialogView& view_;
    std::int32_t mode_ = 0;  // the working option of ZEOverlay
};

}  // namespace wren::ui
