// The document name as the job header carries it: 8-bit in the system code
// page, in an 80-byte buffer (79 bytes and the terminator), inside double
// quotes.
#pragma once

#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace wren {

inline constexpr std::size_t kDocumentNameBytes = 80;

// Cleans an 8-bit name byte by byte: a double quote becomes a blank (it would
// end the quoted PJL value), a tab is kept, any other control byte ends the
// name, and a double-byte character is kept only when whole and valid.
std::string cleanDocumentName(std::string_view name, const CodePage& codePage);

}  // namespace wren
