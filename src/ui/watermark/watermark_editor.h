// The "Watermark" dialog: text, size and angle (each an edit with a scroll
// bar), font, colour, border, position and its fine adjustment, with a
// preview. It edits the list's working copy; the list dialog decides what
// becomes of it. A portable controller over the dialog's view; the Win32
// dialog procedure forwards WM_COMMAND and WM_HSCROLL here.
#pragma once

#include <string>

#include "ui/dialogs/dialog_view.h"
#include "ui/watermark/watermark_list.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class WatermarkEditor : public ModalController {
public:
    WatermarkEditor(WatermarkEnvironment& env, DialogView& view);

    void initialize();                                   // WM_INITDIALOG
    void command(int id, int notification);              // WM_COMMAND
    void scroll(int scrollBarId, int code, int thumb);   // WM_HSCROLL

private:
    void showRecord();
    void readControls();
    void readOffset(int editId, int upDownId, std::int32_t& offset);
    void numericEdit(int id, int notification);
    void textChanged();
    void choosePosition();
    void chooseFont();
    void chooseColour();
    void confirm() override;
    void setEdit(int id, std::u16string_view text);
    void changed();

    const WatermarkRecord& editedSlot() const;

    WatermarkEnvironment& env_;
    WatermarkList& list_;
    DialogView& view_;
    std::u16string lastGoodSize_, lastGoodAngle_;
    // Set while the editor writes its own controls: their change
    // notifications are not the user's.
    bool writing_ = false;
};

}  // namespace wren::ui
