// A window's pixels as a PNG file.
#pragma once

#include <windows.h>

#include <string>

namespace wren::host {

// Captures `window` (with its frame) and writes it to `path`; the error
// says why when it returns false.
bool saveScreenshot(HWND window, const std::wstring& path, std::string& error);

}  // namespace wren::host
