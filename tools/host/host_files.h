// Text and file helpers of the host's Windows side: UTF-8 for its messages,
// wide text for Win32, whole files read at once.
#pragma once

#include <string>

namespace wren::host {

std::string narrow(const std::wstring& text);   // UTF-8
std::wstring wide(const std::u16string& text);
// The whole file; HostError "cannot read <path>" when it does not open.
std::string readFile(const std::wstring& path);

}  // namespace wren::host
