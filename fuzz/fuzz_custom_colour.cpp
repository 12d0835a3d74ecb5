// Custom-colour values of the colour chooser's INI section: any text gives a
// colour of three 8-bit components, and a formatted colour reads back.
#include <string>

#include "common/config/ini_document.h"
#include "ui/watermark/custom_colours.h"

using namespace wren;
using namespace wren::ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string value = fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::uint32_t colour = ParseCustomColour(value);
    if (colour > 0x00FFFFFF) __builtin_trap();
    const std::string text = std::to_string(colour & 0xFF) + "," + std::to_string(colour >> 8 & 0xFF) + "," +
                             std::to_string(colour >> 16 & 0xFF);
    if (ParseCustomColour(fromUtf8(text)) != colour) __builtin_trap();
    return 0;
}
