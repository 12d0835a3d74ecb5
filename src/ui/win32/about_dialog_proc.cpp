#include "ui/win32/about_dialog_proc.h"

#include <vector>

#include "platform/win32/win32_ports.h"
#include "ui/about/about_dialog.h"
#include "ui/colour/colour_ids.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/drawing.h"

namespace wren::ui {
namespace {

// The dialog's own device context for one drawing.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's rectangle in the dialog's client coordinates.
PixelRect clientRectOf(HWND dialog, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void drawInternalVersion(HWND dialog, const std::u16string& text) {
    HWND copyright = GetDlgItem(dialog, IDC_AB_COPYRIGHT);
    if (text.empty() || !copyright) return;
    const PixelRect area = InternalVersionArea(clientRectOf(dialog, dialog), clientRectOf(dialog, copyright));
    RECT r{area.left, area.top, area.right, area.bottom};
    // DT_MODIFYSTRING writes the shortened text and its ellipsis back.
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.resize(buffer.size() + 5, L'\0');
    WindowDc dc(dialog);
    if (!dc.get()) return;
    HGDIOBJ previous = SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    SetBkMode(dc.get(), TRANSPARENT);
    DrawTextW(dc.get(), buffer.data(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    SelectObject(dc.get(), previous);
}

bool aboutMessage(AboutDialog& controller, HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DRAWITEM:
        if (reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->CtlID != IDC_AB_PICTURE) return false;
        DrawControlBitmap(dialog, uiModule().module, IDC_AB_PICTURE, IDB_ABOUT);
        return true;
    case WM_LBUTTONDBLCLK: {
        HWND field = GetDlgItem(dialog, IDC_AB_DRIVER_VERSION);
        const int x = static_cast<short>(LOWORD(lparam)), y = static_cast<short>(HIWORD(lparam));
        const bool inside = field && StrictlyInside(clientRectOf(dialog, field), x, y);
        drawInternalVersion(dialog,
                            controller.revealedText((wparam & MK_CONTROL) != 0, (wparam & MK_SHIFT) != 0, inside));
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

int RunAboutDialog(HWND owner, const PageServices& services) {
    ModalDialog<AboutDialog> modal(services.state, [&](Win32DialogView& view) {
        AboutTexts texts =
            ReadAboutTexts(services.profile, services.config, win32::ports().files, services.context.pluginIni);
        return std::make_unique<AboutDialog>(view, std::move(texts), InternalVersion(services.profile, services.config));
    }, {.other = &aboutMessage});
    return modal.run(IDD_ABOUT_DIALOG, owner);
}

}  // namespace wren::ui
