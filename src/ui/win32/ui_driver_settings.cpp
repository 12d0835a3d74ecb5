#include "ui/win32/ui_driver_settings.h"

namespace wren::ui {

bool UiDriverSettings::feature(const char* keyword, SettingBuffer& out) const {
    SettingBuffer buffer{};
    DWORD needed = 0, options = 0;
    bool ok = false;
    if (uiobj_ && uiobj_->pOemUIProcs && uiobj_->pOemUIProcs->DrvGetDriverSetting) {
        ok = uiobj_->pOemUIProcs->DrvGetDriverSetting(uiobj_, keyword, buffer.data(), buffer.size(), &needed,
                                                      &options) != FALSE;
    } else if (helper_) {
        ok = SUCCEEDED(helper_->DrvGetDriverSetting(uiobj_, keyword, buffer.data(), buffer.size(), &needed, &options));
    }
    if (!ok) return false;
    buffer.back() = 0;  // an answer that fills the buffer still ends inside it
    out = buffer;
    return true;
}

}  // namespace wren::ui
