// Opening up the driver files that the plug-ins write or that other users'
// processes read (the plug-in INI file, the PPD, the colour-correction
// file): the spooler installs them for itself alone and read-only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_security.h"

namespace wren::ui {

// Everyone gets full access (a null DACL). When that is refused, the
// Administrators group takes ownership (with SeTakeOwnershipPrivilege for a
// second try) and the DACL is set again. Then the read-only attribute goes.
// Failures are not reported: the printer works without them, only less
// conveniently.
void OpenUpFile(FileSecurity& security, std::u16string_view path);

// The printer description beside the plug-in INI file: the three characters
// after the path's first "." (within 257 characters) become "PPD". Nothing
// when there is no such dot.
std::optional<std::u16string> PpdBesidePluginIni(std::u16string_view pluginIni);

}  // namespace wren::ui
