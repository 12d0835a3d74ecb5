// The Colour page: the colour mode, custom gamma, the three detail dialogs,
// the swatch program and the logo link. A portable controller over the
// page's view; the Win32 dialog procedure forwards its messages here.
//
// The mode and the detail dialogs' choices are working options of the core
// driver's items (written back when the page is left); the gamma pair, the
// colour-correction choice and `cartridgeOff` are kept here and stored into
// the settings record with the correction tables.
#pragma once

#include <cstdint>
#include <string>

#include "ui/colour/swatch_program.h"
#include "ui/dialogs/dialog_view.h"
#include "ui/pages/page_services.h"

namespace wren::ui {

enum class ColourMode : std::int32_t { Automatic = 0, Halvane = 1, Quillon = 2, NoMatching = 3, Greyscale = 4 };

class ColourPage {
public:
    ColourPage(PageServices& services, DialogView& view, SheetActions& sheet, const MachineRegistry& registry);

    void initialize();                       // WM_INITDIALOG
    void activate();                         // PSN_SETACTIVE
    void refresh();                          // after every change
    void command(int id, int notification);  // WM_COMMAND
    void leave();                            // PSN_KILLACTIVE
    void apply();                            // PSN_APPLY

    // StoreColourSettings: the record's gamma pair, ccmSetting,
    // cartridgeOff and the correction tables of the choice.
    void storeColourSettings();

    // The working colour-correction choice, which Halvane Details edits.
    std::uint32_t& ccmSetting() { return ccm_; }
    std::int32_t customGamma() const { return gamma_; }
    ColourMode mode() const;
    bool linkActive() const { return !linkTarget_.empty(); }

    // The bitmap an owner-drawn picture button of the page shows; 0 for
    // other controls.
    static int pictureBitmap(int control);

private:
    void fillGammaList();
    void refreshGamma();
    void chooseMode(int index);
    void openDetails(int templateId);
    void startSwatch();
    void restoreDefaults();
    void changed();

    PageServices& s_;
    SheetContext& ctx_;
    PrivateRecord& record_;
    DialogView& view_;
    SheetActions& sheet_;
    const MachineRegistry& registry_;

    std::u16string swatchKey_;
    std::u16string linkTarget_;
    std::int32_t gamma_ = 0;        // identifier in the low 16 bits, bit 16: in use
    std::uint32_t ccm_ = 0;
    std::int32_t cartridgeOff_ = 0;
};

}  // namespace wren::ui
