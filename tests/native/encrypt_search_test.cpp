#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ps/encrypt/bmh_search.h"
#include "ps/encrypt/end_detector.h"

namespace wren {
namespace {

const std::uint8_t* bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

TEST(BmhSearch, FindsTheFirstWholeMatch) {
    struct Case { std::string pattern, text; std::size_t at; };
    const Case cases[] = {
        {"@PJL EOJ", "@PJL EOJ", 0},
        {"@PJL EOJ", "xx@PJL EO", BmhPattern::npos},
        {"@PJL EOJ", "@PJL E@PJL EOJ@PJL EOJ", 6},
        {"%%%%EOF", "%%%%%%%%EOF", 4},
        {"%%%%EOF", "%%EOF", BmhPattern::npos},
        {"abcab", "abcaabcab", 4},
        {"aaa", "aa", BmhPattern::npos},
        {"x", "abcx", 3},
        {"@PJL COMMENT Version", std::string(300, '@') + "@PJL COMMENT Version", 300},
    };
    for (const Case& c : cases) {
        BmhPattern p(c.pattern);
        EXPECT_EQ(p.find(bytes(c.text), c.text.size()), c.at) << c.pattern << " in " << c.text;
    }
}

TEST(BmhSearch, AgreesWithAPlainSearchOnRandomText) {
    std::mt19937 rng(7);
    const std::string pattern = "abab";
    BmhPattern p(pattern);
    for (int round = 0; round < 2000; ++round) {
        std::string text(rng() % 40, 'a');
        for (char& c : text) c = "ab"[rng() % 2];
        const std::size_t expected = text.find(pattern);
        EXPECT_EQ(p.find(bytes(text), text.size()), expected == std::string::npos ? BmhPattern::npos : expected);
    }
}

TEST(EndDetector, FindsEitherPatternAcrossEveryCut) {
    for (const std::string& pattern : {std::string("@PJL EOJ"), std::string("%%%%EOF")}) {
        const std::string stream = std::string(600, 'q') + pattern + " NAME\r\n";
        const std::size_t end = 600 + pattern.size();
        for (std::size_t cut = 1; cut < stream.size(); ++cut) {
            EndDetector d;
            const bool first = d.feed(bytes(stream), cut);
            const bool second = d.feed(bytes(stream) + cut, stream.size() - cut);
            EXPECT_EQ(first, cut >= end) << pattern << " cut at " << cut;
            EXPECT_EQ(second, cut < end) << pattern << " cut at " << cut;
        }
    }
}

TEST(EndDetector, ShortBlocksStillMeetAcrossTheWindow) {
    // A pattern delivered a byte at a time, after 1000 single bytes.
    EndDetector d;
    const std::string stream = std::string(1000, '%') + "@PJL EOJ";
    for (std::size_t i = 0; i < stream.size(); ++i)
        EXPECT_EQ(d.feed(bytes(stream) + i, 1), i + 1 == stream.size()) << i;

    // Blocks of 3 and 300 bytes in turn put the pattern's halves into short
    // and long blocks.
    for (std::size_t offset = 0; offset < 320; ++offset) {
        EndDetector e;
        const std::string s = std::string(offset, 'x') + "%%%%EOF" + std::string(40, 'y');
        bool found = false;
        for (std::size_t at = 0, i = 0; at < s.size(); ++i) {
            const std::size_t n = std::min<std::size_t>(i % 2 ? 300 : 3, s.size() - at);
            found |= e.feed(bytes(s) + at, n);
            at += n;
        }
        EXPECT_TRUE(found) << offset;
    }
}

TEST(EndDetector, DsCommentsAndLookalikesAreNoEnd) {
    EndDetector d;
    const std::string s = "%%EOF\n%%%EOF\n@PJL EOX\n@PJL  EOJ\n%%%%EO";
    EXPECT_FALSE(d.feed(bytes(s), s.size()));
    EXPECT_TRUE(d.feed(bytes("F"), 1)) << "the last byte completes \"%%%%EOF\"";
}

TEST(EndDetector, ResetForgetsTheHistory) {
    EndDetector d;
    EXPECT_FALSE(d.feed(bytes("@PJL E"), 6));
    d.reset();
    EXPECT_FALSE(d.feed(bytes("OJ"), 2)) << "a new job does not finish an old job's pattern";
}

}  // namespace
}  // namespace wren
