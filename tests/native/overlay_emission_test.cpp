#include <gtest/gtest.h>

#include <map>

#include "ps/job/command_dispatch.h"
#include "ps/overlay/overlay_emission.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

const std::string kOpen =
    "%%BeginNonPPDFeature: Form \r\n{ \r\nuserdict /@ZEFormDict 2 copy known{\r\n\tget begin\r\n\t/OVList [\r\n";
const std::string kClose = "\t]def end\r\n}{pop pop}ifelse\r\n}stopped pop\r\n%%EndNonPPDFeature\r\n\r\n";

// Data files by path, read in pieces of at most `piece` bytes.
class FakeFiles : public FileSource {
public:
    std::map<std::u16string, std::string> files;
    std::size_t failAfter = SIZE_MAX;  // reads that succeed before one fails
    mutable std::vector<std::size_t> asked;

    std::unique_ptr<ReadableFile> openShared(std::u16string_view path) const override {
        auto it = files.find(std::u16string(path));
        if (it == files.end()) return nullptr;
        return std::make_unique<File>(*this, it->second);
    }

private:
    class File : public ReadableFile {
    public:
        File(const FakeFiles& owner, const std::string& bytes) : owner_(owner), bytes_(bytes) {}
        std::optional<std::size_t> read(void* buffer, std::size_t size) override {
            owner_.asked.push_back(size);
            if (reads_++ >= owner_.failAfter) return std::nullopt;
            const std::size_t n = std::min(size, bytes_.size() - at_);
            std::memcpy(buffer, bytes_.data() + at_, n);
            at_ += n;
            return n;
        }

    private:
        const FakeFiles& owner_;
        const std::string& bytes_;
        std::size_t at_ = 0, reads_ = 0;
    };
};

std::vector<std::pair<std::u16string, std::u16string>> ranges(
    std::initializer_list<std::pair<const char16_t*, const char16_t*>> list) {
    std::vector<std::pair<std::u16string, std::u16string>> out;
    for (const auto& [a, b] : list) out.emplace_back(a, b);
    return out;
}

TEST(PageList, ItemsBecomeFirstAndLastPages) {
    EXPECT_EQ(parsePageList(u"1,3-5,7-"), ranges({{u"1", u"1"}, {u"3", u"5"}, {u"7", u"9999"}}));
    EXPECT_EQ(parsePageList(u"5-5"), ranges({{u"5", u"5"}}));
    EXPECT_EQ(parsePageList(u""), ranges({}));
    EXPECT_EQ(parsePageList(u"2,,4,"), ranges({{u"2", u"2"}, {u"4", u"4"}})) << "empty items name no page";
    EXPECT_EQ(parsePageList(u"3-5-7"), ranges({{u"3", u"5-7"}})) << "parts are text, not numbers";
}

class OverlayEmission : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        ports.files = &files;
        profile.addFile(u"C:\\drv\\3\\wren.ini",
                        "[DependentFiles]\nPROCSET_JP=zeproc.ps\nOVERLAY_JP=zeovl.ps\nOVERPRT_JP=zeovp.ps\n"
                        "[Overlay_Info 0]\nForm_Num=2\nForm_Name 0=A\nForm_Name 1=B\nPageMode=0\n"
                        "[Overlay_Info 1]\nForm_Num=1\nForm_Name 0=GRID\nPageMode=4\nCustomPage=1,3-5,7-\n"
                        "[Overlay_Info 2]\nForm_Num=3\nForm_Name 0=X\nPageMode=4\nCustomPage=\n"
                        "[Overlay_Info 3]\nForm_Num=1\nForm_Name 0=Bad(}Name) %x\nPageMode=4\nCustomPage=1)}{,2\n");
        files.files[u"C:\\drivers\\x64\\3\\zeproc.ps"] = std::string(2500, 'P');
        files.files[u"C:\\drivers\\x64\\3\\zeovl.ps"] = "%overlay procs\n";
        files.files[u"C:\\drivers\\x64\\3\\zeovp.ps"] = "%overprint procs\n";
        for (auto& id : record.overlayIds) id = 255;
    }
    std::string dictionary() {
        stream.bytes.clear();
        writeOverlayFormDictionary(ctx);
        return stream.bytes;
    }
    FakeFiles files;
};

TEST_F(OverlayEmission, ProcedureSetsAreCopiedInPiecesAsTheFeaturesAsk) {
    writeOverlayProcedureSets(ctx);
    EXPECT_EQ(stream.bytes, std::string(2500, 'P'));
    for (std::size_t size : files.asked) EXPECT_LE(size, 1024u);
    stream.bytes.clear();
    settings.features["ZEOverlay"] = "Use";
    settings.features["ZEOverPrint"] = "True";
    writeOverlayProcedureSets(ctx);
    EXPECT_EQ(stream.bytes, std::string(2500, 'P') + "%overlay procs\n%overprint procs\n");
    // Options compare exactly.
    stream.bytes.clear();
    settings.features["ZEOverlay"] = "use";
    settings.features["ZEOverPrint"] = "TrueX";
    writeOverlayProcedureSets(ctx);
    EXPECT_EQ(stream.bytes, std::string(2500, 'P'));
}

TEST_F(OverlayEmission, AFailedReadOrAShortWriteStopsTheCopy) {
    files.failAfter = 1;
    writeOverlayProcedureSets(ctx);
    EXPECT_EQ(stream.bytes, std::string(1024, 'P'));
    files.failAfter = SIZE_MAX;
    stream.bytes.clear();
    stream.shortBy = 1;
    writeOverlayProcedureSets(ctx);
    EXPECT_EQ(stream.bytes, std::string(1024, 'P'));
}

TEST_F(OverlayEmission, MissingFilesAndKeysCopyNothing) {
    files.files.clear();
    settings.features["ZEOverlay"] = "Use";
    writeOverlayProcedureSets(ctx);
    EXPECT_EQ(stream.bytes, "");
}

TEST_F(OverlayEmission, FormDictionaryNamesFormsAndPages) {
    settings.features["ZEOverlay"] = "Use";
    EXPECT_EQ(dictionary(), kOpen + kClose) << "all four slots empty";
    record.overlayIds[0] = 0;
    record.overlayIds[2] = 1;
    EXPECT_EQ(visible(dictionary()),
              visible(kOpen + "\t\t(<<) cvx exec\r\n\t\t\t/FormList [ /A /B]\r\n\t\t\t/PageFlag 0\r\n\t\t(>>) cvx exec\r\n" +
                      "\t\t(<<) cvx exec\r\n\t\t\t/FormList [ /GRID]\r\n\t\t\t/PageFlag 4\r\n" +
                      "\t\t\t/PageArray [ [1 1] [3 5] [7 9999]]\r\n\t\t(>>) cvx exec\r\n" + kClose));
}

TEST_F(OverlayEmission, MissingSectionsAndAbsentFormsGiveEmptyEntries) {
    settings.features["ZEOverlay"] = "Use";
    record.overlayIds[0] = 2;   // three forms announced, one there, no pages
    record.overlayIds[1] = 17;  // no such section
    EXPECT_EQ(visible(dictionary()),
              visible(kOpen + "\t\t(<<) cvx exec\r\n\t\t\t/FormList [ /X]\r\n\t\t\t/PageFlag 4\r\n" +
                      "\t\t\t/PageArray []\r\n\t\t(>>) cvx exec\r\n" +
                      "\t\t(<<) cvx exec\r\n\t\t\t/FormList []\r\n\t\t\t/PageFlag 0\r\n\t\t(>>) cvx exec\r\n" + kClose));
}

TEST_F(OverlayEmission, AHandEditedStoreCannotBreakThePostScript) {
    settings.features["ZEOverlay"] = "Use";
    record.overlayIds[0] = 3;
    const std::string text = dictionary();
    EXPECT_NE(text.find("/FormList [ /BadNamex]\r\n"), std::string::npos) << visible(text);
    EXPECT_NE(text.find("/PageArray [ [1 1] [2 2]]\r\n"), std::string::npos) << visible(text);
}

TEST_F(OverlayEmission, NothingWithoutOverlaysOrForEpsOutput) {
    settings.features["ZEOverPrint"] = "True";
    record.overlayIds[0] = 0;
    EXPECT_EQ(dictionary(), "") << "overprinting alone writes no dictionary";
    settings.features["ZEOverlay"] = "Use";
    settings.outputOption = 2;  // EPS: a page for another document, without procedures or forms
    struct Overlays : InjectionExtras {
        void overlayProcedureSets(RenderContext& c) override { writeOverlayProcedureSets(c); }
        void overlayFormDictionary(RenderContext& c) override { writeOverlayFormDictionary(c); }
    } extras;
    stream.bytes.clear();
    EXPECT_TRUE(runInjection(ctx, kBeginSetup, extras));
    EXPECT_TRUE(runInjection(ctx, kBeginProlog, extras));
    EXPECT_EQ(stream.bytes, "");
    settings.outputOption = 0;
    EXPECT_TRUE(runInjection(ctx, kBeginSetup, extras));
    EXPECT_EQ(stream.bytes.rfind(kOpen, 0), 0u);
}

}  // namespace
}  // namespace wren::test
