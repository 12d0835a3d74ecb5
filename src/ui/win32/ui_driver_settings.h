// The core driver's current feature selections as the UI pages read them:
// DrvGetDriverSetting through the OEMUIOBJ's procedures when the core driver
// fills them, else through its helper interface.
#pragma once

#include "platform/driver_settings.h"
#include "platform/win32/oem_interfaces.h"

namespace wren::ui {

class UiDriverSettings final : public DriverSettings {
public:
    UiDriverSettings(POEMUIOBJ uiobj, IPrintOemDriverUI* helper) : uiobj_(uiobj), helper_(helper) {}
    bool feature(const char* keyword, SettingBuffer& out) const override;
    bool predefined(std::uint32_t, SettingBuffer&) const override { return false; }

private:
    POEMUIOBJ uiobj_;
    IPrintOemDriverUI* helper_;
};

}  // namespace wren::ui
