#include "ui/colour/swatch_program.h"

namespace wren::ui {

std::optional<std::u16string> SwatchProgramPath(const MachineRegistry& registry, std::u16string_view keyPath) {
    if (keyPath.empty()) return std::nullopt;
    std::optional<std::u16string> folder = registry.readString(keyPath, u"install");
    if (!folder) return std::nullopt;
    return *folder + u"\\swatch.exe";
}

}  // namespace wren::ui
