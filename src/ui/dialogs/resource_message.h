// Message boxes whose text and caption come from the string table.
#pragma once

#include <cstdint>

#include "ui/dialogs/dialog_view.h"
#include "ui/dialogs/ui_strings.h"

namespace wren::ui {

inline constexpr std::size_t kMessageTextChars = 300;
inline constexpr std::size_t kMessageCaptionChars = 80;

// Caption 0 leaves the system's default title. Returns the box's result.
int ShowResourceMessage(DialogView& owner, const UiStrings& strings, int textId, int captionId,
                        std::uint32_t flags);

}  // namespace wren::ui
