#include "host_files.h"

#include <cstdio>

#include "common/config/ini_document.h"
#include "host_error.h"

namespace wren::host {

std::string narrow(const std::wstring& text) { return toUtf8(std::u16string(text.begin(), text.end())); }

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::string readFile(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) throw HostError("cannot read " + narrow(path));
    std::string data;
    char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) data.append(chunk, n);
    std::fclose(file);
    return data;
}

}  // namespace wren::host
