#include <gtest/gtest.h>

#include <set>

#include "fake_option_tree.h"
#include "fakes.h"
#include "ui/features/feature_mapping.h"
#include "ui/features/feature_tables.h"
#include "ui/features/option_names.h"

namespace wren::ui {
namespace {

using test::FakeItem;
using test::FakeOptionTree;

constexpr std::u16string_view kIni = u"C:\\drivers\\zeplugin.ini";
constexpr std::u16string_view kHelp = u"C:\\drivers\\zehelp.chm";
const std::u16string kLetter = u"\u30EC\u30BF\u30FC";

struct MappingFixture : ::testing::Test {
    FakeOptionTree tree;
    test::FakeProfile profile;
    SheetContext context;
    PaperItems paperItems;

    void ini(std::string_view text) { profile.addFile(std::u16string(kIni), text); }
    void map(int compression = 0) {
        MapDocumentFeatures(context, tree, profile, kIni, compression, kHelp, paperItems);
    }
};

// ---------------------------------------------------------------------------
// Keywords

struct KeywordCase {
    const char* keyword;
    std::optional<Feature> feature;
    std::optional<std::uint32_t> helpTopic;
    bool hidden;
};

// A sample across the table, written from the printer family's list.
const KeywordCase kKeywordCases[] = {
    {"ZEOutputMode", Feature::ZEOutputMode, 854, true},
    {"ZEOutputModeBlack", Feature::ZEOutputModeBlack, 851, true},
    {"OutputBin", Feature::OutputBin, 849, true},
    {"ZEMediaType", std::nullopt, 877, false},
    {"ZEMPTPageSizeCheck", std::nullopt, 605, false},
    {"ZEEnvRotate", std::nullopt, 2201, false},
    {"ZEDrumClean", Feature::ZEDrumClean, 1203, true},
    {"ZEJob_Type", Feature::ZEJob_Type, std::nullopt, true},
    {"ZEHalftoneMode", Feature::ZEHalftoneMode, std::nullopt, true},
    {"ZETone", std::nullopt, 1302, false},
    {"ZEBindPosition", Feature::ZEBindPosition, 824, true},
    {"ZEImageSmoothing", Feature::ZEImageSmoothing, std::nullopt, true},
    {"ZEFITTOTRAY3", Feature::ZEFITTOTRAY3, std::nullopt, true},
    {"ZEPrintBlkTxt", std::nullopt, 430, false},
    {"ZEBlackFinishSubGra", Feature::ZEBlackFinishSubGra, std::nullopt, true},
};

TEST_F(MappingFixture, KeywordRowsKeepHideAndHelpAsListed) {
    tree.add(FakeItem::role(1));  // so no keyword item sits at position 0
    for (const auto& c : kKeywordCases) tree.add(FakeItem::feature(c.keyword, 3));
    map();
    EXPECT_EQ(tree.helpExtensionsMade, 1);
    EXPECT_EQ(tree.helpFile, kHelp);
    for (std::size_t i = 0; i < std::size(kKeywordCases); ++i) {
        const auto& c = kKeywordCases[i];
        const FakeItem& item = tree[i + 1];
        SCOPED_TRACE(c.keyword);
        EXPECT_EQ((item.flags & kItemHide) != 0, c.hidden);
        EXPECT_EQ(item.helpTopic, c.helpTopic);
        EXPECT_EQ((item.flags & kItemPolymorphic) != 0, c.helpTopic.has_value());
        if (c.feature) {
            EXPECT_EQ(context[*c.feature].index, i + 1);
            EXPECT_EQ(context[*c.feature].sel, 3);
        }
    }
}

// Every keyword slot of the context is filled by exactly one row, so no
// page reads a feature the mapping can never find.
TEST(FeatureTables, EveryKeywordFeatureHasOneRow) {
    std::multiset<Feature> seen;
    std::set<std::string_view> keywords;
    for (const auto& row : DocumentKeywords()) {
        EXPECT_TRUE(keywords.insert(row.keyword).second) << row.keyword;
        if (row.feature) seen.insert(*row.feature);
    }
    for (auto f = static_cast<int>(Feature::ZEOutputMode); f < static_cast<int>(Feature::Count); ++f)
        EXPECT_EQ(seen.count(static_cast<Feature>(f)), 1u) << "feature " << f;
}

TEST_F(MappingFixture, KeywordsCompareWholeAndWithCase) {
    for (const char* near : {"zeoutputmode", "ZEOutput", "ZEOutputModeX", "ZEOutputMode ", " ZEOutputMode"})
        tree.add(FakeItem::feature(near));
    const std::size_t black = tree.add(FakeItem::feature("ZEOutputModeBlack"));
    map();
    for (std::size_t i = 0; i < black; ++i) {
        EXPECT_EQ(tree[i].flags, 0u) << tree[i].keyword;
        EXPECT_FALSE(tree[i].helpTopic);
    }
    EXPECT_FALSE(context.has(Feature::ZEOutputMode));
    EXPECT_EQ(context[Feature::ZEOutputModeBlack].index, black);
    EXPECT_EQ(tree[black].helpTopic, 851u);
}

TEST_F(MappingFixture, StapleGetsItsUserItemId) {
    const std::size_t staple = tree.add(FakeItem::feature("ZEStaple", 1));
    const std::size_t punch = tree.add(FakeItem::feature("ZEPunch"));
    map();
    EXPECT_EQ(tree[staple].userItemId, 200);
    EXPECT_EQ(tree[staple].helpTopic, 822u);
    EXPECT_EQ(tree[punch].userItemId, 0);
}

// ---------------------------------------------------------------------------
// Roles, names and the feature number

TEST_F(MappingFixture, RolesKeepWhatTheTableSays) {
    const std::size_t orientation = tree.add(FakeItem::role(1, 1));
    const std::size_t scale = tree.add(FakeItem::role(2, 90));
    const std::size_t copies = tree.add(FakeItem::role(3, 4));
    const std::size_t source = tree.add(FakeItem::role(4));
    const std::size_t quality = tree.add(FakeItem::role(5, 2));
    const std::size_t duplex = tree.add(FakeItem::role(7));
    const std::size_t media = tree.add(FakeItem::role(12));
    const std::size_t nup = tree.add(FakeItem::role(16, 3));
    map();
    EXPECT_EQ(context[Feature::Orientation].index, orientation);
    EXPECT_EQ(context[Feature::Orientation].sel, 0);  // index only
    EXPECT_EQ(context[Feature::Scale].sel, 90);
    EXPECT_EQ(context[Feature::Copies].sel, 4);
    EXPECT_EQ(context[Feature::PrintQuality].sel, 2);
    EXPECT_EQ(context[Feature::Duplex].index, duplex);
    EXPECT_EQ(context[Feature::Nup].index, nup);
    EXPECT_FALSE(context.has(Feature::Color));
    EXPECT_EQ(paperItems.paperSource, source);
    EXPECT_EQ(paperItems.mediaType, media);
    for (std::size_t i : {scale, copies, quality}) EXPECT_TRUE(tree[i].flags & kItemHide) << i;
    for (std::size_t i : {orientation, source, duplex, media, nup}) EXPECT_EQ(tree[i].flags, 0u) << i;
}

TEST_F(MappingFixture, OnlyFeatureRolesAreLookedAtByKeyword) {
    std::vector<std::size_t> skipped, examined;
    for (std::uint8_t role : {8, 10, 11, 13, 17}) {
        FakeItem item = FakeItem::role(role);
        item.keyword = "ZEControl";
        item.featureNumber = 25;
        skipped.push_back(tree.add(item));
    }
    for (std::uint8_t role : {14, 18}) {
        FakeItem item = FakeItem::role(role);
        item.keyword = "ZETone";
        examined.push_back(tree.add(item));
    }
    map();
    for (std::size_t i : skipped) EXPECT_EQ(tree[i].flags, 0u);
    EXPECT_FALSE(context.has(Feature::ZEControl));
    EXPECT_FALSE(context.has(Feature::Feature25));
    for (std::size_t i : examined) EXPECT_EQ(tree[i].helpTopic, 1302u);
}

TEST_F(MappingFixture, FeatureNumber25TakesItsPositionAsUserItemId) {
    for (int i = 0; i < 300; ++i) tree.add(FakeItem{});
    FakeItem item;
    item.featureNumber = 25;
    item.sel = 1;
    const std::size_t at = tree.add(item);  // 300: 0x12C
    map();
    EXPECT_EQ(context[Feature::Feature25].index, 300);
    EXPECT_EQ(tree[at].userItemId, 0x2C);
    EXPECT_EQ(tree[at].flags, 0u);
}

TEST_F(MappingFixture, MirrorAndNegativeOutputAreTakenOver) {
    const std::size_t mirror = tree.add(FakeItem::named(423, 1));
    const std::size_t negative = tree.add(FakeItem::named(424, 0));
    const std::size_t other = tree.add(FakeItem::named(404, 1));
    map();
    EXPECT_EQ(context[Feature::MirrorOutput].index, mirror);
    EXPECT_EQ(context[Feature::MirrorOutput].sel, 1);
    EXPECT_EQ(context[Feature::NegativeOutput].index, negative);
    EXPECT_TRUE(tree[mirror].flags & kItemHide);
    EXPECT_TRUE(tree[negative].flags & kItemHide);
    EXPECT_EQ(tree[other].flags, 0u);
}

TEST_F(MappingFixture, WithoutHelpExtensionItemsGetNoHelpButAreStillMapped) {
    tree.helpAvailable = false;
    const std::size_t mode = tree.add(FakeItem::feature("ZEOutputMode", 2));
    const std::size_t staple = tree.add(FakeItem::feature("ZEStaple"));
    const std::size_t tone = tree.add(FakeItem::feature("ZETone"));
    map();
    for (std::size_t i : {mode, staple, tone}) EXPECT_FALSE(tree[i].helpTopic);
    EXPECT_EQ(tree[mode].flags, kItemHide);
    EXPECT_EQ(tree[tone].flags, 0u);
    EXPECT_EQ(tree[staple].userItemId, 200);
    EXPECT_EQ(context[Feature::ZEOutputMode].sel, 2);
}

TEST_F(MappingFixture, CompressionBitZeroFixesTheChoice) {
    map(0x0100);
    EXPECT_EQ(context.compressionChoice, kAbsentItem);
    map(0x0101);
    EXPECT_EQ(context.compressionChoice, 0);
}

TEST_F(MappingFixture, ProcessWidePositionsComeFromTheLatestTree) {
    tree.add(FakeItem{});
    tree.add(FakeItem::role(4));
    tree.add(FakeItem::role(12));
    map();
    ASSERT_EQ(paperItems.mediaType, 2);
    tree.items.resize(1);
    map();
    EXPECT_EQ(paperItems.paperSource, kAbsentItem);
    EXPECT_EQ(paperItems.mediaType, kAbsentItem);
}

// ---------------------------------------------------------------------------
// Paper names

struct PaperFixture : MappingFixture {
    std::size_t paper = 0;
    void papers(std::initializer_list<std::u16string> names) {
        paper = tree.add(FakeItem::role(9).withOptions(names));
    }
    std::vector<std::u16string> hidden() const {
        std::vector<std::u16string> out;
        for (const auto& o : tree.items[paper].options)
            if (o.flags & kOptionHide) out.push_back(o.name);
        return out;
    }
};

TEST_F(PaperFixture, ListedNamesAreHiddenWhenTheLetterOptionIsThere) {
    ini("[Plg_Feature]\nHidePaperName=A5,B5\n");
    papers({u"A4", u"A5", kLetter, u"B5", u"B5 (JIS)"});
    map();
    EXPECT_EQ(context[Feature::FormName].index, paper);
    EXPECT_EQ(hidden(), (std::vector<std::u16string>{u"A5", u"B5"}));
}

TEST_F(PaperFixture, NothingIsHiddenWithoutTheLetterOption) {
    ini("[Plg_Feature]\nHidePaperName=A5,B5\n");
    papers({u"A4", u"A5", u"Letter", u"B5"});
    map();
    EXPECT_EQ(context[Feature::FormName].index, paper);
    EXPECT_TRUE(hidden().empty());
}

TEST_F(PaperFixture, AThirteenthNameIsIgnored) {
    ini("[Plg_Feature]\nHidePaperName=P1,P2,P3,P4,P5,P6,P7,P8,P9,P10,P11,P12,P13\n");
    papers({kLetter, u"P1", u"P12", u"P13"});
    map();
    EXPECT_EQ(hidden(), (std::vector<std::u16string>{u"P1", u"P12"}));
}

TEST_F(PaperFixture, AnOverlongNameIsSkippedWhole) {
    const std::string longName(65, 'X');
    const std::string fits(64, 'Y');
    ini("[Plg_Feature]\nHidePaperName=" + longName + ",A5," + fits + "\n");
    const std::u16string cut(64, u'X');
    papers({kLetter, cut, u"A5", std::u16string(64, u'Y')});
    map();
    EXPECT_EQ(hidden(), (std::vector<std::u16string>{u"A5", std::u16string(64, u'Y')}));
}

TEST(HiddenPaperNames, SplitKeepsFieldPositions) {
    EXPECT_EQ(SplitHiddenPaperNames(u"A5,,B5,"), (std::vector<std::u16string>{u"A5", u"B5"}));
    EXPECT_EQ(SplitHiddenPaperNames(u""), std::vector<std::u16string>{});
    EXPECT_EQ(SplitHiddenPaperNames(u"a, b"), (std::vector<std::u16string>{u"a", u" b"}));
}

// ---------------------------------------------------------------------------
// User media types

struct MediaFixture : MappingFixture {
    std::size_t media = 0;
    void mediaOptions(std::size_t n) {
        FakeItem item = FakeItem::role(12);
        for (std::size_t i = 1; i <= n; ++i)
            item.options.push_back({u"Type " + std::u16string(1, char16_t(u'0' + i % 10)), 63});
        media = tree.add(item);
    }
    std::u16string name(std::size_t k) const { return tree.items[media].options[k].name; }
};

TEST_F(MediaFixture, SetUserTypesNameTheLastOptions) {
    ini("[Usertype]\nUSERTYPE1=Recycled\nUSERTYPE2=Labels\nUSERTYPE4=Unreached\n");
    mediaOptions(10);
    const std::u16string before = name(7);
    map();
    EXPECT_EQ(name(7), before);
    EXPECT_EQ(name(8), u"Recycled");
    EXPECT_EQ(name(9), u"Labels");
    EXPECT_EQ(paperItems.mediaType, media);
}

TEST_F(MediaFixture, CountStopsAtTheDefaultNameAndAtTheOptionCount) {
    ini("[Usertype]\nUSERTYPE1=default_name\nUSERTYPE2=Labels\n");
    mediaOptions(3);
    const auto before = tree.items[media].options;
    map();
    for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(name(k), before[k].name);

    ini("[Usertype]\nUSERTYPE1=U1\nUSERTYPE2=U2\nUSERTYPE3=U3\nUSERTYPE4=U4\n");
    tree.items.clear();
    mediaOptions(3);
    map();
    EXPECT_EQ(name(0), u"U1");
    EXPECT_EQ(name(2), u"U3");
}

TEST_F(MediaFixture, AnEmptyValueCountsButLeavesTheName) {
    ini("[Usertype]\nUSERTYPE1=\nUSERTYPE2=Labels\n");
    mediaOptions(4);
    const std::u16string before = name(2);
    map();
    EXPECT_EQ(name(2), before);
    EXPECT_EQ(name(3), u"Labels");
}

TEST_F(MediaFixture, ALongUserTypeStaysWithinTheOptionsRoom) {
    ini("[Usertype]\nUSERTYPE1=" + std::string(80, 'L') + "\n");
    mediaOptions(2);
    tree.items[media].options[1].room = 12;
    map();
    EXPECT_EQ(name(1), std::u16string(12, u'L'));
}

// ---------------------------------------------------------------------------
// Printer tree

TEST(DeviceMapping, InstallableOptionsGetIdsHelpAndSlots) {
    FakeOptionTree tree;
    DeviceContext context;
    const std::size_t group = tree.add(FakeItem::named(0xFD1E));
    const std::size_t item440 = tree.add(FakeItem::named(440, 2));
    const std::size_t hdd = tree.add(FakeItem::feature("ZEHDD", 1));
    const std::size_t password = tree.add(FakeItem::feature("ZEPrivatePassworCheck", 1));
    const std::size_t accounting = tree.add(FakeItem::feature("ZEUseAccounting", 1));
    const std::size_t lower = tree.add(FakeItem::feature("zehdd"));
    const std::size_t docOnly = tree.add(FakeItem::feature("ZEOutputMode"));
    MapDeviceFeatures(context, tree, kHelp);

    EXPECT_EQ(tree.helpExtensionsMade, 1);
    EXPECT_EQ(tree[group].flags, kItemCollapse);
    EXPECT_EQ(context[DeviceFeature::Item440].index, item440);
    EXPECT_EQ(context[DeviceFeature::Item440].sel, 2);
    EXPECT_EQ(context[DeviceFeature::ZEHDD].index, hdd);
    EXPECT_EQ(context[DeviceFeature::ZEHDD].sel, 1);
    EXPECT_EQ(tree[hdd].userItemId, 3);
    EXPECT_EQ(tree[hdd].helpTopic, 2205u);
    EXPECT_EQ(tree[password].userItemId, 14);
    EXPECT_EQ(tree[password].helpTopic, 0u);  // help file, no topic
    EXPECT_TRUE(tree[password].flags & kItemPolymorphic);
    EXPECT_EQ(tree[accounting].userItemId, 15);
    EXPECT_EQ(tree[accounting].helpTopic, 1814u);
    for (std::size_t i : {lower, docOnly}) {
        EXPECT_EQ(tree[i].userItemId, 0);
        EXPECT_EQ(tree[i].flags, 0u);
    }
    EXPECT_FALSE(context.has(DeviceFeature::Item404));
}

TEST(DeviceMapping, WithoutHelpExtensionIdsAreStillGiven) {
    FakeOptionTree tree;
    tree.helpAvailable = false;
    DeviceContext context;
    const std::size_t tray = tree.add(FakeItem::feature("ZEOptionTray", 3));
    MapDeviceFeatures(context, tree, kHelp);
    EXPECT_EQ(tree[tray].userItemId, 6);
    EXPECT_FALSE(tree[tray].helpTopic);
    EXPECT_EQ(tree[tray].flags, 0u);
    EXPECT_EQ(context[DeviceFeature::ZEOptionTray].sel, 3);
}

}  // namespace
}  // namespace wren::ui
