#include <gtest/gtest.h>

#include <vector>

#include "common/settings/record_text.h"
#include "dsc_stream.h"
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

struct Recorder : StreamSink {
    std::string out;
    void bytes(std::string_view data) override { out += data; }
    void inject(std::uint32_t point) override { out += "<" + std::to_string(point) + ">"; }
    std::string documentProlog() override { return "[procs]\n"; }
    std::string pageSetup() override { return "[transform]\n"; }
};

TEST(DscStream, InjectionPointsComeWhereTheCoreDriverCallsThem) {
    Recorder sink;
    int pages = emitDocument("%!PS-Adobe-3.0\n%%EndComments\n%%BeginProlog\n/p {} def\n%%EndProlog\n"
                             "%%BeginSetup\nsetup\n%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\nps\n%%EndPageSetup\n"
                             "page1\n%%Page: 2 2\npage2\n%%Trailer\nend\n%%EOF\n",
                             sink);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(sink.out,
              "<1>%!PS-Adobe-3.0\n%%EndComments\n%%BeginProlog\n<14>[procs]\n/p {} def\n%%EndProlog\n"
              "%%BeginSetup\n<16>setup\n<17>%%EndSetup\n"
              "%%Page: 1 1\n%%BeginPageSetup\n[transform]\nps\n<102>%%EndPageSetup\npage1\n"
              "%%Page: 2 2\n%%BeginPageSetup\n[transform]\n<102>%%EndPageSetup\npage2\n"
              "%%Trailer\nend\n%%EOF\n<20>");
}

TEST(DscStream, ADocumentWithoutStructureStillGetsEveryPoint) {
    Recorder sink;
    EXPECT_EQ(emitDocument("showpage", sink), 0);
    EXPECT_EQ(sink.out, "<1>%!PS-Adobe-3.0\nshowpage\n%%BeginProlog\n<14>[procs]\n%%EndProlog\n%%BeginSetup\n<16><17>"
                        "%%EndSetup\n%%Trailer\n%%EOF\n<20>");
}

}  // namespace
}  // namespace wren::host
