// The lines a printing-preferences sheet writes to stdout. When several
// sheets are up in one process their lines interleave, so each starts with
// its sheet's name; a sheet alone has no prefix and writes what it always did.
#pragma once

#include <string>

namespace wren::host {

// "sheet 2 (Wren Info): " for the second of several sheets; empty alone.
std::string sheetOutputPrefix(const std::string& sheetName);

// Writes prefix, the formatted text and a newline as one whole line (one
// call into the C library, which locks the stream for it) and flushes.
// (MinGW's C++ library uses its own, standard printf: gnu_printf formats.)
void printSheetLine(const std::string& prefix, const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));

}  // namespace wren::host
