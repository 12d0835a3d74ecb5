// The watermark as the printer receives it: the insert formatter and the
// PostScript string escape, the angle and sine arguments per orientation,
// the fitted size, and what each injection point writes.
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <vector>

#include "common/settings/record_text.h"
#include "ps/job/command_dispatch.h"
#include "ps/watermark/insert_formatter.h"
#include "ps/watermark/postscript_text.h"
#include "ps/watermark/watermark_emission.h"
#include "ps/watermark/watermark_geometry.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

std::string format(std::string_view templ, std::vector<InsertArgument> args, std::u16string_view text = u"",
                   std::u16string_view font = u"") {
    FakeCodePage codePage;
    InsertInput input{templ, {text, font}, args, codePage};
    auto out = formatTemplate(input);
    EXPECT_TRUE(out);
    EXPECT_EQ(out->bytes[out->length], '\0');
    return std::string(out->view());
}

TEST(InsertFormatter, FillsEachFormInOrder) {
    using A = InsertArgument;
    struct Case { const char* templ; std::vector<A> args; const char* expected; };
    const Case cases[] = {
        {"plain", {}, "plain"},
        {"%% 100%x", {}, "% 100x"},                       // "%" + non-digit copies the byte
        {"%1!d! %2!D!", {A::of(7u), A::of(4294967295u)}, "7 4294967295"},
        {"%5!x!|", {A::of(7u)}, "|"},                     // another letter consumes the form
        {"[%3][%9]", {A::of("a"), A::of("bc")}, "[a][bc]"},
        {"%3!d", {A::of("s")}, "s!d"},                    // the form is incomplete: a string insert
        {"%7", {A::of("end")}, "end"},
        {"tail%", {}, "tail"},                            // a lone "%" at the end is dropped
        {"%1!d!%2", {A::of("x"), A::of(5u)}, ""},         // wrong kinds write nothing
        {"%1!d!%2!d!", {A::of(3u)}, "3"},                 // no argument left
        {"%4", {A::of(std::string_view("ab\0cd", 5))}, "ab"},  // a C string ends at its NUL
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.templ, c.args), c.expected) << c.templ;
}

TEST(InsertFormatter, WideStringsAreTheTextEscapedAndTheFontName) {
    EXPECT_EQ(format("(%1!S!) /%2!S! /%7!S!", {}, u"a(b)\\c", u"Font-(x)"), "(a\\(b\\)\\\\c) /Font-(x) /Font-(x)");
    // The digits of other inserts do not select arguments.
    EXPECT_EQ(format("%2 %1", {InsertArgument::of("first"), InsertArgument::of("second")}), "first second");
}

TEST(InsertFormatter, WideStringsAreCutToTheAnsiBuffer) {
    const std::u16string longFont(400, u'F');
    EXPECT_EQ(format("%2!S!", {}, u"", longFont), std::string(kInsertAnsiBytes - 1, 'F'));
}

TEST(InsertFormatter, MeasureEqualsFormatAndNeverOverruns) {
    FakeCodePage codePage;
    const std::vector<InsertArgument> args = {InsertArgument::of(12u), InsertArgument::of("xyz")};
    InsertInput input{"a%1!d!b%2c(%1!S!)", {u"t\\", u"F"}, args, codePage};
    const std::size_t length = formatInserts(input, nullptr, 0);
    std::string buffer(length + 8, '#');
    EXPECT_EQ(formatInserts(input, buffer.data(), 3), length);
    EXPECT_EQ(buffer.substr(0, 4), "a12#");  // only the capacity is written
    EXPECT_EQ(formatInserts(input, buffer.data(), length), length);
    EXPECT_EQ(buffer.substr(0, length), "a12bxyzc(t\\\\)");
}

TEST(PostScriptTextEscape, EdgesOfTheLimits) {
    struct Case { std::string in; std::string expected; };
    const Case cases[] = {
        {"a(b)c\\d", "a\\(b\\)c\\\\d"},
        {"tab\tkept", "tab\tkept"},
        {"ends\nhere", "ends"},
        {std::string("nul\0x", 5), "nul"},
        {"\x1f" "after", ""},
        {"\xe9t\xe9", "\xe9t\xe9"},                                  // bytes above 0x7F stay
        {std::string(400, 'a'), std::string(384, 'a')},             // only 384 bytes are considered
        {std::string(383, 'a') + "(", std::string(383, 'a') + "\\("},  // 385 bytes: kept whole
        {std::string(382, 'a') + "((", std::string(382, 'a') + "\\("},  // 386 bytes: cut to 384
        {std::string(383, 'a') + "\\", std::string(383, 'a') + "\\\\"},  // 385 bytes ending in an escaped "\"
        // 387 bytes cut to 384 end in a run of three "\": the last one goes.
        {std::string(381, 'a') + "\\((", std::string(381, 'a') + "\\\\"},
        {std::string(192, '\\'), std::string(384, '\\')},           // 384 bytes: nothing cut
        {std::string(193, '\\'), std::string(384, '\\')},           // 386 bytes, even run after the cut
        {std::string(200, 'a') + std::string(184, '\\'), std::string(200, 'a') + std::string(184, '\\')},
        {std::string(201, 'a') + std::string(183, '\\'), std::string(201, 'a') + std::string(182, '\\')},
    };
    for (const Case& c : cases) {
        const std::string out = escapePostScriptText(c.in);
        EXPECT_EQ(out.size(), c.expected.size()) << c.in.size();
        EXPECT_EQ(out, c.expected) << c.in.size();
    }
}

TEST(WatermarkGeometry, SineTableIsTheRoundedSine) {
    EXPECT_EQ(kWatermarkSine[0], 0);
    EXPECT_EQ(kWatermarkSine[1], 175);
    EXPECT_EQ(kWatermarkSine[30], 5000);
    EXPECT_EQ(kWatermarkSine[45], 7071);
    EXPECT_EQ(kWatermarkSine[60], 8660);
    EXPECT_EQ(kWatermarkSine[89], 9998);
    EXPECT_EQ(kWatermarkSine[90], 10000);
    for (std::size_t i = 1; i < kWatermarkSine.size(); ++i) EXPECT_GT(kWatermarkSine[i], kWatermarkSine[i - 1]);
}

TEST(WatermarkGeometry, AngleAndAdjustmentByOrientation) {
    struct Case { int angle, x, y, orientation, turned, px, py, index; };
    const Case cases[] = {
        {45, 10, 20, 1, 135, 20, -10, 45},
        {-30, 10, 20, 0, -30, 10, 20, 30},
        {180, 0, 0, 1, -90, 0, 0, 90},   // 270 is brought back into the half turn
        {-180, 0, 0, 1, -90, 0, 0, 90},
        {-100, 3, 4, 2, 170, -4, 3, 10},
        {100, 3, 4, 2, 10, -4, 3, 10},
        {120, 0, 0, 0, 120, 0, 0, 60},
        {-135, 0, 0, 0, -135, 0, 0, 45},
        {30, 1, 2, 9, 30, 1, 2, 30},     // an unknown orientation is portrait
    };
    for (const Case& c : cases) {
        const WatermarkPlacement p = placementForOrientation(c.angle, c.x, c.y, static_cast<std::uint8_t>(c.orientation));
        EXPECT_EQ(p.angle, c.turned) << c.angle << "/" << c.orientation;
        EXPECT_EQ(p.x, c.px);
        EXPECT_EQ(p.y, c.py);
        EXPECT_EQ(sineIndex(p.angle), c.index);
    }
    // Negating the most negative adjustment does not overflow.
    EXPECT_EQ(placementForOrientation(0, INT32_MIN, 0, 1).y, 2147483648LL);
}

TEST(WatermarkGeometry, EveryAngleFoldsIntoTheTable) {
    for (int orientation = 0; orientation < 3; ++orientation)
        for (int a = -32768; a <= 32767; ++a) {
            const WatermarkPlacement p = placementForOrientation(a, 0, 0, static_cast<std::uint8_t>(orientation));
            ASSERT_GE(p.angle, -180);
            ASSERT_LE(p.angle, 180);
            const int c = sineIndex(p.angle);
            ASSERT_GE(c, 0);
            ASSERT_LE(c, 90);
        }
}

TEST(WatermarkGeometry, FittedSizeIsScaledFromTheRecordsOwnSize) {
    PrivateRecord record{};
    record.wmSize = 72;
    record.fitScale = 707;
    EXPECT_EQ(watermarkSizeForJob(record), 72u);  // fit to paper off
    record.fitToPaper = 1;
    EXPECT_EQ(watermarkSizeForJob(record), 51u);
    EXPECT_EQ(watermarkSizeForJob(record), 51u);
    EXPECT_EQ(record.wmSize, 72);
    record.wmSize = 600;
    record.fitScale = 0xFFFFFFFF;  // no wrap in the product
    EXPECT_EQ(watermarkSizeForJob(record), static_cast<std::uint32_t>((0xFFFFFFFFull * 600 + 500) / 1000));
}

// The templates as the resource files hold them.
std::string resourceFile(const char* name) {
    std::ifstream in(std::string(WREN_SOURCE_DIR) + "/src/ps/resources/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const char kDefinition[] =
    "\r\n(%1!S!) %2!d! /%2!S! %3 %4 %5!d! %6 %7 %8!d! %9!d! %9!d! %9!d! %9!d! %9!d! %9!d!\r\n"
    "/DriverOps /ProcSet 2 copy resourcestatus{\r\n pop pop findresource /init_watermark 2 copy "
    "known{get exec}{19 {pop}repeat}ifelse\r\n}{19 {pop}repeat}ifelse\r\n\r\n";
const char kBackground[] =
    "\r\n/DriverOps /ProcSet 2 copy resourcestatus{\r\n pop pop findresource /draw_watermark 2 copy "
    "known{get exec}{pop pop}ifelse\r\n}{pop pop}ifelse\r\n\r\n";
const char kForeground[] =
    "\r\n/DriverOps /ProcSet 2 copy resourcestatus{\r\n pop pop findresource /getwmmatrix 2 copy "
    "known{get exec}{pop pop}ifelse\r\n}{pop pop}ifelse\r\n\r\n";

TEST(WatermarkTemplates, ResourceFilesHoldTheExactBytes) {
    EXPECT_EQ(resourceFile("watermark_definition.ps"), kDefinition);
    EXPECT_EQ(resourceFile("watermark_background.ps"), kBackground);
    EXPECT_EQ(resourceFile("watermark_foreground.ps"), kForeground);
}

class MapTemplates : public TemplateSource {
public:
    std::map<PostScriptTemplate, std::string> stored = {{PostScriptTemplate::WatermarkDefinition, kDefinition},
                                                        {PostScriptTemplate::WatermarkBackground, kBackground},
                                                        {PostScriptTemplate::WatermarkForeground, kForeground}};
    std::optional<std::string_view> bytes(PostScriptTemplate id) const override {
        auto it = stored.find(id);
        if (it == stored.end()) return std::nullopt;
        return std::string_view(it->second);
    }
};

class TemplateExtras : public InjectionExtras {
public:
    explicit TemplateExtras(const TemplateSource& t) : templates(t) {}
    bool watermarkDefinition(RenderContext& ctx) override { return writeWatermarkDefinition(ctx, templates); }
    bool watermarkPage(RenderContext& ctx) override { return writeWatermarkPage(ctx, templates); }
    const TemplateSource& templates;
};

class WatermarkEmission : public RenderFixture {
protected:
    MapTemplates templates;
    TemplateExtras extras{templates};

    void SetUp() override {
        RenderFixture::SetUp();
        record.watermarkIndex = 1;
        writeField(record.wmText, u"Top (Secret) \\");
        writeField(record.wmFontName, u"Helvetica-Bold");
        writeField(record.wmColorText, "0.75 0.75 0.75");
        record.wmSize = 72;
        record.wmAngle = 45;
        record.wmOffsetX = 10;
        record.wmOffsetY = -20;
        record.wmPosition = 3;
        record.wmBorder = 2;
        record.wmStyleCode = 5;
        record.wmFirstPageOnly = 1;
        record.orientation = 1;
        record.fitScale = 1000;
    }
    std::string definitionLine() {
        auto text = formatWatermarkDefinition(record, codePage, kDefinition);
        EXPECT_TRUE(text);
        std::string s(text->view());
        return s.substr(2, s.find("\r\n", 2) - 2);
    }
};

TEST_F(WatermarkEmission, DefinitionPushesEveryParameterInOrder) {
    EXPECT_EQ(definitionLine(),
              "(Top \\(Secret\\) \\\\) 72 /Helvetica-Bold 0.75 0.75 0.75 135 3 -20 -10 2 7071 7071 0 1 5 1");
    record.orientation = 0;
    record.wmAngle = -30;
    record.wmInBackground = 1;
    EXPECT_EQ(definitionLine(),
              "(Top \\(Secret\\) \\\\) 72 /Helvetica-Bold 0.75 0.75 0.75 -30 3 10 -20 2 5000 8660 1 1 5 0");
}

TEST_F(WatermarkEmission, FittedSizeStaysTheSameForASecondJobOnTheDevice) {
    record.fitToPaper = 1;
    record.fitScale = 707;
    ASSERT_TRUE(runInjection(ctx, kBeginProlog, extras));
    ASSERT_TRUE(runInjection(ctx, kBeginProlog, extras));
    EXPECT_EQ(record.wmSize, 72);
    std::size_t first = stream.bytes.find(") 51 /Helvetica-Bold");
    ASSERT_NE(first, std::string::npos) << visible(stream.bytes);
    EXPECT_NE(stream.bytes.find(") 51 /Helvetica-Bold", first + 1), std::string::npos);
}

TEST_F(WatermarkEmission, PrologCarriesTheDefinitionAfterTheSettings) {
    ASSERT_TRUE(runInjection(ctx, kBeginProlog, extras));
    const std::size_t settings = stream.bytes.find("globaldict /ZE@Orientation");
    const std::size_t definition = stream.bytes.find("/init_watermark");
    ASSERT_NE(settings, std::string::npos);
    ASSERT_NE(definition, std::string::npos);
    EXPECT_LT(settings, definition);
}

TEST_F(WatermarkEmission, EachPageCallsTheProcedureOfItsLayer) {
    ASSERT_TRUE(runInjection(ctx, kEndPageSetup, extras));
    EXPECT_EQ(stream.bytes, kForeground);
    stream.bytes.clear();
    record.wmInBackground = 1;
    ASSERT_TRUE(runInjection(ctx, kEndPageSetup, extras));
    EXPECT_EQ(stream.bytes, kBackground);
}

TEST_F(WatermarkEmission, EpsKeepsThePageCallAndDropsTheDefinition) {
    settings.outputOption = 2;
    ASSERT_TRUE(runInjection(ctx, kBeginProlog, extras));
    EXPECT_EQ(stream.bytes.find("init_watermark"), std::string::npos);
    ASSERT_TRUE(runInjection(ctx, kEndPageSetup, extras));
    EXPECT_EQ(stream.bytes, kForeground);
}

TEST_F(WatermarkEmission, NoWatermarkWritesNothing) {
    record.watermarkIndex = 0;
    ASSERT_TRUE(runInjection(ctx, kEndPageSetup, extras));
    ASSERT_TRUE(runInjection(ctx, kBeginProlog, extras));
    EXPECT_EQ(stream.bytes.find("DriverOps"), std::string::npos);
}

TEST_F(WatermarkEmission, MissingTemplatesWriteNothingAndSucceed) {
    templates.stored.clear();
    ASSERT_TRUE(runInjection(ctx, kEndPageSetup, extras));
    EXPECT_TRUE(stream.bytes.empty());
    ASSERT_TRUE(runInjection(ctx, kBeginProlog, extras));
    EXPECT_EQ(stream.bytes.find("DriverOps"), std::string::npos);
}

TEST_F(WatermarkEmission, ShortWritesAreFailures) {
    stream.shortBy = 1;
    EXPECT_FALSE(writeWatermarkDefinition(ctx, templates));
    EXPECT_FALSE(writeWatermarkPage(ctx, templates));
}

TEST_F(WatermarkEmission, UnterminatedFieldsAreReadWithinTheirBounds) {
    for (char16_t& c : record.wmFontName) c = u'F';
    for (char& c : record.wmColorText) c = '1';
    for (char16_t& c : record.wmText) c = u'T';
    const std::string line = definitionLine();
    EXPECT_NE(line.find(" /" + std::string(32, 'F') + " " + std::string(16, '1') + " 135"), std::string::npos) << line;
    EXPECT_EQ(line.find("T)"), kInsertAnsiBytes - 1);  // "(" and 264 bytes
}

}  // namespace
}  // namespace wren::test
