// The "Watermarks" dialog: the list of watermarks with "None" first, New,
// Edit and Delete, and the selected entry's two check boxes. OK chooses the
// selected entry for the document; Cancel puts the list back as it was when
// the dialog opened. A portable controller over the dialog's view; the
// Win32 dialog procedure forwards its messages here.
#pragma once

#include "common/settings/private_record.h"
#include "ui/dialogs/dialog_view.h"
#include "ui/watermark/watermark_list.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class WatermarkListDialog : public ModalController {
public:
    WatermarkListDialog(WatermarkEnvironment& env, DialogView& view, PrivateRecord& record);

    void initialize();                       // WM_INITDIALOG
    void command(int id, int notification);  // WM_COMMAND

private:
    void refresh();
    void fillList();
    void selectionChanged();
    void newWatermark();
    void editWatermark();
    void deleteWatermark();
    void checkBox(int id);
    void confirm() override;
    void cancel() override;

    WatermarkEnvironment& env_;
    WatermarkList& list_;
    DialogView& view_;
    PrivateRecord& record_;
};

}  // namespace wren::ui
