#include <gtest/gtest.h>

#include <vector>

#include "common/settings/record_text.h"
#include "record_dump.h"
#include "ticket.h"

namespace wren::host {
namespace {

TEST(Ticket, ReadsEverySectionAndAppliesTheFields) {
    TicketError error;
    auto ticket = parseTicket("[Printer]\nname=Wren Test\n[features]\nZEJob_Type=Secure\nPostScriptOutput=EPS\n"
                              "[devmode]\ndmPaperSize=8\ndmDuplex=3\n[private]\njobName=Payroll\npassword=4711\n"
                              "duplexOffsetX=0,1,-1,20,-20\n[job]\ninput=a.ps\noutput=b.prn\ndocument=Doc\n",
                              error);
    ASSERT_TRUE(ticket) << error.message;
    EXPECT_EQ(ticket->printer, u"Wren Test");
    EXPECT_EQ(ticket->features.at("ZEJob_Type"), "Secure");
    EXPECT_EQ(ticket->postScriptOutput, 2);
    PublicDevmode dm{};
    PrivateRecord r{};
    ASSERT_TRUE(applyDevmodeFields(*ticket, dm, error));
    ASSERT_TRUE(applyPrivateFields(*ticket, r, error));
    EXPECT_EQ(dm.dmPaperSize, 8);
    EXPECT_EQ(dm.dmDuplex, 3);
    EXPECT_EQ(readField(r.jobName), u"Payroll");
    EXPECT_EQ(readField(r.password), u"4711");
    EXPECT_EQ(+r.duplexOffsetX[4], -20);
}

TEST(Ticket, MistakesAreNamed) {
    const std::pair<const char*, const char*> cases[] = {
        {"[job]\ninput=a\n", "[printer] name is missing"},
        {"[printer]\nname=P\n", "[job] input is missing"},
        {"[printer]\nname=P\n[job]\ninput=a\n[devmode]\ndmColour=1\n", "unknown field dmColour"},
        {"[printer]\nname=P\n[job]\ninput=a\n[private]\nnupCode=256\n", "nupCode: bad value"},
        {"[printer]\nname=P\n[job]\ninput=a\n[private]\npassword=12345\n", "password: bad value"},
        {"[printer]\nname=P\n[job]\ninput=a\n[private]\nduplexScaleX=1,2,3\n", "duplexScaleX: bad value"},
        {"[printer]\nname=P\n[job]\ninput=a\n[features]\nPostScriptOutput=PDF\n", "PostScriptOutput"},
        {"[printer]\nname=P\n[job]\ninput=a\ncolour=1\n", "unknown key [job] colour"},
    };
    for (auto [text, message] : cases) {
        TicketError error;
        EXPECT_FALSE(parseTicket(text, error)) << text;
        EXPECT_NE(error.message.find(message), std::string::npos) << error.message;
    }
}

TEST(Ticket, LinesTheProfileReaderWouldPassOverAreRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"[printer\nname=P\n[job]\ninput=a\n", "line 1: section header without ]: [printer"},
        {"[printer]\nname=P\nName=Q\n[job]\ninput=a\n", "line 3: key given twice: Name=Q"},
        {"input=a\n[printer]\nname=P\n[job]\ninput=a\n", "line 1: key outside a section"},
    };
    for (auto [text, message] : cases) {
        TicketError error;
        EXPECT_FALSE(parseTicket(text, error)) << text;
        EXPECT_NE(error.message.find(message), std::string::npos) << error.message;
    }
}

TEST(Ticket, TheFieldsTheMergeReplacedAreNamedWithTheirNewValues) {
    TicketError error;
    auto ticket = parseTicket("[printer]\nname=P\n[job]\ninput=a\n[private]\nwhiteAdjust=101\nnupCode=2\n"
                              "jobName=Payroll\nduplexScaleX=1,2,3,4,5\n",
                              error);
    ASSERT_TRUE(ticket) << error.message;
    PrivateRecord merged{};
    ASSERT_TRUE(applyPrivateFields(*ticket, merged, error));
    EXPECT_TRUE(fieldsReplacedByMerge(*ticket, merged).empty());
    merged.whiteAdjust = 0;
    merged.duplexScaleX[4] = 0;
    EXPECT_EQ(fieldsReplacedByMerge(*ticket, merged), (std::vector<std::string>{"whiteAdjust", "duplexScaleX"}));
    EXPECT_EQ(describeField(merged, "whiteAdjust"), "0");
    EXPECT_EQ(describeField(merged, "duplexScaleX"), "1, 2, 3, 4, 0");
    EXPECT_EQ(describeField(merged, "jobName"), "\"Payroll\"");
    EXPECT_EQ(describeField(merged, "noSuchField"), "?");
}

}  // namespace
}  // namespace wren::host
