// The family's colour swatch program: the model section names a registry
// key under the local machine whose value "install" is the program's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wren::ui {

// Port: string values of keys below HKEY_LOCAL_MACHINE, opened for reading.
class MachineRegistry {
public:
    virtual ~MachineRegistry() = default;
    // Nothing when the key or the value is missing or is not a string.
    virtual std::optional<std::u16string> readString(std::u16string_view keyPath,
                                                     std::u16string_view valueName) const = 0;
};

// "<install>\swatch.exe", or nothing when the program is not installed.
std::optional<std::u16string> SwatchProgramPath(const MachineRegistry& registry, std::u16string_view keyPath);

}  // namespace wren::ui
