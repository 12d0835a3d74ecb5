// Port: the plug-in's own string table in the user's language
// (LoadLocalizedString). An empty or missing entry is an empty text.
#pragma once

#include <cstddef>
#include <string>

namespace wren::ui {

class UiStrings {
public:
    virtual ~UiStrings() = default;
    virtual std::u16string load(int id, std::size_t capacity = 300) const = 0;
};

// String numbers shared by several pages.
inline constexpr int kStringWarningCaption = 10041;  // "Warning"

}  // namespace wren::ui
