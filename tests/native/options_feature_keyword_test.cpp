// The stored installable options: byte for byte, in their order, within
// their 256 bytes.
#include <gtest/gtest.h>

#include "options_fakes.h"
#include "ui/options/feature_keywords.h"
#include "ui/options/keyword_store.h"

namespace wren::ui {
namespace {

using test::bytesOf;
using test::textOf;

using namespace std::string_literals;

std::string record(const std::string& keyword, const std::string& option) { return keyword + '\0' + option + '\0' + '\n'; }

std::string update(const std::string& list, const InstalledOptions& o, bool newerOs = true) {
    const auto bytes = bytesOf(list);
    const auto r = KeywordOptionsFor(o, newerOs);
    auto out = UpdateFeatureKeywords(bytes, static_cast<std::uint32_t>(bytes.size()), r);
    EXPECT_TRUE(out.has_value());
    return out ? textOf(*out) : std::string();
}

TEST(FeatureKeywords, ReplacementsFollowThePrintersReport) {
    InstalledOptions o;
    o.installed = 0x30 | 0x40 | 0x0A;
    o.punchType = 2;
    o.hardDisk = true;
    o.memoryMb = 256;
    o.spotColor = 1;
    const auto r = KeywordOptionsFor(o, false);
    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& k : r) got.emplace_back(std::string(k.keyword), k.option);
    const std::vector<std::pair<std::string, std::string>> want{
        {"ZEOptionMPF", "True"}, {"ZEOptionDuplex", "True"}, {"ZEFinisher", "True"},
        {"ZEPunchUnit", "Type2"}, {"ZEJobLimit", "False"}, {"ZEOptionTray", "4"},
        {"ZEHDD", "True"}, {"InstalledMemory", "256MB"}, {"ZESpecialTonerInstalled", "White"}};
    EXPECT_EQ(got, want);
}

TEST(FeatureKeywords, JobLimitAndUndefinedValues) {
    InstalledOptions o;
    o.jobLimitationMode = 1;
    o.punchType = 7;
    o.spotColor = 5;
    auto older = KeywordOptionsFor(o, false);
    auto newer = KeywordOptionsFor(o, true);
    auto find = [](const std::vector<KeywordOption>& r, std::string_view k) -> std::string {
        for (const auto& x : r)
            if (x.keyword == k) return x.option;
        return "<absent>";
    };
    EXPECT_EQ(find(older, "ZEJobLimit"), "True");
    EXPECT_EQ(find(newer, "ZEJobLimit"), "False");
    EXPECT_EQ(find(older, "ZEPunchUnit"), "None");
    EXPECT_EQ(find(older, "InstalledMemory"), "<absent>");          // memory 0 is not written
    EXPECT_EQ(find(older, "ZESpecialTonerInstalled"), "<absent>");  // no option for spot colour 5
}

TEST(FeatureKeywords, ReplacesOptionsByteForByteAndLeavesUnknownRecords) {
    const std::string list = record("ZEOptionDuplex", "False") + record("*Unknown", "Keep") +
                             record("ZEHDD", "False") + record("InstalledMemory", "512MB") + "\0\0"s;
    InstalledOptions o;
    o.installed = 0x20;
    o.hardDisk = true;
    o.memoryMb = 256;
    const std::string want = record("ZEOptionDuplex", "True") + record("*Unknown", "Keep") +
                             record("ZEHDD", "True") + record("InstalledMemory", "256MB") + "\0\0"s;
    EXPECT_EQ(update(list, o), want);
}

TEST(FeatureKeywords, KeywordsMatchWholeAndOnlyAtARecordsStart) {
    const std::string list = record("XZEHDD", "False") + record("ZEHDDSpool", "False") +
                             record("Other", "ZEHDD") + "\0\0"s;
    InstalledOptions o;
    o.hardDisk = true;
    EXPECT_EQ(update(list, o), list);
}

TEST(FeatureKeywords, TheCopyStopsAfterTheClosingPair) {
    const std::string list = record("ZEHDD", "False") + "\0\0"s + record("ZEOptionMPF", "Hidden");
    InstalledOptions o;
    o.hardDisk = true;
    o.installed = 0x10;
    EXPECT_EQ(update(list, o), record("ZEHDD", "True") + "\0\0"s);
    // A record with an empty option holds a NUL pair too, but not where a
    // record begins: the records after it are kept.
    const std::string empty = record("*Empty", "") + record("ZEHDD", "False") + "\0\0"s;
    EXPECT_EQ(update(empty, o), record("*Empty", "") + record("ZEHDD", "True") + "\0\0"s);
}

TEST(FeatureKeywords, AListWithoutTerminatorEndsAtItsStoredLength) {
    // The last record is cut inside its option; the stored size is shorter
    // than what was read.
    const std::string list = record("ZEOptionMPF", "False") + "ZEHDD\0Fal"s;
    InstalledOptions o;
    o.hardDisk = true;
    const auto bytes = bytesOf(list + "garbage");
    auto out = UpdateFeatureKeywords(bytes, static_cast<std::uint32_t>(list.size()), KeywordOptionsFor(o, true));
    ASSERT_TRUE(out);
    EXPECT_EQ(textOf(*out), record("ZEOptionMPF", "False") + record("ZEHDD", "True"));
    // A stored size beyond what was read counts only what was read.
    out = UpdateFeatureKeywords(bytesOf(list), 5000, KeywordOptionsFor(o, true));
    ASSERT_TRUE(out);
    EXPECT_EQ(textOf(*out), record("ZEOptionMPF", "False") + record("ZEHDD", "True"));
}

TEST(FeatureKeywords, AnUpdateThatWouldOutgrow256BytesIsRefused) {
    // 250 bytes whose records all grow when written back.
    std::string list;
    while (list.size() + record("ZEHDD", "F").size() + 2 <= 250) list += record("ZEHDD", "F");
    list += "\0\0"s;
    ASSERT_LE(list.size(), kFeatureKeywordBytes);
    InstalledOptions o;
    o.hardDisk = true;
    const auto bytes = bytesOf(list);
    EXPECT_FALSE(UpdateFeatureKeywords(bytes, static_cast<std::uint32_t>(bytes.size()), KeywordOptionsFor(o, true)));
    // Only the final size counts: growing past the bound on the way is fine
    // when a later replacement shrinks the list again.
    const std::string longLimit = record("ZEJobLimit", std::string(60, 'x'));
    std::string through;
    while (through.size() + record("ZEHDD", "F").size() + longLimit.size() + 2 <= 254) through += record("ZEHDD", "F");
    through += longLimit + "\0\0"s;
    const auto throughBytes = bytesOf(through);
    const auto grown = UpdateFeatureKeywords(
        throughBytes, static_cast<std::uint32_t>(throughBytes.size()),
        std::vector<KeywordOption>{{"ZEHDD", "Tr"}, {"ZEJobLimit", "No"}});
    ASSERT_TRUE(grown);  // past 256 after ZEHDD, back within after ZEJobLimit
    EXPECT_LE(grown->size(), kFeatureKeywordBytes);
    // A list that stays within the bound after growing is written.
    const std::string small = record("ZEHDD", "F") + "\0\0"s;
    EXPECT_EQ(update(small, o), record("ZEHDD", "True") + "\0\0"s);
}

TEST(FeatureKeywords, TheStoreGetsTheNewSizeAndRefusesWithoutAList) {
    std::map<std::u16string, std::vector<std::uint8_t>> values;
    KeywordStore store{
        [&](std::u16string_view v, std::size_t max) -> std::optional<std::vector<std::uint8_t>> {
            auto it = values.find(std::u16string(v));
            if (it == values.end() || it->second.size() > max) return std::nullopt;
            return it->second;
        },
        [&](std::u16string_view v, const std::vector<std::uint8_t>& b) { return values[std::u16string(v)] = b, true; },
        [&](std::u16string_view v, std::uint32_t n) { return values[std::u16string(v)] = test::dwordBytes(n), true; },
    };
    InstalledOptions o;
    o.hardDisk = true;
    EXPECT_FALSE(UpdateStoredKeywords(store, o, true));
    EXPECT_TRUE(values.empty());
    const std::string list = record("ZEHDD", "False") + "\0\0"s;
    values[u"FeatureKeyword"] = bytesOf(list + "tail");
    values[u"FeatureKeywordSize"] = test::dwordBytes(static_cast<std::uint32_t>(list.size()));
    ASSERT_TRUE(UpdateStoredKeywords(store, o, true));
    EXPECT_EQ(textOf(values[u"FeatureKeyword"]), record("ZEHDD", "True") + "\0\0"s);
    EXPECT_EQ(values[u"FeatureKeywordSize"], test::dwordBytes(static_cast<std::uint32_t>(list.size() - 1)));
}

}  // namespace
}  // namespace wren::ui
