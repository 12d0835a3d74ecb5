// What the option-query stand-ins report: section [Report] of their INI file,
// copied into an option data file under the printer's name, the way the real
// libraries leave what the printer answered.
#pragma once

#include <string>

namespace wren::stand_in {

// The INI file and folder of the DLL that holds this code.
std::wstring ownIniFile();
std::wstring ownFolder();  // with its closing backslash

// The printer's 8-bit name (system code page) as a section name.
std::wstring widePrinterName(const char* printer);

// Replaces the printer's section of `dataFile` with [Report] of the INI
// file; false when the file cannot be written.
bool writeOptionReport(const std::wstring& dataFile, const char* printer);

}  // namespace wren::stand_in
