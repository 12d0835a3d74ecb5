// The Advanced dialog: mirror and negative printing, job spooling to the
// printer's disk, the maintenance cycle, fine lines and the compression
// level. Its boxes edit working options of the core driver's items.
#pragma once

#include <cstdint>

#include "common/settings/private_record.h"
#include "ui/dialogs/dialog_view.h"
#include "ui/dialogs/ui_strings.h"
#include "ui/features/sheet_context.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class AdvancedDialog : public ModalController {
public:
    // `compressionModel` is the model's "Compression" value.
    AdvancedDialog(DialogView& view, SheetContext& context, PrivateRecord& record, const UiStrings& strings,
                   bool hardDisk, int compressionModel);

    void initialize();
    void command(int id, int notification);
    // Icon 7001..7004 for the picture of the two "Special" boxes.
    int specialPictureId() const;

private:
    bool offersDefaults() const override { return true; }
    void restoreDefaults() override;
    void confirm() override;

    DialogView& view_;
    SheetContext& ctx_;
    PrivateRecord& record_;
    const UiStrings& strings_;
    bool hardDisk_;
    int compressionModel_;
    std::uint16_t compression_;
};

}  // namespace wren::ui
