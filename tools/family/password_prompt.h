// The stand-in cipher library's own password dialog: a small modal window
// with one password field, built from an in-memory template so that the
// library needs no resources.
#pragma once

#include <optional>
#include <string>

namespace wren::stand_in {

inline constexpr wchar_t kPasswordPromptTitle[] = L"Encrypted Secure Print";
inline constexpr int kPasswordFieldId = 101;

// The password the user typed (system code page, at most 32 bytes), or
// nothing when the dialog was cancelled or could not be shown.
std::optional<std::string> askPassword();

}  // namespace wren::stand_in
