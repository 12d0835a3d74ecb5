// The Colour page's Advanced dialog: the printer's own halftones, black
// overprint, optimised grey halftones and the colour separations. Its
// boxes show and, on OK, set working options of the core driver's items.
#pragma once

#include "ui/colour/colour_details.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class ColourAdvancedDialog : public ModalController {
public:
    ColourAdvancedDialog(DialogView& view, ColourDetails details);

    void initialize();
    void command(int id, int notification);

private:
    bool offersDefaults() const override { return true; }
    void restoreDefaults() override;
    void confirm() override;

    DialogView& view_;
    ColourDetails d_;
};

}  // namespace wren::ui
