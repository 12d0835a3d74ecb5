// Blanks around a line's fields in the host's own text formats (PPD
// statements, script lines).
#pragma once

#include <string_view>

namespace wren::host {

inline std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

}  // namespace wren::host
