// Measures a created dialog: every control's text against its control in
// the dialog's own font, the font itself against the one the template
// names, and the controls against each other.
#pragma once

#include <windows.h>

#include <string>

// Prints one line per fault (FONT, NO GLYPH, OVERFLOW, OVERLAP) and returns
// their number. templateFace is the face the dialog template names; verbose
// also prints every text's measure.
int reportFit(HWND dialog, const std::wstring& templateFace, bool verbose);
