// Halvane Details: the ink simulation, the black finish, the colour
// settings and the "Tintmend Settings" colour correction. Works on copies
// that OK takes over.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/colour/colour_data_files.h"
#include "ui/colour/colour_details.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

class HalvaneDialog : public ModalController {
public:
    // `corrections`: the settings of the colour-correction file's sections
    // "Color" then "Gamma" with their item data; `capabilityFound`: the
    // driver has a capability file. `ccmSetting` is the page's working value.
    HalvaneDialog(DialogView& view, ColourDetails details, std::vector<std::pair<NamedSetting, int>> corrections,
                  bool capabilityFound, std::uint32_t& ccmSetting);

    void initialize();
    void refresh();
    void command(int id, int notification);
    int pictureBitmap() const;  // for the owner-drawn picture 1214

    std::uint32_t workingCcm() const { return ccm_; }

private:
    bool offersDefaults() const override { return true; }
    void restoreDefaults() override;
    void confirm() override;

    DialogView& view_;
    ColourDetails d_;
    std::vector<std::pair<NamedSetting, int>> corrections_;
    bool capabilityFound_;
    std::uint32_t& pageCcm_;

    std::int32_t simulation_;
    std::int32_t blackFinish_;
    std::int32_t style_;
    std::uint32_t ccm_;
};

}  // namespace wren::ui
