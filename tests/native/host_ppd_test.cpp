#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "feature_setup.h"
#include "ppd_reader.h"
#include "preferences_model.h"

namespace wren::host {
namespace {

std::string samplePpd() {
    std::ifstream in(std::string(WREN_SOURCE_DIR) + "/examples/driver/wren.ppd", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PpdReader, ReadsTheSampleDescription) {
    PpdError error;
    auto ppd = parsePpd(samplePpd(), error);
    ASSERT_TRUE(ppd) << error.message;
    const PpdFeature* job = ppd->find("ZEJob_Type");
    ASSERT_TRUE(job);
    EXPECT_EQ(job->text, "Job Type");
    ASSERT_EQ(job->options.size(), 4u);
    EXPECT_EQ(job->options[3].keyword, "Secure_Chip");
    EXPECT_EQ(job->options[3].text, "Encrypted Secure Print");
    EXPECT_EQ(job->defaultOption, "Normal");
    EXPECT_FALSE(job->installable);
    const PpdFeature* hdd = ppd->find("ZEHDD");
    ASSERT_TRUE(hdd);
    EXPECT_TRUE(hdd->installable);
    EXPECT_EQ(hdd->type, PpdUiType::Boolean);
    EXPECT_EQ(ppd->find("PageSize")->options.size(), 6u);
    EXPECT_EQ(ppd->find("PageSize")->options[5].text, "B5 (JIS)");
    // ImageableArea and PaperDimension are not UI features.
    EXPECT_FALSE(ppd->find("ImageableArea"));
    EXPECT_EQ(ppd->features.front().keyword, "ZEJobLimit");
}

TEST(PpdReader, StructureAndBounds) {
    struct Case {
        const char* text;
        const char* error;  // nullptr: accepted
    };
    const std::string longKeyword(41, 'K');
    const std::string longOption = "*OpenUI *A: PickOne\n*A " + longKeyword + "/x: \"\"\n*CloseUI: *A\n";
    const Case cases[] = {
        {"*OpenUI *A/Alpha: PickOne\n*A x/X: \"\"\n*CloseUI: *A\n", nullptr},
        {"*OpenUI *A: PickOne\n*A x: \"\"\n", "never closed"},
        {"*OpenUI *A: PickOne\n*OpenUI *B: PickOne\n", "inside *OpenUI"},
        {"*CloseUI: *A\n", "without *OpenUI"},
        {"*OpenUI *A: PickOne\n*CloseUI: *B\n", "closes *A"},
        {"*OpenUI *A: Radio\n*CloseUI: *A\n", "unknown type Radio"},
        {"*OpenUI A: PickOne\n*CloseUI: *A\n", "without a keyword"},
        {"*OpenUI *A: PickOne\n*A x: \"\"\n*CloseUI: *A\n*OpenUI *A: PickOne\n*CloseUI: *A\n", "appears twice"},
        {longOption.c_str(), "too long"},
    };
    for (const Case& c : cases) {
        PpdError error;
        auto ppd = parsePpd(c.text, error);
        if (!c.error) {
            EXPECT_TRUE(ppd) << c.text << error.message;
        } else {
            EXPECT_FALSE(ppd) << c.text;
            EXPECT_NE(error.message.find(c.error), std::string::npos) << c.text << " -> " << error.message;
        }
    }
}

TEST(PpdReader, QuotedValuesOverSeveralLinesHideTheirContent) {
    PpdError error;
    auto ppd = parsePpd("*OpenUI *A: PickOne\n*DefaultA: y\n*A x/X: \"line one\n*OpenUI *Fake: PickOne\n\"\n*End\n"
                        "*A y/Y: \"\"\n*A x/Again: \"\"\n*CloseUI: *A\n*OpenUI *Empty: PickOne\n*CloseUI: *Empty\n",
                        error);
    ASSERT_TRUE(ppd) << error.message;
    ASSERT_EQ(ppd->features.size(), 1u);  // Fake was inside a value; Empty has no options
    EXPECT_EQ(ppd->features[0].options.size(), 2u);
    EXPECT_EQ(ppd->features[0].options[0].text, "X");  // the first of two equal keywords counts
    EXPECT_EQ(ppd->features[0].defaultIndex(), 1u);
}

TEST(PpdReader, OptionsKeepTheCodeTheySendOnOneLineOrMany) {
    PpdError error;
    auto ppd = parsePpd("*OpenUI *A: PickOne\r\n*A x/X: \"one line\"\r\n*A y/Y: \"first\r\nsecond\r\n\"\r\n*End\r\n"
                        "*A z/Z: \"\"\r\n*CloseUI: *A\r\n",
                        error);
    ASSERT_TRUE(ppd) << error.message;
    const auto& options = ppd->features.at(0).options;
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0].invocation, "one line");
    EXPECT_EQ(options[1].invocation, "first\nsecond\n");
    EXPECT_EQ(options[2].invocation, "");
    const std::string huge = "*OpenUI *A: PickOne\n*A x: \"" + std::string(70000, 'p') + "\"\n*CloseUI: *A\n";
    EXPECT_FALSE(parsePpd(huge, error));
    EXPECT_NE(error.message.find("too long"), std::string::npos);
}

TEST(FeatureSetup, ChosenCodeInTheDescriptionsOrderWithoutInstallablesOrThePageSize) {
    PpdError error;
    auto ppd = parsePpd(samplePpd(), error);
    ASSERT_TRUE(ppd) << error.message;
    const std::string setup = FeatureSetup(*ppd, {{"ZEControl", "Quillon"}, {"ZEHDD", "True"}, {"PageSize", "A4"},
                                                  {"ZEJob_Type", "Secure"}, {"Resolution", "600dpi"},
                                                  {"ZEOutProfile", "NoSuchOption"}});
    const std::size_t resolution = setup.find("%%BeginFeature: *Resolution 600dpi\n");
    const std::size_t control = setup.find("[{\n%%BeginFeature: *ZEControl Quillon\nglobaldict /ZE@ColorControl 2 put\n"
                                           "%%EndFeature\n} stopped cleartomark\n");
    ASSERT_NE(resolution, std::string::npos) << setup;
    ASSERT_NE(control, std::string::npos) << setup;
    EXPECT_LT(resolution, control);
    for (const char* absent : {"ZEHDD", "PageSize", "ZEJob_Type", "ZEOutProfile"})
        EXPECT_EQ(setup.find(absent), std::string::npos) << absent;
}

TEST(FeatureSetup, FollowsTheOrderDependencyAndLeavesOutOtherSectionsAndJcl) {
    PpdError error;
    auto ppd = parsePpd("*OpenUI *Late: PickOne\n*OrderDependency: 90 AnySetup *Late\n*Late a: \"late\"\n*CloseUI: *Late\n"
                        "*OpenUI *Early: PickOne\n*Early a: \"early\"\n*CloseUI: *Early\n"
                        "*OrderDependency: 5 DocumentSetup *Early\n"
                        "*OpenUI *Page: PickOne\n*OrderDependency: 1 PageSetup *Page\n*Page a: \"page\"\n*CloseUI: *Page\n"
                        "*JCLOpenUI *Pjl: PickOne\n*Pjl a: \"@PJL SET X=1\"\n*JCLCloseUI: *Pjl\n"
                        "*OpenUI *Odd: PickOne\n*OrderDependency: nan AnySetup *Odd\n*Odd a: \"odd\"\n*CloseUI: *Odd\n",
                        error);
    ASSERT_TRUE(ppd) << error.message;
    const std::string setup =
        FeatureSetup(*ppd, {{"Late", "a"}, {"Early", "a"}, {"Page", "a"}, {"Pjl", "a"}, {"Odd", "a"}});
    const std::size_t early = setup.find("early"), odd = setup.find("odd"), late = setup.find("late");
    ASSERT_NE(early, std::string::npos) << setup;
    ASSERT_NE(late, std::string::npos);
    ASSERT_NE(odd, std::string::npos);  // an order that does not read counts as none
    EXPECT_LT(odd, early);
    EXPECT_LT(early, late);
    EXPECT_EQ(setup.find("page"), std::string::npos);
    EXPECT_EQ(setup.find("@PJL"), std::string::npos);
}

class DocumentTree : public ::testing::Test {
protected:
    void SetUp() override {
        PpdError error;
        auto parsed = parsePpd(samplePpd(), error);
        ASSERT_TRUE(parsed) << error.message;
        ppd = *parsed;
        ticket.printer = u"Wren Test";
        devmode.dmOrientation = 1;
        devmode.dmPaperSize = 9;
        devmode.dmCopies = 1;
        devmode.dmPrintQuality = 600;
        devmode.dmColor = 2;
        devmode.dmDuplex = 1;
    }
    const TreeItem* byRole(const std::vector<TreeItem>& items, std::uint8_t role) {
        for (const TreeItem& i : items)
            if (i.dmPubId == role) return &i;
        return nullptr;
    }
    const TreeItem* byKeyword(const std::vector<TreeItem>& items, const char* keyword) {
        for (const TreeItem& i : items)
            if (i.keyword == keyword) return &i;
        return nullptr;
    }
    PpdFile ppd;
    Ticket ticket;
    PublicDevmode devmode{};
};

TEST_F(DocumentTree, StandardItemsTakeTheirRolesAndKeywords) {
    ticket.features = {{"ZEJob_Type", "Secure"}, {"Duplex", "DuplexTumble"}, {"ZEHDDSpool", "Bogus"}};
    devmode.dmPaperSize = 8;  // A3
    auto items = buildDocumentItems(ppd, ticket, devmode);
    const struct {
        std::uint8_t role;
        const char* keyword;
        std::int32_t sel;
    } expected[] = {{1, "", 0}, {3, "", 1}, {9, "PageSize", 1}, {4, "InputSlot", 0},
                    {5, "Resolution", 1}, {6, "", 0}, {7, "Duplex", 2}, {16, "", 0}};
    for (const auto& e : expected) {
        const TreeItem* item = byRole(items, e.role);
        ASSERT_TRUE(item) << int(e.role);
        EXPECT_EQ(item->keyword, e.keyword) << int(e.role);
        EXPECT_EQ(item->sel, e.sel) << int(e.role);
    }
    EXPECT_EQ(byRole(items, 3)->upper, 999);
    EXPECT_EQ(byKeyword(items, "ZEJob_Type")->sel, 1);
    EXPECT_EQ(byKeyword(items, "ZEHDDSpool")->sel, 0);  // an unknown option falls back to the default
    EXPECT_EQ(byKeyword(items, "ZEJob_Type")->featureNumber, 16u);  // position in the description
    EXPECT_FALSE(byKeyword(items, "ZEHDD"));       // installable: printer tree only
    EXPECT_FALSE(byKeyword(items, "PageRegion"));
    int named = 0;
    for (const TreeItem& i : items)
        if (i.nameResource == 423 || i.nameResource == 424) {
            ++named;
            EXPECT_EQ(i.sel, 1);  // off
        }
    EXPECT_EQ(named, 2);
}

TEST_F(DocumentTree, SelectionsBecomeTheTicketAgain) {
    auto items = buildDocumentItems(ppd, ticket, devmode);
    for (TreeItem& i : items) {
        if (i.keyword == "ZEJob_Type") i.sel = 2;
        if (i.dmPubId == 1) i.sel = 2;   // rotated landscape is landscape to the DEVMODE
        if (i.dmPubId == 5) i.sel = 0;   // 1200 dpi
        if (i.dmPubId == 7) i.sel = 1;
        if (i.dmPubId == 9) i.sel = 2;   // Letter
        if (i.dmPubId == 6) i.sel = 1;
        if (i.dmPubId == 3) i.sel = 7;
    }
    auto features = featuresOf(items, {{"ZEHDD", "False"}});
    EXPECT_EQ(features.at("ZEJob_Type"), "Spool");
    EXPECT_EQ(features.at("Resolution"), "1200dpi");
    EXPECT_EQ(features.at("PageSize"), "Letter");
    EXPECT_EQ(features.at("Duplex"), "DuplexNoTumble");
    EXPECT_EQ(features.at("ZEHDD"), "False");  // outside the tree, kept
    PublicDevmode out{};
    auto written = applyToDevmode(items, out);
    EXPECT_EQ(written, (std::vector<std::string>{"dmOrientation", "dmCopies", "dmPaperSize", "dmPrintQuality",
                                                 "dmColor", "dmDuplex"}));
    EXPECT_EQ(out.dmOrientation, 2);
    EXPECT_EQ(out.dmCopies, 7);
    EXPECT_EQ(out.dmPaperSize, 1);
    EXPECT_EQ(out.dmPrintQuality, 1200);
    EXPECT_EQ(out.dmColor, 1);
    EXPECT_EQ(out.dmDuplex, 2);
}

TEST_F(DocumentTree, SettingsOutsideTheTreeComeFromTicketThenDefault) {
    ticket.features = {{"ZEJobLimit", "True"}, {"ZEHDD", "Nonsense"}, {"ZEFinisher", "Booklet"}};
    auto items = buildDocumentItems(ppd, ticket, devmode);
    EXPECT_EQ(settingOf(items, ppd, ticket, "ZEJobLimit"), "True");
    EXPECT_EQ(settingOf(items, ppd, ticket, "ZEHDD"), "True");          // default, the ticket's is no option
    EXPECT_EQ(settingOf(items, ppd, ticket, "ZEOutputManagement"), "False");
    EXPECT_EQ(settingOf(items, ppd, ticket, "ZEFinisher"), "Booklet");  // not in the description
    EXPECT_EQ(settingOf(items, ppd, ticket, "ZEPunchUnit"), "");
    EXPECT_EQ(settingOf(items, ppd, ticket, "ZEJob_Type"), "Normal");
    auto printer = buildPrinterItems(ppd, ticket);
    ASSERT_EQ(printer.size(), 7u);
    EXPECT_EQ(printer[0].keyword, "ZEJobLimit");
    EXPECT_EQ(printer[0].sel, 0);
}

}  // namespace
}  // namespace wren::host
