// The watermark text as a PostScript string literal's body: the printer
// receives it between "(" and ")", so the delimiters and the escape
// character must be escaped, and the text may not run past the printer's
// string limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wren {

// Bytes of the text that are considered at all.
inline constexpr std::size_t kEscapeInputLimit = 384;
// A longer escaped text is cut to kEscapeInputLimit bytes.
inline constexpr std::size_t kEscapedTextLimit = 385;

// Escapes "(", ")" and "\" with a "\" in front; a control byte other than
// a tab ends the text. A result over kEscapedTextLimit bytes is cut to
// kEscapeInputLimit, and a cut that leaves an odd run of "\" at the end
// drops the last one, so that the closing ")" is never escaped.
std::string escapePostScriptText(std::string_view text);

}  // namespace wren
