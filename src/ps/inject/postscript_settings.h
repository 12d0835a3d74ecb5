// PostScript settings the printer's own procedures read from globaldict: the
// page layout, colour mode, position adjustment, white adjustment, resolution
// and cartridge entries of the prolog, the halftone gamma feature and the
// media-override fragment of the setup.
#pragma once

#include <string>

#include "ps/job/render_context.h"

namespace wren {

// "globaldict /<key> <value> put \r\n\n"
std::string globalEntry(std::string_view key, std::string_view value);

// The entries written at the beginning of the prolog, in their order.
std::string prologSettings(const RenderContext& ctx, bool icCardPresent);
// The adjustment entries for the public DEVMODE's duplex mode.
std::string adjustmentEntries(const PrivateRecord& record, int duplex);
bool adjustmentApplies(const RenderContext& ctx);

// At the end of the setup: the gamma feature block (true when every write was
// complete), then the media-override fragment.
bool writeGammaFeature(RenderContext& ctx);
// False when the fragment applies and did not reach the stream whole.
bool writeMediaOverride(RenderContext& ctx);

extern const std::string_view kMediaOverrideFragment;

}  // namespace wren
