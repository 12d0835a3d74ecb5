#include "ui/pages/finishing_rules.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace wren::ui {
namespace {

using Papers = std::span<const std::string_view>;

bool contains(Papers papers, std::string_view paper) {
    return std::find(papers.begin(), papers.end(), paper) != papers.end();
}

constexpr std::array<std::pair<std::string_view, int>, 4> kPunchUnits{{
    {"Type1", 1}, {"Type2", 2}, {"Type3", 3}, {"Type4", 4}}};

// The layout values the class table tells apart.
constexpr std::uint8_t kLayoutSix = 6;
bool isLayoutOneOrThree(std::uint8_t layout) { return layout == 1 || layout == 3; }

// Paper classes: 0 means no finishing at all, 4 to 7 are the classes a
// simplex job falls back from (to 0 to 3).
struct ClassCell {
    int portrait, landscape;
};
struct PaperClassRow {
    Papers papers;
    ClassCell layoutSix, layoutOneOrThree, otherLayout;
};

constexpr std::string_view kLetterA4[] = {"Letter", "A4"};
constexpr std::string_view kB5[] = {"B5"};
constexpr std::string_view kLargeSheets[] = {"A3", "B4", "Tabloid"};
constexpr std::string_view kLegalSheets[] = {"FanFoldGermanLegal", "ZELegal", "Legal", "Executive"};

const PaperClassRow kPaperClasses[] = {
    {kLetterA4, {4, 4}, {5, 5}, {5, 5}},
    {kB5, {0, 0}, {1, 1}, {1, 1}},
    {kLargeSheets, {4, 4}, {7, 6}, {6, 7}},
    {kLegalSheets, {0, 0}, {3, 2}, {2, 3}},
};

// Which papers each punch unit takes. Units 1 and 3 punch A4 only in the
// orientations the binding position allows (see a4Punchable).
struct PunchUnitRule {
    int unit;
    Papers papers;
    bool a4ByBinding;
};

constexpr std::string_view kPunchAnyStandard[] = {"A3",    "A4",      "B5",    "B4",        "Letter",
                                                  "FanFoldGermanLegal", "ZELegal", "Legal", "Executive", "Tabloid"};
constexpr std::string_view kPunchType1[] = {"A3", "Tabloid", "Letter", "FanFoldGermanLegal", "ZELegal", "Legal"};
constexpr std::string_view kPunchType3[] = {"A3"};

const PunchUnitRule kPunchRules[] = {
    {1, kPunchType1, true},
    {2, kPunchAnyStandard, false},
    {3, kPunchType3, true},
    {4, kPunchAnyStandard, false},
};

// A4 on units 1 and 3: the holes go along one edge only, so whether they
// land on the binding edge depends on the layout, the orientation and
// whether the binding position is one of the first two (0 or 1).
bool a4Punchable(std::uint8_t layout, bool portrait, std::int32_t bindBefore) {
    const bool firstTwoPositions = bindBefore == 0 || bindBefore == 1;
    return (portrait == firstTwoPositions) == isLayoutOneOrThree(layout);
}

// Binding position for class q, given the current one.
std::int32_t bindingFor(int q, std::uint8_t key, std::int32_t b) {
    switch (q) {
    case 0:
        return key == kLayoutSix ? kBindNone : kBindDefault;
    case 1:
        return b == kBindNone ? kBindDefault : b;
    case 2:
    case 6:
        return (b == 2 || b == 3 || (q == 2 && b == kBindNone)) ? 0 : b;
    case 3:
    case 7:
        return (b == 0 || b == 1 || (q == 3 && b == kBindNone)) ? kBindDefault : b;
    case 4:
        return kBindNone;
    default:  // 5 keeps whatever the user chose
        return b;
    }
}

}  // namespace

int punchUnitType(std::string_view keyword) {
    for (const auto& [name, type] : kPunchUnits)
        if (name == keyword) return type;
    return 0;
}

int paperClass(std::string_view pageSize, std::uint8_t layout, bool portrait) {
    for (const PaperClassRow& row : kPaperClasses) {
        if (!contains(row.papers, pageSize)) continue;
        const ClassCell& cell = layout == kLayoutSix          ? row.layoutSix
                                : isLayoutOneOrThree(layout) ? row.layoutOneOrThree
                                                             : row.otherLayout;
        return portrait ? cell.portrait : cell.landscape;
    }
    return 0;
}

bool punchPossible(const FinishingFacts& facts, int unitType, std::int32_t bindBefore) {
    if (facts.layout == kLayoutSix) return false;
    const auto rule = std::find_if(std::begin(kPunchRules), std::end(kPunchRules),
                                   [&](const PunchUnitRule& r) { return r.unit == unitType; });
    if (rule == std::end(kPunchRules)) return false;  // no punch unit (U = 0)
    if (rule->a4ByBinding && facts.pageSize == "A4")
        return a4Punchable(facts.layout, facts.dmOrientation == 1, bindBefore);
    return contains(rule->papers, facts.pageSize);
}

std::uint8_t finishingLayoutKey(const FinishingFacts& facts, int unitType) {
    // The record keeps the key in one byte; folding it into a byte here as
    // well keeps a large layout value from looking changed at every start
    // (which would throw away the user's finishing choices each time).
    unsigned key = facts.layout;
    if (facts.orientationSel == 1) key += 128;
    else if (facts.orientationSel == 2) key += 64;
    key += static_cast<unsigned>(unitType) * 8;
    return static_cast<std::uint8_t>(key & 0xFF);
}

void applyFinishingConsistency(const FinishingFacts& facts, FinishingSelections& s) {
    const int unit = punchUnitType(facts.punchUnit);
    const bool portrait = facts.dmOrientation == 1;
    int q = paperClass(facts.pageSize, facts.layout, portrait);
    if (facts.duplex == "None" && q > 3) q -= 4;

    const std::int32_t bindBefore = s.bind;
    std::int32_t bind = s.bind, staple = s.staple, punch = s.punch;

    // A new paper or layout makes the old finishing choices meaningless.
    const std::uint8_t key = finishingLayoutKey(facts, unit);
    const auto paper = static_cast<std::uint32_t>(static_cast<std::uint16_t>(facts.dmPaperSize));
    if (paper != s.recordPaperSize || key != s.recordLayoutKey) {
        s.recordPaperSize = paper;
        s.recordLayoutKey = key;
        bind = kBindDefault;
        staple = 0;
        punch = 0;
    }

    if (facts.hasBindPosition) bind = bindingFor(q, key, bind);
    if (facts.hasStaple && q == 0) staple = 0;
    if (facts.hasPunch && (q == 0 || bind == kBindNone || !punchPossible(facts, unit, bindBefore))) punch = 0;

    if (facts.hasBindPosition) s.bind = bind;
    if (facts.hasStaple) s.staple = staple;
    if (facts.hasPunch) s.punch = punch;
}

}  // namespace wren::ui
