// Finding the driver configuration files among a printer driver's dependent
// files: the capability file (".cap"), the plug-in INI file (".ini" naming a
// plug-in in [OEMFiles]) and the version file (".ver").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace wren {

// At most this much of the spooler's list is examined.
inline constexpr std::size_t kDependentListChars = 3072;
// Paths kept from the list fit the 260-character path buffers.
inline constexpr std::size_t kMaxPathChars = 260;

struct ConfigFiles {
    bool found = false;                          // an .ini or .cap name was seen
    std::optional<std::u16string> pluginIni;     // last .ini whose OEMConfigFile1 is set
    std::u16string capabilityFile;               // last .cap, empty when none
};

// Walks a DRIVER_INFO_3 dependent-file list (NUL-separated, closed by a
// second NUL). Every name is examined; a later match replaces an earlier one.
// `oemConfigChars` is the buffer for OEMConfigFile1 (64 in wrenui, 128 in wrenps).
ConfigFiles scanDependentFiles(std::u16string_view list, const Profile& profile,
                               std::size_t oemConfigChars);

// The last dependent file ending in ".ver", if any.
std::optional<std::u16string> findVersionFile(std::u16string_view list);

// The folder of a path: up to and including the backslash before the first
// dot in its first 258 characters. Nothing when there is no such dot or
// backslash.
std::optional<std::u16string> folderOfPath(std::u16string_view path);

}  // namespace wren
