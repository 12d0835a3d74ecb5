// Overlays in a job: the printer's own procedures lay stored forms over
// chosen pages. The job carries those procedures (copied from the driver's
// data files into the prolog) and a form dictionary in the document setup
// that names, for each active overlay, its forms and the pages they go on.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ps/job/render_context.h"

namespace wren {

// One overlay as the job uses it, read from the store's main sections.
struct OverlayUse {
    std::vector<std::u16string> forms;
    std::uint16_t pageMode = 0;
    std::u16string customPages;  // for page mode 4
};

// "1,3-5,7-" → {1,1} {3,5} {7,9999}: each item's first and last page, as
// text (a single page is its own range, an open range runs to 9999).
std::vector<std::pair<std::u16string, std::u16string>> parsePageList(std::u16string_view pages);

// The definition of overlay `number` in the plug-in INI file.
OverlayUse readOverlayUse(const Profile& profile, std::u16string_view iniFile, unsigned number);

// The form dictionary for the overlays in use; the lines with form names
// and pages go through the locale conversion.
std::string formDictionary(const std::vector<OverlayUse>& overlays, const CodePage& codePage);

// At the start of the prolog, before the settings: the common procedures,
// the overlay and the overprint procedures as the features ask. Copies what
// it can; a job without them still prints.
void writeOverlayProcedureSets(RenderContext& ctx);
// In the document setup, when overlays are on.
void writeOverlayFormDictionary(RenderContext& ctx);

}  // namespace wren
