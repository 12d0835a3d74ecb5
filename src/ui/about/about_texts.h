// The four texts of the About dialog: the driver's name, its version from
// the version file, and the printer description's version and copyright
// line. Every text is bounded by the field it fills.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/config/driver_config.h"
#include "platform/file_source.h"
#include "platform/profile.h"

namespace wren::ui {

inline constexpr std::size_t kPpdLineBytes = 255;       // one line as it is read
inline constexpr std::size_t kPpdVersionChars = 31;
inline constexpr std::size_t kCopyrightChars = 255;
inline constexpr std::size_t kPpdPathChars = 255;
inline constexpr std::size_t kOptionVerChars = 256;     // value buffers, with the terminator
inline constexpr std::size_t kDriverVerChars = 32;
inline constexpr std::size_t kInternalVerChars = 512;

struct AboutTexts {
    std::u16string driverName;
    std::u16string driverVersion;
    std::u16string ppdVersion;
    std::u16string copyright;
};

// The printer description beside the plug-in INI file: its path up to and
// including the first dot, then "PPD"; each character narrowed to its low
// byte. Empty when the path has no dot.
std::u16string PrinterDescriptionPath(std::u16string_view pluginIni);

// From the printer description's bytes: the text between the first two
// double quotes of the first line with "FileVersion" and a quote; the text
// after the first blank of the first line with "Copyright" and a blank.
std::string PpdFileVersion(std::string_view ppd);
std::string PpdCopyright(std::string_view ppd);

// The driver version from the version file's values: "OptionVer" when it
// is set, otherwise the first five characters after the comma of
// "DriverVer" and what follows the second hyphen of "InternalVer".
std::u16string DriverVersionText(std::u16string_view optionVer, std::u16string_view driverVer,
                                 std::u16string_view internalVer);

// "InternalVer" of the version file; empty without one.
std::u16string InternalVersion(const Profile& profile, const DriverConfig& config);

AboutTexts ReadAboutTexts(const Profile& profile, const DriverConfig& config, const FileSource& files,
                          std::u16string_view pluginIni);

}  // namespace wren::ui
