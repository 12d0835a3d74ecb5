#include <gtest/gtest.h>

#include <string>

#include "encrypt_fixture.h"
#include "ps/encrypt/header_collector.h"

namespace wren {
namespace {

using test::documentBody;
using test::jobHeader;
using State = HeaderCollector::State;

std::size_t feed(HeaderCollector& c, const std::string& s) {
    return c.append(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

TEST(HeaderCollector, ThreeJobInformationLinesMakeTheHeader) {
    HeaderCollector c(0x00020000, false);
    feed(c, jobHeader());
    EXPECT_EQ(c.state(), State::Ready);
    EXPECT_EQ(c.rebuiltHeader(),
              "\x1B%-12345X@PJL JOB NAME=\"Quarterly report\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"ComputerName=DESK-7\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"UserName=ada\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=2024/05/06 07:08:09\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"KeepingTime=02:00\"\r\n");
}

TEST(HeaderCollector, CardJobsCarryTheDeviceAndVersionLines) {
    HeaderCollector c(0x0017003B, true);
    feed(c, jobHeader(false, true));
    ASSERT_EQ(c.state(), State::Ready);
    EXPECT_EQ(c.rebuiltHeader(),
              "\x1B%-12345X@PJL JOB\r\n"
              "@PJL COMMENT Device Name :Wren ZE Colour PS\r\n"
              "@PJL COMMENT Version     :1.0.3.0\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"ComputerName=DESK-7\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"UserName=ada\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=2024/05/06 07:08:09\"\r\n"
              "@PJL ZELAUXJOBINFO DATA=\"KeepingTime=23:59\"\r\n");
    HeaderCollector passwordJob(0x00020000, false);
    feed(passwordJob, jobHeader(true, true));
    EXPECT_FALSE(passwordJob.found(HeaderCollector::kDeviceLine)) << "only card jobs look for it";
}

TEST(HeaderCollector, StatesFollowWhatHasArrived) {
    struct Case { const char* what; std::string stream; State state; };
    const Case cases[] = {
        {"job line only", "\x1B%-12345X@PJL JOB NAME=\"a\"\r\n", State::Collecting},
        {"two of three", "@PJL ZELAUXJOBINFO DATA=\"ComputerName=x\"\r\n@PJL ZELAUXJOBINFO DATA=\"UserName=y\"\r\n",
         State::Collecting},
        {"language switch", "@PJL JOB NAME=\"a\"\r\n@PJL ENTER LANGUAGE=POSTSCRIPT\n", State::GiveUp},
        {"two-percent header", "%%!PS-Adobe-3.0\n", State::GiveUp},
        {"one-percent header is document", "%!PS-Adobe-3.0\n", State::Collecting},
        {"end of job", "\x1B%-12345X@PJL EOJ\r\n", State::GiveUp},
        {"limit", std::string(32767, 'x'), State::Collecting},
        {"past the limit", std::string(32768, 'x'), State::GiveUp},
    };
    for (const Case& c : cases) {
        HeaderCollector h(0x00020000, false);
        feed(h, c.stream);
        EXPECT_EQ(h.state(), c.state) << c.what;
    }
}

TEST(HeaderCollector, AnIncompleteLineIsTakenOnceComplete) {
    const std::string header = jobHeader();
    for (std::size_t cut = 1; cut < header.size(); ++cut) {
        HeaderCollector c(0x00020000, false);
        feed(c, header.substr(0, cut));
        // Ended by its CR, the last line is complete.
        EXPECT_EQ(c.state(), cut + 1 < header.size() ? State::Collecting : State::Ready) << cut;
        feed(c, header.substr(cut));
        ASSERT_EQ(c.state(), State::Ready) << cut;
        EXPECT_EQ(c.line(HeaderCollector::kReceptionLine),
                  "@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=2024/05/06 07:08:09\"") << cut;
        EXPECT_EQ(c.line(HeaderCollector::kJobLine), "@PJL JOB NAME=\"Quarterly report\"") << cut;
    }
}

TEST(HeaderCollector, LinesThatDoNotEndIn256BytesAreEmpty) {
    const std::string open = "@PJL ZELAUXJOBINFO DATA=\"UserName=";
    for (std::size_t length : {255u, 256u}) {
        HeaderCollector c(0x00020000, false);
        std::string user = open + std::string(length - open.size(), 'u') + "\r\n";
        feed(c, user);
        EXPECT_EQ(c.line(HeaderCollector::kUserLine).size(), length == 255 ? 255u : 0u) << length;
    }
}

TEST(HeaderCollector, NothingAfterTheHeaderReachesTheRebuiltOne) {
    // The job-information lines appear only in the document.
    HeaderCollector c(0x00020000, false);
    feed(c, "\x1B%-12345X@PJL JOB NAME=\"a\"\r\n" + documentBody(1) + jobHeader());
    EXPECT_EQ(c.state(), State::GiveUp);
    EXPECT_FALSE(c.found(HeaderCollector::kComputerLine));

    // The same, when the document arrives blocks later.
    HeaderCollector later(0x00020000, false);
    feed(later, "@PJL ZELAUXJOBINFO DATA=\"ComputerName=x\"\r\n@PJL ENTER LANGUAGE=POSTSCRIPT\n");
    EXPECT_EQ(later.state(), State::GiveUp);
}

TEST(HeaderCollector, TheCopyStopsAtItsLimit) {
    HeaderCollector c(0x00020000, false);
    EXPECT_EQ(feed(c, std::string(30000, 'a')), 30000u);
    EXPECT_EQ(c.state(), State::Collecting);
    EXPECT_EQ(feed(c, std::string(4096, 'b')), 2768u) << "what does not fit stays with the caller";
    EXPECT_EQ(c.copy().size(), HeaderCollector::kCopyLimit);
    EXPECT_EQ(c.state(), State::GiveUp);
    EXPECT_EQ(c.copy().capacity(), HeaderCollector::kCopyLimit) << "no reallocation on the way";
}

TEST(HeaderCollector, PatternsCutAcrossBlocksAreFound) {
    const std::string stream = jobHeader() + "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
    for (std::size_t a = 1; a < stream.size(); a += 3) {
        HeaderCollector c(0x00020000, false);
        for (std::size_t at = 0; at < stream.size() && c.state() == State::Collecting; at += a)
            feed(c, stream.substr(at, a));
        EXPECT_EQ(c.state(), State::Ready) << "blocks of " << a;
    }
}

}  // namespace
}  // namespace wren
