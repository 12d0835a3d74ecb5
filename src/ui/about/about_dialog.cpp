#include "ui/about/about_dialog.h"

#include "ui/colour/colour_ids.h"
#include "ui/pages/control_events.h"

namespace wren::ui {

bool StrictlyInside(const PixelRect& rect, int x, int y) {
    return x > rect.left && x < rect.right && y > rect.top && y < rect.bottom;
}

PixelRect InternalVersionArea(const PixelRect& dialog, const PixelRect& copyrightField) {
    return {dialog.left + 10, copyrightField.bottom + 2, dialog.right - 10, copyrightField.bottom + 22};
}

AboutDialog::AboutDialog(DialogView& view, AboutTexts texts, std::u16string internalVersion)
    : view_(view), texts_(std::move(texts)), internalVersion_(std::move(internalVersion)) {}

void AboutDialog::initialize() {
    view_.setText(IDC_AB_DRIVER_NAME, texts_.driverName);
    view_.setText(IDC_AB_DRIVER_VERSION, texts_.driverVersion);
    view_.setText(IDC_AB_PPD_VERSION, texts_.ppdVersion);
    view_.setText(IDC_AB_COPYRIGHT, texts_.copyright);
}

void AboutDialog::command(int id, int) {
    if (id == kIdOk) view_.endDialog(1);
    if (id == kIdCancel) view_.endDialog(0);
}

std::u16string AboutDialog::revealedText(bool control, bool shift, bool insideVersionField) const {
    return control && shift && insideVersionField ? internalVersion_ : std::u16string();
}

}  // namespace wren::ui
