// Jobs sealed by the cipher stand-in, framed as the rendering plug-in frames
// them, opened by `wrenhost unseal` with real AES-GCM under Wine's CNG.
#include <gtest/gtest.h>

#include <random>

#include "cipher_stand_in.h"

namespace wren::wine_test {
namespace {

const std::string kHeader = "\x1B%-12345X@PJL JOB NAME=\"doc\"\r\n@PJL ZELAUXJOBINFO DATA=\"KeepingTime=02:00\"\r\n";
constexpr char kPassword[] = "wren1234";

std::string document(std::size_t size) {
    std::mt19937 random(5);
    std::string out = "%!PS-Adobe-3.0\n%%Title: confidential report\n";
    while (out.size() < size) out += char('A' + random() % 26);
    return out.substr(0, size - 6) + "%%EOF\n";
}

class Unseal : public ::testing::Test {
protected:
    HostRun unseal(const std::string& job, const std::wstring& key) {
        writeFile(job_.path(), job);
        DeleteFileW(out_.path().c_str());
        return runHost(L"unseal \"" + job_.path() + L"\" " + key + L" \"" + out_.path() + L"\"");
    }
    std::string unsealed() { return readFile(out_.path()); }

    CipherDll dll_;
    TempFile job_{L"sjb"};
    TempFile out_{L"plj"};
};

TEST_F(Unseal, OpensWhatTheLibrarySealedForEveryCut) {
    ASSERT_TRUE(dll_.create && dll_.init) << "zecipher.dll from the build folder";
    const std::string doc = document(20000);
    std::mt19937 random(42);
    std::vector<std::size_t> randomCuts;
    for (int i = 0; i < 64; ++i) randomCuts.push_back(1 + random() % 3000);
    const std::vector<std::vector<std::size_t>> cuts = {{1}, {255}, {256}, {257}, {4096}, {20000}, randomCuts};
    for (const auto& pieces : cuts) {
        // One byte a piece makes 20000 records: keep that job short.
        const std::string plain = pieces == std::vector<std::size_t>{1} ? doc.substr(0, 700) : doc;
        const std::string job = sealWithLibrary(dll_, kHeader, plain, pieces, kPassword);
        ASSERT_FALSE(job.empty()) << pieces[0];
        EXPECT_EQ(job.find("confidential"), std::string::npos) << "the document never travels in clear";
        EXPECT_EQ(job.find(kPassword), std::string::npos) << "nor the password";
        HostRun run = unseal(job, L"--password wren1234");
        ASSERT_EQ(run.status, 0u) << pieces[0] << ": " << run.output;
        EXPECT_EQ(unsealed(), plain) << pieces[0];
    }
}

TEST_F(Unseal, CardDataKeysTheJobThroughBothExtendedInitialisations) {
    const std::string card("\x00\x01ZE-CARD\xFF\x00", 11);  // card data may hold NULs
    for (KeyKind kind : {KeyKind::CardEx, KeyKind::CardEx2}) {
        const std::string job = sealWithLibrary(dll_, kHeader, document(3000), {1000}, card, kind);
        ASSERT_FALSE(job.empty());
        HostRun run = unseal(job, L"--card-data 00015A452D43415244FF00");
        ASSERT_EQ(run.status, 0u) << run.output;
        EXPECT_EQ(unsealed(), document(3000));
        run = unseal(job, L"--card-data 00015A452D43415244FF");  // the trailing NUL counts
        EXPECT_EQ(run.status, 1u) << run.output;
    }
}

TEST_F(Unseal, RefusesWithOneClearLine) {
    const std::string doc = document(5000);
    const std::string job = sealWithLibrary(dll_, kHeader, doc, {1000}, kPassword);
    ASSERT_FALSE(job.empty());
    const std::size_t firstWrite = job.find("SecureJobAccessor:write\"");
    ASSERT_NE(firstWrite, std::string::npos);
    std::string tampered = job;
    tampered[job.find('\n', firstWrite) + 40] ^= 0x20;
    std::string header = job;
    header[job.find("ZESJ") + 24] ^= 0x01;  // the salt
    struct Case {
        const char* name;
        std::string job;
        std::wstring key;
        const char* message;
    } cases[] = {
        {"wrong password", job, L"--password wren1235", "wrong key"},
        {"password of another job", job, L"--password wren12345", "wrong key"},
        {"tampered byte", tampered, L"--password wren1234", "the job was altered"},
        {"tampered header", header, L"--password wren1234", "wrong key"},
        {"truncated", job.substr(0, job.size() / 2), L"--password wren1234", "framing:"},
        {"last chunk dropped", job.substr(0, job.rfind("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write\"")) +
                                   job.substr(job.find("@PJL ZELRESOURCEWRITE LOCATION=\"SecureJobAccessor:write_end\"")),
         L"--password wren1234", "incomplete"},
        {"cancelled job", "\x1B%-12345X@PJL EOJ NAME = \"END\"\n\x1B%-12345X", L"--password wren1234", "no write_start"},
        {"bad hex", job, L"--card-data 0G", "hex digits"},
        {"no key", job, L"", "usage"},
    };
    for (const Case& c : cases) {
        HostRun run = unseal(c.job, c.key);
        EXPECT_EQ(run.status, 1u) << c.name;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.name << ": " << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << c.name << ": " << run.output;
        EXPECT_TRUE(unsealed().empty()) << c.name << ": nothing is written for a job that does not open";
    }
}

}  // namespace
}  // namespace wren::wine_test
