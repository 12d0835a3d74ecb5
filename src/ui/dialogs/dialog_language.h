// Which language's copy of a dialog template to use for the user's
// language, given the languages the library carries for that template.
#pragma once

#include <cstdint>
#include <span>

namespace wren::ui {

// `languages` in the order the resource enumeration gives them. Returns the
// chosen language, or 0 when none fits (the standard loader then picks the
// neutral set).
std::uint16_t FindBestDialogLanguage(std::span<const std::uint16_t> languages, std::uint16_t wantedLanguage);

}  // namespace wren::ui
