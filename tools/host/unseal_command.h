// wrenhost unseal <job> (--password P | --card-data HEX) <out>: the printer's
// side of an encrypted job. Writes the plain job, or names the one reason it
// does not open and fails.
#pragma once

#include <string>
#include <vector>

namespace wren::host {

int unseal(const std::vector<std::wstring>& args);

// A password as the key material the plug-in hands the cipher library: 8-bit
// text in the system code page.
std::string passwordKey(const std::wstring& password);

}  // namespace wren::host
