// The printer's framing parser of encrypted jobs: every size and framing byte
// is checked before a payload is handed on.
#include <gtest/gtest.h>

#include <string>

#include "unseal_framing.h"

using namespace wren::host;

namespace {

const std::string kHeader = "\x1B%-12345X@PJL JOB NAME=\"x\"\r\n";

std::string chunk(std::string_view line, std::string_view payload, std::string_view size = {}) {
    std::string out(line);
    out += size.empty() ? std::to_string(payload.size()) : std::string(size);
    out += "\n";
    out += payload;
    out += kUniversalExit;
    return out;
}

std::string goodJob() {
    return kHeader + chunk(kWriteStartLine, "START") + chunk(kWriteLine, "ab\x1B%-12345Xcd") + chunk(kWriteLine, "") +
           chunk(kWriteLine, std::string(1, '\0')) + chunk(kWriteEndLine, "END") + std::string(kJobEndLine);
}

TEST(UnsealFraming, SplitsAWellFormedJob) {
    const std::string job = goodJob();
    FramingError error;
    auto frames = parseSealedFrames(job, error);
    ASSERT_TRUE(frames) << error.message;
    EXPECT_EQ(frames->plainHeader, kHeader);
    EXPECT_EQ(frames->start, "START");
    ASSERT_EQ(frames->writes.size(), 3u);
    EXPECT_EQ(frames->writes[0], "ab\x1B%-12345Xcd") << "a payload may hold the exit sequence itself";
    EXPECT_EQ(frames->writes[1], "");
    EXPECT_EQ(frames->writes[2], std::string(1, '\0'));
    EXPECT_EQ(frames->end, "END");
}

TEST(UnsealFraming, AJobWithoutHeaderOrWritesIsFine) {
    const std::string job = chunk(kWriteStartLine, "S") + chunk(kWriteEndLine, "E") + std::string(kJobEndLine);
    FramingError error;
    auto frames = parseSealedFrames(job, error);
    ASSERT_TRUE(frames) << error.message;
    EXPECT_TRUE(frames->plainHeader.empty());
    EXPECT_TRUE(frames->writes.empty());
}

struct Broken {
    const char* name;
    std::string job;
    const char* message;
};

TEST(UnsealFraming, RefusesEveryBrokenFrame) {
    const std::string start = chunk(kWriteStartLine, "S");
    const std::string end = chunk(kWriteEndLine, "E") + std::string(kJobEndLine);
    const std::string good = goodJob();
    const Broken cases[] = {
        {"cancelled job", "\x1B%-12345X" + std::string(kJobEndLine), "no write_start line"},
        {"write before start", kHeader + chunk(kWriteLine, "x") + start + end, "a resource write before write_start"},
        {"no digits", kHeader + chunk(kWriteStartLine, "S", "x") + end, "has no digits"},
        {"sign", kHeader + chunk(kWriteStartLine, "S", "+1") + end, "has no digits"},
        {"leading zero", kHeader + chunk(kWriteStartLine, "S", "01") + end, "leading zero"},
        {"beyond 32 bits", kHeader + chunk(kWriteStartLine, "S", "4294967296") + end, "does not fit 32 bits"},
        {"eleven digits", kHeader + chunk(kWriteStartLine, "S", "00000000001") + end, "does not fit 32 bits"},
        {"size too large", kHeader + chunk(kWriteStartLine, "S", "4294967295") + end, "claims 4294967295 bytes"},
        {"size one short", kHeader + chunk(kWriteStartLine, "SS", "1") + end, "universal exit language"},
        {"size one long", kHeader + chunk(kWriteStartLine, "S", "2") + end, "universal exit language"},
        {"CR LF after size", kHeader + std::string(kWriteStartLine) + "1\r\nS" + std::string(kUniversalExit) + end,
         "line feed"},
        {"unknown line", kHeader + start + "@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:other\" SIZE=1\nx" + end,
         "expected a write or write_end line"},
        {"cut after start", kHeader + start, "without write_end"},
        {"cut inside a chunk", good.substr(0, good.find("cd")), "claims"},
        {"no job end", kHeader + start + chunk(kWriteEndLine, "E"), "job end line"},
        {"job end altered", kHeader + start + chunk(kWriteEndLine, "E") + "@PJL EOJ\n", "job end line"},
        {"bytes after end", good + "x", "bytes after the job end"},
        {"second job after end", good + good, "bytes after the job end"},
    };
    for (const Broken& c : cases) {
        FramingError error;
        EXPECT_FALSE(parseSealedFrames(c.job, error)) << c.name;
        EXPECT_NE(error.message.find(c.message), std::string::npos) << c.name << ": " << error.message;
        EXPECT_LE(error.offset, c.job.size()) << c.name;
    }
}

TEST(UnsealFraming, EveryCutOfAGoodJobIsRefused) {
    const std::string job = goodJob();
    for (std::size_t n = 0; n < job.size(); ++n) {
        FramingError error;
        EXPECT_FALSE(parseSealedFrames(job.substr(0, n), error)) << "cut at " << n;
    }
}

}  // namespace
