// wrenps as the core driver's rendering module drives it: the DDI hook table,
// a PDEV over a core driver that exports only a few functions, fit to paper
// at EnablePDEV, the stream probe, and where Command reads the settings from.
#include "driver_helpers.h"
#include "wine_fixture.h"
#include "platform/function_cast.h"

namespace wren::wine_test {
namespace {

// What the test's core driver saw of the calls handed on to it.
struct CoreCalls {
    std::vector<void*> args;
    ULONG escapeResult = 0;
    LONG fontDataResult = 0;
};
CoreCalls gCore;

ULONG APIENTRY coreEscape(SURFOBJ* so, ULONG esc, ULONG inSize, PVOID in, ULONG outSize, PVOID out) {
    gCore.args = {so, reinterpret_cast<void*>(ULONG_PTR{esc}), reinterpret_cast<void*>(ULONG_PTR{inSize}), in,
                  reinterpret_cast<void*>(ULONG_PTR{outSize}), out};
    return gCore.escapeResult;
}

LONG APIENTRY coreQueryFontData(DHPDEV dhpdev, FONTOBJ* font, ULONG mode, HGLYPH glyph, GLYPHDATA* data, PVOID pv,
                                ULONG size) {
    gCore.args = {dhpdev, font, reinterpret_cast<void*>(ULONG_PTR{mode}), reinterpret_cast<void*>(glyph), data, pv,
                  reinterpret_cast<void*>(ULONG_PTR{size})};
    return gCore.fontDataResult;
}

DRVFN gCoreFunctions[] = {
    {INDEX_DrvEscape, wren::functionCast<PFN>(&coreEscape)},
    {INDEX_DrvQueryFontData, wren::functionCast<PFN>(&coreQueryFontData)},
};

void* arg(ULONG_PTR value) { return reinterpret_cast<void*>(value); }

class RenderDevice : public RenderPluginTest {
protected:
    void SetUp() override {
        RenderPluginTest::SetUp();
        if (HasFatalFailure()) return;
        device_.devobj.hPrinter = printer_;
        gCore = {};
        ASSERT_EQ(plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof hooks_, &hooks_), S_OK);
        gdi_.ulLogPixelsX = gdi_.ulLogPixelsY = 600;
        gdi_.szlPhysSize = {4960, 7015};
        gdi_.ulHorzRes = 4960 - 2 * 108;
        gdi_.ulVertRes = 7015 - 2 * 108;
        gdi_.ptlPhysOffset = {108, 108};
    }
    void TearDown() override {
        if (device_.devobj.pdevOEM) {
            EXPECT_EQ(plugin_->DisablePDEV(&device_.devobj), S_OK);
        }
        RenderPluginTest::TearDown();
    }

    HRESULT enablePdev(DRVENABLEDATA core) {
        PDEVOEM pdev = nullptr;
        HRESULT hr = plugin_->EnablePDEV(&device_.devobj, const_cast<wchar_t*>(kPrinterName), 0, nullptr,
                                         sizeof gdi_, &gdi_, sizeof devinfo_, &devinfo_, &core, &pdev);
        device_.devobj.pdevOEM = pdev;
        return hr;
    }
    HRESULT enablePdev() { return enablePdev(DRVENABLEDATA{0x00030100, 2, gCoreFunctions}); }

    HRESULT command(DWORD point, DWORD* result) {
        return plugin_->Command(&device_.devobj, point, nullptr, 0, result);
    }

    template <typename Fn>
    Fn hook(ULONG index) {
        Fn fn = hookFor<Fn>(hooks_, index);
        EXPECT_NE(fn, nullptr) << "no hook for DDI function " << index;
        return fn;
    }

    DRVENABLEDATA hooks_{};
    TestDevice device_;
    GDIINFO gdi_{};
    DEVINFO devinfo_{};
    TestDriverPs helper_;
};

TEST_F(RenderDevice, EnableDriverHandsOverAllHooksInOrder) {
    const ULONG expected[] = {12, 19, 18, 20, 69, 70, 74, 71, 68, 23, 14, 15, 16, 33,
                              32, 24, 35, 34, 26, 27, 28, 53, 47, 37, 64, 65, 76};
    EXPECT_EQ(hooks_.iDriverVersion, 0x10000u);
    ASSERT_EQ(hooks_.c, 27u);
    for (ULONG i = 0; i < hooks_.c; ++i) {
        EXPECT_EQ(hooks_.pdrvfn[i].iFunc, expected[i]) << "slot " << i;
        EXPECT_NE(hooks_.pdrvfn[i].pfn, nullptr) << "slot " << i;
    }
}

TEST_F(RenderDevice, HooksWithoutACoreFunctionAnswerOnTheirOwn) {
    ASSERT_EQ(enablePdev(), S_OK);
    ASSERT_NE(device_.devobj.pdevOEM, nullptr);
    SURFOBJ so = device_.surface();
    RECTL rect{0, 0, 10, 10};
    POINTL point{0, 0};
    EXPECT_FALSE(hook<PFN_DrvBitBlt>(INDEX_DrvBitBlt)(&so, nullptr, nullptr, nullptr, nullptr, &rect, &point,
                                                      nullptr, nullptr, nullptr, 0xCCCC));
    EXPECT_FALSE(hook<PFN_DrvTextOut>(INDEX_DrvTextOut)(&so, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                        nullptr, nullptr, 0));
    EXPECT_TRUE(hook<PFN_DrvStartPage>(INDEX_DrvStartPage)(&so));
    EXPECT_TRUE(hook<PFN_DrvSendPage>(INDEX_DrvSendPage)(&so));
    EXPECT_TRUE(hook<PFN_DrvRealizeBrush>(INDEX_DrvRealizeBrush)(nullptr, &so, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(hook<PFN_DrvQueryFont>(INDEX_DrvQueryFont)(reinterpret_cast<DHPDEV>(&device_.devobj), 0, 1, nullptr),
              nullptr);
    EXPECT_TRUE(gCore.args.empty()) << "no core function may be called in their place";
}

TEST_F(RenderDevice, HooksWithACoreFunctionHandOnEveryArgumentAndTheResult) {
    ASSERT_EQ(enablePdev(), S_OK);
    SURFOBJ so = device_.surface();
    char in[4] = "abc", out[8] = {};
    gCore.escapeResult = 0xBEEF;
    EXPECT_EQ(hook<PFN_DrvEscape>(INDEX_DrvEscape)(&so, 4100, sizeof in, in, sizeof out, out), 0xBEEFu);
    EXPECT_EQ(gCore.args, (std::vector<void*>{&so, arg(4100), arg(sizeof in), in, arg(sizeof out), out}));

    auto dhpdev = reinterpret_cast<DHPDEV>(&device_.devobj);
    auto* font = reinterpret_cast<FONTOBJ*>(arg(0x1000));
    GLYPHDATA glyphData{};
    char bits[16];
    gCore.fontDataResult = -7;
    EXPECT_EQ(hook<PFN_DrvQueryFontData>(INDEX_DrvQueryFontData)(dhpdev, font, QFD_GLYPHANDBITMAP, 0x41, &glyphData,
                                                                 bits, sizeof bits),
              -7);
    EXPECT_EQ(gCore.args, (std::vector<void*>{dhpdev, font, arg(QFD_GLYPHANDBITMAP), arg(0x41), &glyphData, bits,
                                              arg(sizeof bits)}));
}

TEST_F(RenderDevice, EnablePdevFitsTheDocumentPaperOntoTheOutputPaper) {
    // An A3 document on A4: the width decides, k = 200.83 / 287.83.
    device_.record.fitToPaper = 1;
    device_.record.documentPaperWidth = 2970;
    device_.record.documentPaperLength = 4200;
    ASSERT_EQ(enablePdev(), S_OK);
    EXPECT_EQ(+device_.record.fitScale, 697u);
    EXPECT_EQ(gdi_.ulLogPixelsX, 418u);
    EXPECT_EQ(gdi_.ulLogPixelsY, 418u);
    EXPECT_EQ(gdi_.ptlPhysOffset.x, 75) << "108 dots of margin, scaled";
}

TEST_F(RenderDevice, EnablePdevWithoutFitToPaperStoresScaleOne) {
    device_.record.fitToPaper = 0;
    device_.record.fitScale = 697;
    const GDIINFO before = gdi_;
    // A core driver that exports nothing at all.
    ASSERT_EQ(enablePdev(DRVENABLEDATA{0x00030100, 0, nullptr}), S_OK);
    EXPECT_NE(device_.devobj.pdevOEM, nullptr);
    EXPECT_EQ(+device_.record.fitScale, 1000u);
    EXPECT_EQ(std::memcmp(&before, &gdi_, sizeof gdi_), 0);
}

TEST_F(RenderDevice, WritePrinterClaimsTheStreamWhenProbed) {
    EXPECT_EQ(plugin_->WritePrinter(nullptr, nullptr, 0, nullptr), S_OK);
}

TEST_F(RenderDevice, BeginStreamWritesNothingForEpsOutput) {
    ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
    ASSERT_EQ(enablePdev(), S_OK);
    helper_.outputOption = TestDriverPs::kEpsOutput;
    helper_.features = {{"ZEJob_Type", "Secure"}};
    DWORD result = 99;
    EXPECT_EQ(command(PSINJECT_BEGINSTREAM, &result), S_OK);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(helper_.stream, "");
    // Without a DRVPROCS table the helper interface answers.
    EXPECT_NE(std::find(helper_.helperQueries.begin(), helper_.helperQueries.end(), "#2"),
              helper_.helperQueries.end());
}

TEST_F(RenderDevice, BeginStreamWritesTheJobHeaderThroughTheHelper) {
    ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
    ASSERT_EQ(enablePdev(), S_OK);
    helper_.features = {{"ZEJob_Type", "Secure"}};
    writeField(device_.record.jobName, u"Payroll");
    writeField(device_.record.password, u"1234");
    DWORD result = 99;
    EXPECT_EQ(command(PSINJECT_BEGINSTREAM, &result), S_OK);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(helper_.stream.rfind("\x1B%-12345X", 0), 0u) << helper_.stream;
    EXPECT_NE(helper_.stream.find("@PJL ZELSECURE PASSWORD=1234\r\n@PJL JOB NAME=\"Payroll\"\r\n"),
              std::string::npos)
        << helper_.stream;
    EXPECT_NE(std::find(helper_.helperQueries.begin(), helper_.helperQueries.end(), "ZEJob_Type"),
              helper_.helperQueries.end());
}

TEST_F(RenderDevice, DrvProcsTableAnswersTheSettingsWhenTheCoreDriverGivesOne) {
    ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
    TestDrvProcs procs(helper_);
    device_.devobj.pDrvProcs = procs.table();
    ASSERT_EQ(enablePdev(), S_OK);
    helper_.features = {{"ZEJob_Type", "Normal"}};
    DWORD result = 99;
    EXPECT_EQ(command(PSINJECT_BEGINSTREAM, &result), S_OK);
    EXPECT_TRUE(helper_.helperQueries.empty());
    EXPECT_NE(std::find(procs.queries.begin(), procs.queries.end(), "#2"), procs.queries.end());
    EXPECT_NE(std::find(procs.queries.begin(), procs.queries.end(), "ZEJob_Type"), procs.queries.end());
    // The bytes still go through the helper interface.
    EXPECT_EQ(procs.stream, "");
    EXPECT_NE(helper_.stream.find("@PJL"), std::string::npos);
}

TEST_F(RenderDevice, InjectionPointsOfNoInterestAreAcceptedQuietly) {
    ASSERT_EQ(plugin_->PublishDriverInterface(&helper_), S_OK);
    ASSERT_EQ(enablePdev(), S_OK);
    for (DWORD point : {2ul, 3ul, 15ul, 101ul, 999ul}) {
        DWORD result = 99;
        EXPECT_EQ(command(point, &result), S_OK) << point;
        EXPECT_EQ(result, 0u) << point;
    }
    EXPECT_EQ(helper_.stream, "");
}

}  // namespace
}  // namespace wren::wine_test
