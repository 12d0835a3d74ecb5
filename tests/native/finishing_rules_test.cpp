#include <gtest/gtest.h>

#include <vector>

#include "ui/pages/finishing_rules.h"

namespace wren::ui {
namespace {

constexpr std::int16_t kPortrait = 1, kLandscape = 2;

// ---- Paper class ------------------------------------------------------------

struct ClassExpectation {
    std::vector<std::string_view> papers;
    int six[2], oneOrThree[2], other[2];  // {portrait, landscape}
};

TEST(FinishingPaperClass, EveryPaperInEveryLayoutAndOrientation) {
    const std::vector<ClassExpectation> table = {
        {{"Letter", "A4"}, {4, 4}, {5, 5}, {5, 5}},
        {{"B5"}, {0, 0}, {1, 1}, {1, 1}},
        {{"A3", "B4", "Tabloid"}, {4, 4}, {7, 6}, {6, 7}},
        {{"FanFoldGermanLegal", "ZELegal", "Legal", "Executive"}, {0, 0}, {3, 2}, {2, 3}},
        // Any other paper, including near misses of the names above.
        {{"A5", "", "a4", "Letter ", "LegalExtra"}, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const ClassExpectation& row : table)
        for (std::string_view paper : row.papers)
            for (int o = 0; o < 2; ++o) {
                const bool portrait = o == 0;
                SCOPED_TRACE(std::string(paper) + (portrait ? " portrait" : " landscape"));
                EXPECT_EQ(paperClass(paper, 6, portrait), row.six[o]);
                for (std::uint8_t l : {1, 3}) EXPECT_EQ(paperClass(paper, l, portrait), row.oneOrThree[o]) << int(l);
                for (std::uint8_t l : {0, 2, 5, 7, 255}) EXPECT_EQ(paperClass(paper, l, portrait), row.other[o]) << int(l);
            }
}

TEST(FinishingPunchUnit, OnlyTheFourTypeKeywordsCount) {
    EXPECT_EQ(punchUnitType("Type1"), 1);
    EXPECT_EQ(punchUnitType("Type2"), 2);
    EXPECT_EQ(punchUnitType("Type3"), 3);
    EXPECT_EQ(punchUnitType("Type4"), 4);
    for (std::string_view other : {"", "None", "Type5", "Type0", "type1", "Type1 "})
        EXPECT_EQ(punchUnitType(other), 0) << other;
}

TEST(FinishingLayoutKey, FoldsLayoutOrientationItemAndUnitIntoOneByte) {
    struct Case { std::uint8_t layout; std::int32_t orientationSel; int unit; std::uint8_t key; };
    for (const Case& c : std::vector<Case>{
             {1, 0, 0, 1}, {1, 1, 0, 129}, {1, 2, 0, 65}, {1, -1, 0, 1}, {1, 3, 0, 1},
             {6, 0, 3, 30}, {0, 1, 4, 160},
             {200, 1, 4, 104},  // 200 + 128 + 32 = 360 wraps to fit the record's byte
         }) {
        FinishingFacts f{.layout = c.layout, .orientationSel = c.orientationSel};
        EXPECT_EQ(finishingLayoutKey(f, c.unit), c.key) << int(c.layout) << "/" << c.orientationSel << "/" << c.unit;
    }
}

// ---- Punch-possible test ----------------------------------------------------

bool punchable(std::string_view paper, int unit, std::uint8_t layout = 0, std::int16_t orientation = kPortrait,
               std::int32_t bindBefore = 2) {
    FinishingFacts f{.pageSize = std::string(paper), .layout = layout, .dmOrientation = orientation};
    return punchPossible(f, unit, bindBefore);
}

TEST(FinishingPunchPossible, PaperListsPerUnit) {
    struct Case { int unit; std::vector<std::string_view> pass, fail; };
    const std::vector<Case> cases = {
        {2, {"A3", "A4", "B5", "B4", "Letter", "FanFoldGermanLegal", "ZELegal", "Legal", "Executive", "Tabloid"},
         {"A5", "", "a3"}},
        {4, {"A3", "A4", "B5", "B4", "Letter", "FanFoldGermanLegal", "ZELegal", "Legal", "Executive", "Tabloid"},
         {"A5", "Statement"}},
        {1, {"A3", "Tabloid", "Letter", "FanFoldGermanLegal", "ZELegal", "Legal"}, {"B5", "B4", "Executive", "A5"}},
        {3, {"A3"}, {"Letter", "B4", "Tabloid", "Legal", "B5"}},
        {0, {}, {"A3", "A4", "Letter"}},   // no punch unit
        {5, {}, {"A3", "A4"}},             // not a unit type at all
    };
    for (const Case& c : cases) {
        for (std::string_view p : c.pass) EXPECT_TRUE(punchable(p, c.unit)) << "U" << c.unit << " " << p;
        for (std::string_view p : c.fail) EXPECT_FALSE(punchable(p, c.unit)) << "U" << c.unit << " " << p;
    }
}

TEST(FinishingPunchPossible, LayoutSixNeverPunches) {
    for (int unit : {1, 2, 3, 4})
        for (std::int16_t o : {kPortrait, kLandscape}) EXPECT_FALSE(punchable("A3", unit, 6, o)) << unit;
}

TEST(FinishingPunchPossible, A4OnUnitsOneAndThreeDependsOnLayoutOrientationAndBindingBefore) {
    struct Case { const char* name; std::vector<std::uint8_t> layouts; std::int16_t orientation;
                  std::vector<std::int32_t> bindBefore; bool pass; };
    const std::vector<Case> cases = {
        {"L1/3 portrait, first two positions", {1, 3}, kPortrait, {0, 1}, true},
        {"L1/3 portrait, other positions", {1, 3}, kPortrait, {2, 3, 4}, false},
        {"L1/3 landscape, first two positions", {1, 3}, kLandscape, {0, 1}, false},
        {"L1/3 landscape, other positions", {1, 3}, kLandscape, {2, 3, 4}, true},
        {"other L portrait, first two positions", {0, 2, 5}, kPortrait, {0, 1}, false},
        {"other L portrait, other positions", {0, 2, 5}, kPortrait, {2, 3, 4}, true},
        {"other L landscape, first two positions", {0, 2, 5}, kLandscape, {0, 1}, true},
        {"other L landscape, other positions", {0, 2, 5}, kLandscape, {2, 3, 4}, false},
        {"L6 overrides the A4 rule", {6}, kLandscape, {0, 1, 2}, false},
    };
    for (const Case& c : cases)
        for (int unit : {1, 3})
            for (std::uint8_t l : c.layouts)
                for (std::int32_t b0 : c.bindBefore)
                    EXPECT_EQ(punchable("A4", unit, l, c.orientation, b0), c.pass)
                        << c.name << ": U" << unit << " L" << int(l) << " B0=" << b0;
    // Units 2 and 4 take A4 whatever the binding.
    for (int unit : {2, 4}) EXPECT_TRUE(punchable("A4", unit, 1, kPortrait, 2)) << unit;
}

// ---- Binding position by class ----------------------------------------------

TEST(FinishingBinding, EachClassRule) {
    struct Case { const char* name; std::string paper; std::string duplex; std::uint8_t layout;
                  std::int16_t orientation; std::vector<std::pair<std::int32_t, std::int32_t>> bindInOut; };
    const std::vector<Case> cases = {
        {"Q0 other paper: default", "A5", "DuplexNoTumble", 0, kPortrait, {{0, 2}, {3, 2}, {4, 2}}},
        {"Q0 key 6: position 4", "A4", "None", 6, kPortrait, {{0, 4}, {2, 4}}},
        {"Q1 drops 4 only", "B5", "DuplexNoTumble", 0, kPortrait, {{4, 2}, {0, 0}, {1, 1}, {3, 3}}},
        {"Q2 moves 2, 3, 4 to 0", "Legal", "DuplexNoTumble", 0, kPortrait, {{2, 0}, {3, 0}, {4, 0}, {1, 1}}},
        {"Q6 moves 2, 3 to 0, keeps 4", "A3", "DuplexNoTumble", 0, kPortrait, {{2, 0}, {3, 0}, {4, 4}, {1, 1}}},
        {"Q3 moves 0, 1, 4 to 2", "Legal", "DuplexNoTumble", 0, kLandscape, {{0, 2}, {1, 2}, {4, 2}, {3, 3}}},
        {"Q7 moves 0, 1 to 2, keeps 4", "A3", "DuplexNoTumble", 0, kLandscape, {{0, 2}, {1, 2}, {4, 4}, {3, 3}}},
        {"Q4 forces 4", "Tabloid", "DuplexNoTumble", 6, kPortrait, {{0, 4}, {2, 4}}},
        {"Q5 keeps the choice", "Letter", "DuplexNoTumble", 1, kLandscape, {{0, 0}, {3, 3}, {4, 4}}},
        // Simplex lowers classes 4 to 7 by four, and only those.
        {"Q5 simplex becomes Q1", "A4", "None", 0, kPortrait, {{4, 2}, {3, 3}}},
        {"Q7 simplex becomes Q3", "B4", "None", 1, kPortrait, {{0, 2}, {4, 2}}},
        {"Q6 simplex becomes Q2", "A3", "None", 0, kPortrait, {{4, 0}}},
        {"Q2 simplex stays Q2", "Executive", "None", 0, kPortrait, {{2, 0}, {4, 0}}},
        {"Q3 simplex stays Q3", "ZELegal", "None", 0, kLandscape, {{0, 2}, {4, 2}}},
    };
    for (const Case& c : cases)
        for (auto [in, out] : c.bindInOut) {
            FinishingFacts f{.pageSize = c.paper, .duplex = c.duplex, .layout = c.layout,
                             .dmOrientation = c.orientation, .orientationSel = -1, .hasBindPosition = true};
            FinishingSelections s{.bind = in, .recordPaperSize = 9, .recordLayoutKey = c.layout};
            applyFinishingConsistency(f, s);
            EXPECT_EQ(s.bind, out) << c.name << ", B in " << in;
        }
}

// ---- The whole run ------------------------------------------------------------

FinishingFacts allItems(FinishingFacts f) {
    f.hasBindPosition = f.hasStaple = f.hasPunch = true;
    return f;
}

// Selections whose record already matches the facts, so nothing resets.
FinishingSelections settled(const FinishingFacts& f, std::int32_t bind, std::int32_t staple, std::int32_t punch) {
    return {bind, staple, punch, static_cast<std::uint32_t>(f.dmPaperSize),
            finishingLayoutKey(f, punchUnitType(f.punchUnit))};
}

struct RunCase {
    const char* name;
    FinishingFacts facts;
    FinishingSelections in, out;
};

void expectSame(const FinishingSelections& got, const FinishingSelections& want, const std::string& what) {
    EXPECT_EQ(got.bind, want.bind) << what;
    EXPECT_EQ(got.staple, want.staple) << what;
    EXPECT_EQ(got.punch, want.punch) << what;
    EXPECT_EQ(got.recordPaperSize, want.recordPaperSize) << what;
    EXPECT_EQ(got.recordLayoutKey, want.recordLayoutKey) << what;
}

TEST(FinishingConsistency, WholeRuns) {
    const auto a4Duplex = allItems({.pageSize = "A4", .duplex = "DuplexNoTumble", .punchUnit = "Type2"});  // Q5
    const auto a5 = allItems({.pageSize = "A5", .duplex = "DuplexNoTumble", .punchUnit = "Type2"});        // Q0
    const auto b5 = allItems({.pageSize = "B5", .duplex = "DuplexNoTumble", .punchUnit = "Type2"});        // Q1
    const auto a3Portrait = allItems({.pageSize = "A3", .duplex = "DuplexNoTumble", .punchUnit = "Type2"}); // Q6
    const auto a4Type1 = allItems({.pageSize = "A4", .duplex = "DuplexNoTumble", .punchUnit = "Type1"});
    auto changedPaper = a4Duplex;
    changedPaper.dmPaperSize = 1;
    auto changedOrientationItem = a4Duplex;
    changedOrientationItem.orientationSel = 1;
    auto none = a4Duplex;
    none.hasBindPosition = none.hasStaple = none.hasPunch = false;
    none.dmPaperSize = 1;

    const std::vector<RunCase> cases = {
        {"settled Q5 keeps everything", a4Duplex, settled(a4Duplex, 1, 1, 1), settled(a4Duplex, 1, 1, 1)},
        {"new paper resets and records", changedPaper, settled(a4Duplex, 1, 1, 1), settled(changedPaper, 2, 0, 0)},
        {"new layout key resets and records", changedOrientationItem, settled(a4Duplex, 0, 1, 1),
         settled(changedOrientationItem, 2, 0, 0)},
        {"Q0 clears staple and punch", a5, settled(a5, 3, 1, 1), settled(a5, 2, 0, 0)},
        {"Q5 with position 4 clears punch only", a4Duplex, settled(a4Duplex, 4, 1, 1), settled(a4Duplex, 4, 1, 0)},
        {"Q6 keeps position 4, so punch goes", a3Portrait, settled(a3Portrait, 4, 1, 1), settled(a3Portrait, 4, 1, 0)},
        {"punch sees the position after the binding rule", b5, settled(b5, 4, 1, 1), settled(b5, 2, 1, 1)},
        {"failed punch test clears punch only", a4Type1, settled(a4Type1, 0, 1, 1), settled(a4Type1, 0, 1, 0)},
        {"passed punch test keeps it", a4Type1, settled(a4Type1, 2, 1, 1), settled(a4Type1, 2, 1, 1)},
        {"absent items untouched, record still follows", none, settled(a4Duplex, 1, 1, 1), settled(none, 1, 1, 1)},
    };
    for (const RunCase& c : cases) {
        FinishingSelections s = c.in;
        applyFinishingConsistency(c.facts, s);
        expectSame(s, c.out, c.name);
        // Every page initialisation runs the rules again: a second run must
        // not move anything further.
        applyFinishingConsistency(c.facts, s);
        expectSame(s, c.out, std::string(c.name) + " (second run)");
    }
}

TEST(FinishingConsistency, AbsentItemsAreLeftAloneEvenWhenTheirRuleWouldFire) {
    // Q0 on A5 would reset every selection; each absent item keeps its own.
    for (int present = 0; present < 8; ++present) {
        FinishingFacts f{.pageSize = "A5", .hasBindPosition = (present & 1) != 0, .hasStaple = (present & 2) != 0,
                         .hasPunch = (present & 4) != 0};
        FinishingSelections s = settled(f, 3, 1, 1);
        applyFinishingConsistency(f, s);
        EXPECT_EQ(s.bind, f.hasBindPosition ? 2 : 3) << present;
        EXPECT_EQ(s.staple, f.hasStaple ? 0 : 1) << present;
        EXPECT_EQ(s.punch, f.hasPunch ? 0 : 1) << present;
    }
}

}  // namespace
}  // namespace wren::ui
