// The finishing consistency rules of the Job Options page: at every
// initialisation the binding position, staple and punch selections are
// brought in line with the paper, the duplex setting, the core driver's
// layout value and the punch unit. The page gathers the facts and writes the
// result back; the rules themselves are pure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wren::ui {

struct FinishingFacts {
    std::string pageSize;                // option keyword of PageSize ("A4", "Letter", ...), exact compare
    std::string duplex;                  // option keyword of Duplex ("None", ...)
    std::string punchUnit;               // option keyword of ZEPunchUnit ("Type1".."Type4" or other)
    std::uint8_t layout = 0;             // L: the core driver's layout value (its DEVMODE byte 356)
    std::int16_t dmOrientation = 1;      // 1 portrait, anything else landscape
    std::int32_t orientationSel = 0;     // the orientation item's selection; -1 without that item
    std::int16_t dmPaperSize = 9;        // the document's paper identifier
    bool hasBindPosition = false, hasStaple = false, hasPunch = false;
};

struct FinishingSelections {
    std::int32_t bind = 2, staple = 0, punch = 0;  // working options of ZEBindPosition, ZEStaple, ZEPunch
    std::uint32_t recordPaperSize = 0;             // the record's finishingPaperSize (in/out)
    std::uint8_t recordLayoutKey = 0;              // the record's finishingLayoutKey (in/out)
};

// Binding positions with a meaning of their own in the rules.
inline constexpr std::int32_t kBindDefault = 2;
inline constexpr std::int32_t kBindNone = 4;   // the position that rules out punching

// U: 1 to 4 for "Type1" to "Type4", 0 for any other unit (or none).
int punchUnitType(std::string_view keyword);

// Q0, the paper class (0 to 7) of a paper keyword in a layout and orientation.
int paperClass(std::string_view pageSize, std::uint8_t layout, bool portrait);

// Whether the punch unit can punch this paper; `bindBefore` is the binding
// position as it was before the rules ran.
bool punchPossible(const FinishingFacts& facts, int unitType, std::int32_t bindBefore);

// The layout key stored in the record: L, the orientation item's selection
// and the punch unit folded into one byte.
std::uint8_t finishingLayoutKey(const FinishingFacts& facts, int unitType);

// Runs every rule once. Selections of items the printer description lacks
// are left as they are.
void applyFinishingConsistency(const FinishingFacts& facts, FinishingSelections& selections);

}  // namespace wren::ui
