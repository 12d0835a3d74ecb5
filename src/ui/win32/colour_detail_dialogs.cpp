#include "ui/win32/colour_detail_dialogs.h"

#include <commctrl.h>

#include "ui/colour/colour_advanced_dialog.h"
#include "ui/colour/colour_ids.h"
#include "ui/colour/halvane_dialog.h"
#include "ui/colour/quillon_dialog.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/drawing.h"

namespace wren::ui {
namespace {

class Win32TrackBar final : public TrackBar {
public:
    explicit Win32TrackBar(HWND dialog) : dialog_(dialog) {}
    void setRange(int id, int minimum, int maximum) override {
        SendDlgItemMessageW(dialog_, id, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
    }
    void setPosition(int id, int position) override { SendDlgItemMessageW(dialog_, id, TBM_SETPOS, TRUE, position); }

private:
    HWND dialog_;
};

// The Quillon controller with the track bar it drives.
struct QuillonWithTrack {
    Win32TrackBar track;
    QuillonDialog dialog;
    QuillonWithTrack(Win32DialogView& view, ColourDetails details)
        : track(view.window()), dialog(view, track, std::move(details)) {}
    void initialize() { dialog.initialize(); }
    void command(int id, int notification) { dialog.command(id, notification); }
};

}  // namespace

int RunHalvaneDialog(HWND owner, ColourDetails details, const PageServices& services, std::uint32_t& ccmSetting) {
    ModalDialog<HalvaneDialog> modal(services.state, [&](Win32DialogView& view) {
        auto corrections =
            ReadCorrectionSettings(services.profile, CorrectionFile(services.config, services.capabilityFile));
        return std::make_unique<HalvaneDialog>(view, details, std::move(corrections), !services.capabilityFile.empty(),
                                               ccmSetting);
    }, {.other = [](HalvaneDialog& controller, HWND dialog, UINT message, WPARAM, LPARAM lparam) {
        if (message != WM_DRAWITEM || reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlID != IDC_HV_PICTURE)
            return false;
        DrawFramedDib(dialog, uiModule().module, controller.pictureBitmap(), IDC_HV_PICTURE);
        return true;
    }});
    return modal.run(IDD_HALVANE, owner);
}

int RunQuillonDialog(HWND owner, ColourDetails details, UiState& state) {
    ModalDialog<QuillonWithTrack> modal(
        state,
        [&](Win32DialogView& view) { return std::make_unique<QuillonWithTrack>(view, details); },
        {.other = [](QuillonWithTrack& controller, HWND dialog, UINT message, WPARAM, LPARAM lparam) {
        if (message == WM_HSCROLL && reinterpret_cast<HWND>(lparam) == GetDlgItem(dialog, IDC_QL_PRECISION)) {
            controller.dialog.trackMoved(static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lparam), TBM_GETPOS, 0, 0)));
            return true;
        }
        if (message != WM_DRAWITEM) return false;
        const int id = static_cast<int>(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlID);
        const int bitmap = QuillonDialog::pictureBitmap(id);
        if (bitmap == 0) return false;
        DrawControlBitmap(dialog, uiModule().module, id, bitmap);
        return true;
    }});
    return modal.run(IDD_QUILLON, owner);
}

int RunColourAdvancedDialog(HWND owner, ColourDetails details, UiState& state) {
    ModalDialog<ColourAdvancedDialog> modal(
        state,
        [&](Win32DialogView& view) { return std::make_unique<ColourAdvancedDialog>(view, details); });
    return modal.run(IDD_COLOUR_ADVANCED, owner);
}

}  // namespace wren::ui
