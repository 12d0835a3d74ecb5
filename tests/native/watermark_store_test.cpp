// The watermark store: the value format and its parser, the WTMK keys of
// section "Watermark", and the custom colours' section.
#include <gtest/gtest.h>

#include "watermark_fixture.h"
#include "ui/watermark/custom_colours.h"
#include "ui/watermark/watermark_codec.h"
#include "ui/watermark/watermark_store.h"

namespace wren::test {
namespace {

WatermarkRecord Sample(std::u16string_view text) {
    WatermarkRecord r;
    r.size = 72;
    r.angle = 45;
    r.color = kLightGrey;
    r.setText(text);
    r.setFontName(u"HeiseiMin-W3-90ms-RKSJ-H");
    r.position = 3;
    return r;
}

TEST(WatermarkCodec, FormatsTheDocumentedExample) {
    EXPECT_EQ(FormatWatermarkValue(Sample(u"SAMPLE, 2")),
              u"72,0,45,0,0,12632256,SAMPLE\\, 2,HeiseiMin-W3-90ms-RKSJ-H,0,0,0,3,0,0,0,0");
}

TEST(WatermarkCodec, EveryFieldSurvivesARoundTrip) {
    WatermarkRecord r = Sample(u"a,b;c\\d\\\\,;");
    r.size = 600;
    r.fontIndex = 7;
    r.angle = -180;
    r.offsetX = -1000;
    r.offsetY = 1000;
    r.color = 0x00FFFFFF;
    r.weight = 700;
    r.italic = 1;
    r.charSet = 128;
    r.position = 6;
    r.border = 3;
    r.inBackground = 1;
    r.firstPageOnly = 1;
    r.styleCode = 5;
    const WatermarkRecord back = ParseWatermarkValue(FormatWatermarkValue(r));
    EXPECT_EQ(FormatWatermarkValue(back), FormatWatermarkValue(r));
    EXPECT_EQ(back.textValue(), u"a,b;c\\d\\\\,;");
    EXPECT_EQ(back.angle, -180);
    EXPECT_EQ(back.offsetX, -1000);
    EXPECT_EQ(back.styleCode, 5);
}

TEST(WatermarkCodec, TheLongestRecordFitsTheStoreBuffer) {
    WatermarkRecord r = Sample(std::u16string(kWatermarkTextChars, u'\\'));
    r.setFontName(std::u16string(kWatermarkFontNameChars, u'F'));
    r.size = r.fontIndex = r.offsetX = r.offsetY = r.weight = INT32_MIN;
    r.angle = INT16_MIN;
    r.color = UINT32_MAX;
    r.styleCode = UINT16_MAX;
    const std::u16string value = FormatWatermarkValue(r);
    EXPECT_LT(value.size(), kWatermarkValueChars);
    EXPECT_EQ(ParseWatermarkValue(value).textValue(), r.textValue());
}

struct ParseCase {
    const char16_t* value;
    std::int32_t size, fontIndex;
    std::int16_t angle;
    std::uint32_t color;
    const char16_t* text;
    const char16_t* fontName;
    std::uint16_t position, styleCode;
};

TEST(WatermarkCodec, ParsesStoredValues) {
    const ParseCase cases[] = {
        // Hexadecimal after "0x", a "-" anywhere negates, other characters ignored.
        {u"0x30,0X1f,1-5,0,0,0xFFFFFF,T,F,0,0,0,3,0,0,0,1", 48, 31, -15, 0xFFFFFF, u"T", u"F", 3, 1},
        {u"7 2pt,,4x5,0,0,1,,,0,0,0,2,0,0,0,0", 72, 0, 45, 1, u"", u"", 2, 0},
        // ";" ends the record: the rest reads as 0, even inside the text.
        {u"72,1;45,0,0,1,T,F,0,0,0,3,0,0,0,5", 72, 1, 0, 0, u"", u"", 0, 0},
        {u"72,1,45,0,0,1,Ab;cd,F,0,0,0,3", 72, 1, 45, 1, u"Ab", u"", 0, 0},
        // A value with fewer fields: the missing ones are 0.
        {u"36,2,30", 36, 2, 30, 0, u"", u"", 0, 0},
        {u"", 0, 0, 0, 0, u"", u"", 0, 0},
        // A trailing backslash is dropped, not read past.
        {u"1,0,0,0,0,0,ab\\", 1, 0, 0, 0, u"ab", u"", 0, 0},
        // 8-bit fields keep their low bits; the angle its low 16.
        {u"1,0,65581,0,0,0,T,F,0,0,0,259,0,0,0,65537", 1, 0, 45, 0, u"T", u"F", 3, 1},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(std::string(c.value, c.value + std::char_traits<char16_t>::length(c.value)));
        const WatermarkRecord r = ParseWatermarkValue(c.value);
        EXPECT_EQ(r.size, c.size);
        EXPECT_EQ(r.fontIndex, c.fontIndex);
        EXPECT_EQ(r.angle, c.angle);
        EXPECT_EQ(r.color, c.color);
        EXPECT_EQ(r.textValue(), c.text);
        EXPECT_EQ(r.fontNameValue(), c.fontName);
        EXPECT_EQ(r.position, c.position);
        EXPECT_EQ(r.styleCode, c.styleCode);
    }
}

TEST(WatermarkCodec, OverlongTextsStayInsideTheirFieldsAndKeepTheFieldsAfterThem) {
    const std::u16string value = u"72,0,45,0,0,1," + std::u16string(300, u'x') + u"," + std::u16string(80, u'F') +
                                 u",700,1,0,5,2,1,1,3";
    const WatermarkRecord r = ParseWatermarkValue(value);
    EXPECT_EQ(r.textValue(), std::u16string(kWatermarkTextChars, u'x'));
    EXPECT_EQ(r.fontNameValue(), std::u16string(kWatermarkFontNameChars, u'F'));
    EXPECT_EQ(r.weight, 700);
    EXPECT_EQ(r.position, 5);
    EXPECT_EQ(r.styleCode, 3);
}

TEST(WatermarkStore, KeyNamesHaveNoLeadingZeros) {
    EXPECT_EQ(WatermarkKeyName(1), u"WTMK001");
    EXPECT_EQ(WatermarkKeyName(9), u"WTMK009");
    EXPECT_EQ(WatermarkKeyName(10), u"WTMK0010");
    EXPECT_EQ(WatermarkKeyName(16), u"WTMK0016");
}

TEST(WatermarkStore, TextsWithSeparatorsAndBackslashesSurviveSaveAndLoad) {
    FakeProfile profile;
    const std::vector<WatermarkRecord> saved = {Sample(u"a,b"), Sample(u"semi;colon"), Sample(u"back\\slash\\")};
    ASSERT_TRUE(SaveWatermarkStore(profile, kWmIni, saved));
    const std::vector<WatermarkRecord> loaded = LoadWatermarkStore(profile, kWmIni);
    ASSERT_EQ(loaded.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(FormatWatermarkValue(loaded[i]), FormatWatermarkValue(saved[i]));
}

TEST(WatermarkStore, LoadsInFileOrderUntilTheFirstKeyNotBeginningWithW) {
    FakeProfile profile;
    profile.addFile(kWmIni,
                    "[Watermark]\n"
                    "WTMK002=10,0,0,0,0,0,second,F\n"
                    "WTMK001=20,0,0,0,0,0,first,F\n"
                    "Note=30,0,0,0,0,0,stop,F\n"
                    "WTMK003=40,0,0,0,0,0,ignored,F\n");
    const std::vector<WatermarkRecord> loaded = LoadWatermarkStore(profile, kWmIni);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].textValue(), u"second");
    EXPECT_EQ(loaded[1].textValue(), u"first");
}

TEST(WatermarkStore, ASectionWithMoreThanSixteenKeepsTheFirstSixteen) {
    FakeProfile profile;
    std::string ini = "[Watermark]\n";
    for (int i = 1; i <= 20; ++i) ini += "WTMK00" + std::to_string(i) + "=" + std::to_string(i) + ",0,0,0,0,0,t,F\n";
    profile.addFile(kWmIni, ini);
    const std::vector<WatermarkRecord> loaded = LoadWatermarkStore(profile, kWmIni);
    ASSERT_EQ(loaded.size(), 16u);
    EXPECT_EQ(loaded.front().size, 1);
    EXPECT_EQ(loaded.back().size, 16);
}

TEST(WatermarkStore, SavingReplacesTheSection) {
    FakeProfile profile;
    profile.addFile(kWmIni, "[Watermark]\nWTMK001=1\nWTMK002=2\nWTMK003=3\n[Other]\nKey=kept\n");
    ASSERT_TRUE(SaveWatermarkStore(profile, kWmIni, {Sample(u"only")}));
    ASSERT_FALSE(profile.writes.empty());
    EXPECT_TRUE(profile.writes.front().key.empty());  // the section deleted first
    EXPECT_EQ(LoadWatermarkStore(profile, kWmIni).size(), 1u);
    EXPECT_EQ(profile.readString(kWmIni, u"Other", u"Key", 16, {}), u"kept");
    profile.readOnly = true;
    EXPECT_FALSE(SaveWatermarkStore(profile, kWmIni, {}));
}

TEST(CustomColours, ParsesThreeComponentsOfEightBits) {
    struct Case {
        const char16_t* value;
        std::uint32_t colour;
    } cases[] = {
        {u"192,192,192", 0xC0C0C0}, {u"255,0,0", 0x0000FF},    {u"0,0,255", 0xFF0000},
        {u"  1, +2,\t3", 0x030201}, {u"256,-1,12abc", 0x0CFF00}, {u"7", 0x000007},
        {u"", 0},                   {u"x,5", 0x000500},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseCustomColour(c.value), c.colour) << std::hex << c.colour;
}

TEST(CustomColours, LoadFillsFromTheStartAndSaveWritesAllSixteen) {
    FakeProfile profile;
    const FakeStrings strings = WatermarkStrings();
    profile.addFile(kWmIni, "[Custom Color]\nColor5=255,0,0\nColor0=0,255,0\n");
    CustomColourTable table = InitialCustomColours();
    LoadCustomColours(profile, kWmIni, strings, table);
    EXPECT_EQ(table[0], 0x0000FFu);  // file order, not key numbers
    EXPECT_EQ(table[1], 0x00FF00u);
    EXPECT_EQ(table[2], kLightGrey);

    ASSERT_TRUE(SaveCustomColours(profile, kWmIni, strings, table));
    EXPECT_EQ(profile.readString(kWmIni, u"Custom Color", u"Color0", 64, {}), u"255,0,0");
    EXPECT_EQ(profile.readString(kWmIni, u"Custom Color", u"Color15", 64, {}), u"192,192,192");
    EXPECT_EQ(profile.keyNames(kWmIni, u"Custom Color", 1024).size(), 16u);
}

TEST(CustomColours, EachLanguageKeepsItsOwnSection) {
    FakeProfile profile;
    FakeStrings german = WatermarkStrings();
    german.texts[wm::kStringCustomColourSection] = u"Benutzerdefinierte Farbe";
    profile.addFile(kWmIni, "[Custom Color]\nColor0=1,2,3\n[Benutzerdefinierte Farbe]\nColor0=4,5,6\n");
    CustomColourTable table = InitialCustomColours();
    LoadCustomColours(profile, kWmIni, german, table);
    EXPECT_EQ(table[0], 0x060504u);
    // Without the name there is no section to use.
    FakeStrings none;
    table[0] = 0;
    LoadCustomColours(profile, kWmIni, none, table);
    EXPECT_EQ(table[0], 0u);
    EXPECT_FALSE(SaveCustomColours(profile, kWmIni, none, table));
}

}  // namespace
}  // namespace wren::test
