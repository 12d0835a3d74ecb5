// Quillon Details: ICC-profile colour matching. The method decides which
// groups of controls are shown; the CMYK profile kind decides which of the
// input and link profile lists is in use. Works on copies of twelve
// features' working options that OK takes over.
#pragma once

#include "ui/colour/colour_details.h"
#include "ui/colour/track_bar.h"
#include "ui/features/feature_ids.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

enum class QuillonMethod : std::int32_t { IccMatching = 0, PrinterSimulation = 1, CreatingProfile = 2, Application = 3 };

class QuillonDialog : public ModalController {
public:
    QuillonDialog(DialogView& view, TrackBar& trackBar, ColourDetails details);

    void initialize();
    void refresh();
    void command(int id, int notification);
    void trackMoved(int position);  // WM_HSCROLL of the precision bar

    std::int32_t working(Feature f) const { return copy_[f].sel; }
    // The bitmap an owner-drawn picture shows; 0 for other controls.
    static int pictureBitmap(int control);

private:
    bool offersDefaults() const override { return true; }
    void restoreDefaults() override;
    void confirm() override;
    std::int32_t& sel(Feature f) { return copy_[f].sel; }

    DialogView& view_;
    TrackBar& track_;
    ColourDetails d_;
    DocumentFeatures copy_;
};

}  // namespace wren::ui
