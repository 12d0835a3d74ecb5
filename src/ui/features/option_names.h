// The option names of two core driver items that the plug-in INI file
// adjusts: paper names the printer family does not want offered, and the
// display names of the user-defined media types.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "ui/features/option_tree.h"

namespace wren::ui {

// "HidePaperName" of section "Plg_Feature": comma-separated paper names.
inline constexpr std::size_t kHidePaperNameChars = 261;
inline constexpr std::size_t kMaxHiddenPaperNames = 12;
inline constexpr std::size_t kMaxPaperNameChars = 64;

// Section "Usertype", keys "USERTYPE1", "USERTYPE2", ...
inline constexpr std::size_t kUserTypeChars = 64;

// The first kMaxHiddenPaperNames fields of the list. A field longer than a
// paper name can be is dropped whole: cutting it would hide a different
// paper, and reading on into it would shift every later name. Empty fields
// name no paper and are dropped too.
std::vector<std::u16string> SplitHiddenPaperNames(std::u16string_view list);

// Hides the listed options of the paper-size item, but only when the item
// has the option that marks the printer description the list is written
// for (the Japanese name of Letter).
void HideListedPaperNames(OptionTree& tree, std::size_t item, const Profile& profile,
                          std::u16string_view pluginIni);

// Gives the last u options of the media-type item the user type names, u
// being the number of names set from USERTYPE1 on. The option's name room
// belongs to the core driver; the tree cuts a longer name.
void ApplyUserMediaTypes(OptionTree& tree, std::size_t item, const Profile& profile,
                         std::u16string_view pluginIni);

}  // namespace wren::ui
