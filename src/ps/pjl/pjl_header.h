// The PJL envelope of every job that is not EPS output: the header before
// the first PostScript byte and the trailer after the last.
#pragma once

#include "ps/job/render_context.h"

namespace wren {

// Both report whether every counted write was complete.
bool writeJobHeader(RenderContext& ctx);
bool writeJobTrailer(RenderContext& ctx);

// The driver version of a "DriverVer" value: the text after the first comma,
// up to a double quote or the end.
std::string driverVersionText(std::u16string_view driverVer);

// The compression level the printer's FLATE decoder is told (0 = no line).
int flateLevel(std::uint16_t compressionLevel);

}  // namespace wren
