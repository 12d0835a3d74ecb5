// The About dialog's readers over any printer description and version
// values: every text stays within its field.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/about/about_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wren::ui;
    const std::string_view ppd(reinterpret_cast<const char*>(data), size);
    if (PpdFileVersion(ppd).size() > kPpdVersionChars) std::abort();
    if (PpdCopyright(ppd).size() > kCopyrightChars) std::abort();

    std::u16string wide;
    for (std::uint8_t b : ppd) wide.push_back(static_cast<char16_t>(b));
    const std::size_t third = wide.size() / 3;
    const std::u16string option = size % 5 == 0 ? wide.substr(0, third) : std::u16string();
    const std::u16string driver = wide.substr(third, third).substr(0, kDriverVerChars - 1);
    const std::u16string internal = wide.substr(2 * third).substr(0, kInternalVerChars - 1);
    const std::u16string version = DriverVersionText(option, driver, internal);
    // The version field holds OptionVer's 255 characters, or five plus a
    // tail that leaves it room.
    if (version.size() > kOptionVerChars - 1) std::abort();
    if (PrinterDescriptionPath(wide).size() > kPpdPathChars) std::abort();
    return 0;
}
