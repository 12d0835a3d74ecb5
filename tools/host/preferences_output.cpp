#include "preferences_output.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace wren::host {

std::string sheetOutputPrefix(const std::string& sheetName) { return sheetName.empty() ? "" : sheetName + ": "; }

void printSheetLine(const std::string& prefix, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::vector<char> text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    std::printf("%s%s\n", prefix.c_str(), text.data());
    std::fflush(stdout);
}

}  // namespace wren::host
