// The sealed-job format end to end with a keyed fake cipher: what the cipher
// stand-in writes, framed as the plug-in frames it, opens only under the right
// key and only whole, in order and unaltered.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "unseal_fake_aead.h"
#include "unseal_job.h"

using namespace wren;
using wren::test::fakeDerive;
using wren::test::sealedJob;

namespace {

const std::string kHeader = "\x1B%-12345X@PJL JOB NAME=\"doc\"\r\n@PJL ZELAUXJOBINFO DATA=\"KeepingTime=02:00\"\r\n";

std::string document(std::size_t size) {
    std::mt19937 random(17);
    std::string out = "%!PS-Adobe-3.0\n%%Title: secret\n";
    while (out.size() < size) out += char(random() & 0xFF);
    out.resize(size);
    return out;
}

host::UnsealResult unseal(std::string_view job, std::string& plain, std::string_view key = "wren1234") {
    return host::unsealJob(job, key, &fakeDerive, plain);
}

TEST(UnsealJob, RoundTripsForEveryPieceSize) {
    const std::string doc = document(5000);
    for (std::size_t piece : {1u, 2u, 255u, 256u, 257u, 4096u, 5000u, 9999u}) {
        std::string plain;
        const std::string job = sealedJob(kHeader, doc, piece);
        host::UnsealResult r = unseal(job, plain);
        ASSERT_TRUE(r.ok) << piece << ": " << r.message;
        EXPECT_EQ(plain, doc) << piece;
        EXPECT_EQ(r.plainHeader, kHeader);
        EXPECT_EQ(r.records, (doc.size() + piece - 1) / piece);
        EXPECT_EQ(job.find("secret"), std::string::npos) << "no document text travels in clear";
        EXPECT_EQ(job.find("wren1234"), std::string::npos) << "nor the password";
    }
}

TEST(UnsealJob, AnEmptyJobOpensEmpty) {
    std::string plain = "stale";
    host::UnsealResult r = unseal(sealedJob("", "", 16), plain);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(plain.empty());
}

TEST(UnsealJob, WrongKeyIsNamedAsSuch) {
    std::string plain;
    for (std::string_view key : {"wren1235", "wren123", "wren12345"}) {
        host::UnsealResult r = unseal(sealedJob(kHeader, document(300), 100), plain, key);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("wrong key"), std::string::npos) << r.message;
        EXPECT_TRUE(plain.empty());
    }
    EXPECT_NE(unseal(sealedJob(kHeader, "x", 1), plain, "").message.find("1 to 33 bytes"), std::string::npos);
    EXPECT_NE(unseal(sealedJob(kHeader, "x", 1), plain, std::string(34, 'k')).message.find("1 to 33 bytes"),
              std::string::npos);
}

// Any single changed byte of the cipher part makes the job refuse to open,
// never open to something else.
TEST(UnsealJob, EveryAlteredByteIsCaught) {
    const std::string doc = document(600);
    const std::string job = sealedJob(kHeader, doc, 200);
    const std::size_t from = job.find(host::kWriteStartLine);
    for (std::size_t at = from; at < job.size(); ++at) {
        std::string altered = job;
        altered[at] = char(altered[at] ^ 0x01);
        std::string plain;
        host::UnsealResult r = unseal(altered, plain);
        EXPECT_FALSE(r.ok && plain != doc) << "byte " << at << " changed the plain job";
        if (r.ok) ADD_FAILURE() << "byte " << at << " was altered unnoticed";
    }
}

// Cipher chunks moved, dropped or taken from another job of the same key.
TEST(UnsealJob, ReorderedDroppedOrForeignRecordsAreCaught) {
    const std::string doc = document(900);
    const std::string job = sealedJob(kHeader, doc, 300);
    host::FramingError error;
    auto frames = host::parseSealedFrames(job, error);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->writes.size(), 3u);
    auto rebuild = [&](std::vector<std::string_view> writes, std::string_view end) {
        auto bytes = [](std::string_view v) { return stand_in::Bytes(v.begin(), v.end()); };
        std::string out(frames->plainHeader);
        out += test::frame(host::kWriteStartLine, bytes(frames->start));
        for (std::string_view w : writes) out += test::frame(host::kWriteLine, bytes(w));
        out += test::frame(host::kWriteEndLine, bytes(end));
        out += host::kJobEndLine;
        return out;
    };
    const auto& w = frames->writes;
    const std::string other = sealedJob(kHeader, doc, 300, "wren1234", 8);
    auto otherFrames = host::parseSealedFrames(other, error);
    ASSERT_TRUE(otherFrames);
    struct Case {
        const char* name;
        std::string job;
        const char* message;
    } cases[] = {
        {"swapped", rebuild({w[1], w[0], w[2]}, frames->end), "does not authenticate"},
        {"last dropped", rebuild({w[0], w[1]}, frames->end), "incomplete"},
        {"first dropped", rebuild({w[1], w[2]}, frames->end), "does not authenticate"},
        {"repeated", rebuild({w[0], w[1], w[2], w[2]}, frames->end), "does not authenticate"},
        {"foreign record", rebuild({w[0], otherFrames->writes[1], w[2]}, frames->end), "does not authenticate"},
        {"foreign end", rebuild({w[0], w[1], w[2]}, otherFrames->end), "end record does not authenticate"},
        {"end of a shorter job", rebuild({w[0], w[1], w[2]}, std::string_view(frames->end).substr(1)),
         "not an end record"},
    };
    for (const Case& c : cases) {
        std::string plain;
        host::UnsealResult r = unseal(c.job, plain);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.message.find(c.message), std::string::npos) << c.name << ": " << r.message;
    }
}

TEST(UnsealJob, RecordsMayBeCutAcrossChunks) {
    // The format does not rely on one record per chunk: a printer that gets
    // the same bytes in other chunks opens them the same.
    const std::string doc = document(700);
    const std::string job = sealedJob(kHeader, doc, 250);
    host::FramingError error;
    auto frames = host::parseSealedFrames(job, error);
    ASSERT_TRUE(frames);
    std::string records;
    for (std::string_view w : frames->writes) records += w;
    std::string rechunked(frames->plainHeader);
    auto bytes = [](std::string_view v) { return stand_in::Bytes(v.begin(), v.end()); };
    rechunked += test::frame(host::kWriteStartLine, bytes(frames->start));
    for (std::size_t at = 0; at < records.size(); at += 97)
        rechunked += test::frame(host::kWriteLine, bytes(std::string_view(records).substr(at, 97)));
    rechunked += test::frame(host::kWriteEndLine, bytes(frames->end));
    rechunked += host::kJobEndLine;
    std::string plain;
    host::UnsealResult r = unseal(rechunked, plain);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(plain, doc);
}

TEST(UnsealJob, AHeaderFromAnotherVersionOrWithAbsurdCountIsRefused) {
    stand_in::JobHeader h;
    stand_in::Bytes start = h.bytes();
    start.resize(stand_in::kStartBytes);
    EXPECT_TRUE(stand_in::JobHeader::parse(start.data(), start.size()));
    EXPECT_FALSE(stand_in::JobHeader::parse(start.data(), start.size() - 1));
    stand_in::Bytes version = start;
    version[4] = 1;
    EXPECT_FALSE(stand_in::JobHeader::parse(version.data(), version.size()));
    for (std::uint32_t iterations : {0u, stand_in::kMaxIterations + 1}) {
        h.iterations = iterations;
        stand_in::Bytes bad = h.bytes();
        bad.resize(stand_in::kStartBytes);
        EXPECT_FALSE(stand_in::JobHeader::parse(bad.data(), bad.size())) << iterations;
    }
}

}  // namespace
