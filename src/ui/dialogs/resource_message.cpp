#include "ui/dialogs/resource_message.h"

namespace wren::ui {

int ShowResourceMessage(DialogView& owner, const UiStrings& strings, int textId, int captionId,
                        std::uint32_t flags) {
    const std::u16string text = strings.load(textId, kMessageTextChars);
    const std::u16string caption = captionId != 0 ? strings.load(captionId, kMessageCaptionChars) : std::u16string();
    return owner.messageBox(text, caption, flags);
}

}  // namespace wren::ui
