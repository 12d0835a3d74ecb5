// Port: the core driver's DrvGetDriverSetting, as the rendering plug-in uses
// it: always into a 64-byte buffer.
#pragma once

#include <array>
#include <cstdint>

namespace wren {

using SettingBuffer = std::array<std::uint8_t, 64>;

class DriverSettings {
public:
    virtual ~DriverSettings() = default;
    // The selected option of a PPD feature (8-bit keyword); false on failure,
    // leaving `out` as it was.
    virtual bool feature(const char* keyword, SettingBuffer& out) const = 0;
    // A predefined setting by index (2 = PostScript output option).
    virtual bool predefined(std::uint32_t index, SettingBuffer& out) const = 0;
};

}  // namespace wren
