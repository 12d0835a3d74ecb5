// The "Font" dialog of the watermark editor: printer font, style and size,
// each a list with an edit above it. It works on its own copy of the four
// values and hands them to the working copy on OK. A portable controller
// over the dialog's view; the Win32 dialog procedure forwards WM_COMMAND.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/dialogs/dialog_view.h"
#include "ui/watermark/watermark_list.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

// The size typed into the edit: empty or no number 0, a negative number 1,
// more than 600 becomes 600.
std::int32_t FontDialogSize(std::u16string_view text);

class WatermarkFontDialog : public ModalController {
public:
    WatermarkFontDialog(WatermarkEnvironment& env, DialogView& view);

    void initialize();                       // WM_INITDIALOG
    void command(int id, int notification);  // WM_COMMAND

    // The dialog's values (for tests and the Win32 side).
    std::int32_t size() const { return size_; }
    std::int32_t fontIndex() const { return fontIndex_; }
    std::int32_t weight() const { return weight_; }
    bool italic() const { return italic_; }

private:
    void fillFonts();
    void selectSize();
    void fontChosen();
    void styleChosen();
    void sizeChosen();
    void sizeTyped();
    void confirm() override;
    int style() const { return (weight_ == 700 ? 2 : 0) + (italic_ ? 1 : 0); }

    WatermarkEnvironment& env_;
    DialogView& view_;
    std::vector<FontListItem> fonts_;
    std::int32_t size_, fontIndex_, weight_;
    bool italic_;
    bool writing_ = false;
};

}  // namespace wren::ui
