// One table for the context help of every page and dialog: pairs of
// (control identifier, topic of the driver's help file), closed by a
// control identifier of 0. WinHelp takes the table as it is; HTML Help gets
// the topic looked up here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace wren::ui {

inline constexpr std::uint32_t kHelpTopicDefaultButton = 1;
inline constexpr std::uint32_t kHelpTopicOk = 3;
inline constexpr std::uint32_t kHelpTopicCancel = 4;

// The pairs flattened, as 32-bit values, terminator included.
std::span<const std::uint32_t> HelpIdentifierMap();

// The topic of a control; matches only control identifiers (even
// positions), never a topic number that happens to be equal.
std::optional<std::uint32_t> FindHelpTopic(std::span<const std::uint32_t> map, std::uint32_t controlId);
inline std::optional<std::uint32_t> FindHelpTopic(std::uint32_t controlId) {
    return FindHelpTopic(HelpIdentifierMap(), controlId);
}

}  // namespace wren::ui
