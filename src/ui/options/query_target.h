// The printer the printer sheet asks about, and the option libraries and
// files its model names. From the option query button the sheet's files
// serve; at page activation the dependent files are looked up afresh (into
// the sheet's files and the process's last lookup) and the port comes from
// the printer's information.
#pragma once

#include <optional>
#include <string_view>

#include "ui/options/installer_ports.h"
#include "ui/options/last_lookup.h"
#include "ui/options/option_query.h"

namespace wren::ui {

// `window` is the sheet, for the libraries' own dialogs; a fresh lookup is
// also remembered in `last`, for the installer's exports. Nothing when the
// printer does not open, or a fresh lookup finds no configuration.
std::optional<OptionQueryTarget> FindQueryTarget(const InstallerPorts& ports, LastLookup& last,
                                                 std::u16string_view printerName, void* window, LookupState& files,
                                                 bool lookup);

}  // namespace wren::ui
