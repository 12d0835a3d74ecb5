// The local machine's registry as the Colour page reads it.
#pragma once

#include "ui/colour/swatch_program.h"

namespace wren::ui {

class Win32MachineRegistry final : public MachineRegistry {
public:
    std::optional<std::u16string> readString(std::u16string_view keyPath,
                                             std::u16string_view valueName) const override;
};

}  // namespace wren::ui
