// Encrypted jobs through the block path of the rendering plug-in, with the
// fake cipher and IC-card libraries.
#include <random>

#include "encrypt_fixture.h"

namespace wren::test {
namespace {

class EncryptedJob : public EncryptFixture {
protected:
    std::string sampleJob() { return jobHeader() + documentBody(300) + kTrailer; }
};

const std::string kRebuilt =
    "\x1B%-12345X@PJL JOB NAME=\"Quarterly report\"\r\n"
    "@PJL ZELAUXJOBINFO DATA=\"ComputerName=DESK-7\"\r\n"
    "@PJL ZELAUXJOBINFO DATA=\"UserName=ada\"\r\n"
    "@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=2024/05/06 07:08:09\"\r\n"
    "@PJL ZELAUXJOBINFO DATA=\"KeepingTime=02:00\"\r\n";

TEST_F(EncryptedJob, RoundTripsWhereverTheBlocksAreCut) {
    storePassword("stored-pw-1");
    std::mt19937 rng(20240506);
    std::vector<std::vector<std::size_t>> cuts = {{1}, {255}, {256}, {257}, {4096}, {100000}, {7, 4096, 1, 300}};
    std::vector<std::size_t> random;
    for (int i = 0; i < 400; ++i) random.push_back(1 + rng() % 700);
    cuts.push_back(random);
    const std::string stream = sampleJob();
    for (const auto& cut : cuts) {
        spooler.written.clear();
        std::vector<std::uint32_t> written = print(stream, cut);
        ASSERT_FALSE(cancelled()) << "cut " << cut[0];
        ParsedSpool spool = parseSpool(spooler.written);
        ASSERT_EQ(spool.error, "") << "cut " << cut[0];
        EXPECT_TRUE(spool.ended);
        EXPECT_EQ(spool.plain, kRebuilt);
        EXPECT_EQ(spool.kinds.front(), "write_start");
        EXPECT_EQ(decryptSpool(spool, "stored-pw-1"), stream) << "cut " << cut[0];
        std::uint64_t total = 0;
        for (std::uint32_t w : written) total += w;
        EXPECT_EQ(total, spooler.written.size()) << "each block reports what it sent";
        EXPECT_FALSE(job.encryption.encrypting()) << "the end closed the cipher";
    }
}

TEST_F(EncryptedJob, TheEndIsFoundWhenItsPatternIsSplit) {
    storePassword("pw");
    for (const std::string& end : {std::string("@PJL EOJ"), std::string("%%%%EOF")}) {
        const std::string stream = jobHeader() + documentBody(40);
        for (std::size_t split = 1; split < end.size(); ++split) {
            spooler.written.clear();
            print(stream + end.substr(0, split), {100000});
            EXPECT_TRUE(job.encryption.encrypting()) << "not the end yet";
            print(end.substr(split) + "\r\n", {100000});
            ParsedSpool spool = parseSpool(spooler.written);
            EXPECT_TRUE(spool.ended) << end << " split at " << split;
            EXPECT_EQ(decryptSpool(spool, "pw"), stream + end + "\r\n");
        }
    }
}

TEST_F(EncryptedJob, WithoutJobLineTheHeaderSaysJob) {
    storePassword("pw");
    print(jobHeader(false) + documentBody(2) + kTrailer, {4096});
    EXPECT_EQ(parseSpool(spooler.written).plain.rfind("\x1B%-12345X@PJL JOB\r\n@PJL ZELAUXJOBINFO", 0), 0u);
}

TEST_F(EncryptedJob, WithoutJobInformationNoPlainHeaderAtAll) {
    storePassword("pw");
    const std::string stream = "\x1B%-12345X@PJL JOB NAME=\"x\"\r\n" + documentBody(100) + kTrailer;
    print(stream, {512});
    ParsedSpool spool = parseSpool(spooler.written);
    EXPECT_EQ(spool.plain, "");
    EXPECT_EQ(decryptSpool(spool, "pw"), stream);
}

TEST_F(EncryptedJob, BlocksReportNothingSentWhileCollecting) {
    storePassword("pw");
    const std::string header = jobHeader();
    std::vector<std::uint32_t> written = print(header + documentBody(1) + kTrailer, {20});
    EXPECT_EQ(written[0], 0u);
    EXPECT_EQ(written[header.size() / 20 - 1], 0u) << "the reception line is not complete yet";
    EXPECT_GT(written[header.size() / 20], 0u);
}

TEST_F(EncryptedJob, NoStoredPasswordAsksForOneBeforeTheCipherStarts) {
    print(sampleJob(), {4096});
    EXPECT_EQ(record.cryptOption, 1u);
    const auto& calls = fakeCipher().calls;
    auto at = [&calls](const char* name) { return std::find(calls.begin(), calls.end(), name) - calls.begin(); };
    EXPECT_LT(at("DispPasswordUI"), at("InitEncryption"));
    EXPECT_EQ(fakeCipher().lastKey, "typed-secret-7");
    EXPECT_EQ(decryptSpool(parseSpool(spooler.written), "typed-secret-7"), sampleJob());
}

TEST_F(EncryptedJob, PasswordSources) {
    struct Case {
        const char* what;
        bool store;
        std::string stored;
        std::uint32_t option;
        std::string failing;
        std::string key;
        std::uint32_t optionAfter;
    };
    const Case cases[] = {
        {"stored", true, "keep-me", 0, "", "keep-me", 0},
        {"stored but ask at print", true, "keep-me", 1, "", "typed-secret-7", 1},
        {"stored but unreadable", true, "keep-me", 0, "DecryptPassword", "typed-secret-7", 1},
        {"stored empty", true, "", 0, "", "typed-secret-7", 1},
        {"none stored", false, "", 0, "", "typed-secret-7", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakeCipher() = FakeCipherControl{};
        fakeCipher().failing = c.failing;
        newJob();
        record.cryptOption = c.option;
        record.cryptPasswordLength = 0;
        if (c.store) storePassword(c.stored);
        record.cryptMode = 2;
        record.cryptStrength = 3;
        print(jobHeader() + documentBody(3) + kTrailer, {4096});
        EXPECT_EQ(record.cryptOption, c.optionAfter);
        EXPECT_EQ(fakeCipher().lastKey, c.key);
        EXPECT_EQ(fakeCipher().lastMode, 2u);
        EXPECT_EQ(fakeCipher().lastStrength, 3u);
    }
}

TEST_F(EncryptedJob, NoPasswordAtAllCancelsBeforeAnythingIsSent) {
    fakeCipher().dialogPassword = "";
    print(sampleJob(), {4096});
    EXPECT_TRUE(cancelled());
    EXPECT_EQ(spooler.written, "");
}

TEST_F(EncryptedJob, CardJobsTakeTheirKeyFromTheCard) {
    fakeCipher().cardPresent = true;
    settings.features["ZEJob_Type"] = "Secure";  // a card reader makes it encrypted
    const std::string stream = jobHeader(true, true) + documentBody(20) + kTrailer;
    print(stream, {4096});
    ASSERT_FALSE(cancelled());
    ParsedSpool spool = parseSpool(spooler.written);
    EXPECT_NE(spool.plain.find("@PJL COMMENT Device Name :Wren ZE Colour PS\r\n"), std::string::npos);
    EXPECT_EQ(spool.plain.substr(spool.plain.size() - 24), "@PJL COMMENT ICCARDJOB\r\n");
    EXPECT_EQ(fakeCipher().lastTwo, 2);
    EXPECT_EQ(fakeCipher().lastKey, "CARD-KEY-0042") << "the key is as long as the card data";
    EXPECT_EQ(decryptSpool(spool, "CARD-KEY-0042"), stream);
    EXPECT_EQ(std::count(fakeCipher().calls.begin(), fakeCipher().calls.end(), "DispPasswordUI"), 0);
}

TEST_F(EncryptedJob, CardJobsWithoutInitEncryptionEx2UseInitEncryptionEx) {
    fakeCipher().cardPresent = true;
    fakeCipher().missing = {"InitEncryptionEx2"};
    installLibraries();
    print(jobHeader(true, true) + documentBody(2) + kTrailer, {4096});
    EXPECT_FALSE(cancelled());
    EXPECT_EQ(fakeCipher().lastTwo, 0);
    EXPECT_EQ(decryptSpool(parseSpool(spooler.written), "CARD-KEY-0042"),
              jobHeader(true, true) + documentBody(2) + kTrailer);
}

TEST_F(EncryptedJob, FailedCardDataSendsOnlyTheEndOfTheJob) {
    fakeCipher().cardPresent = true;
    fakeCipher().cardData.reset();
    print(jobHeader(true, true) + documentBody(20) + kTrailer, {4096});
    EXPECT_TRUE(cancelled());
    EXPECT_EQ(spooler.written, "\x1B%-12345X@PJL EOJ NAME = \"END\"\n\x1B%-12345X");
}

TEST_F(EncryptedJob, WithoutInitEncryptionExThereIsNoHandle) {
    fakeCipher().missing = {"InitEncryptionEx"};
    installLibraries();
    storePassword("pw");
    print(sampleJob(), {4096});
    EXPECT_TRUE(cancelled());
    EXPECT_EQ(spooler.written, "");
    EXPECT_EQ(std::count(fakeCipher().calls.begin(), fakeCipher().calls.end(), "CreateEncryption"), 0);
}

TEST_F(EncryptedJob, TheNextJobStartsClean) {
    storePassword("pw");
    fakeCipher().failUpdateAt = 3;
    print(sampleJob(), {1024});
    ASSERT_TRUE(cancelled());
    EXPECT_FALSE(job.encryption.encrypting());
    EXPECT_FALSE(job.encryption.collecting());

    // A new stream clears the cancel; the second job is whole on its own.
    fakeCipher().failUpdateAt = 0;
    spooler.written.clear();
    job.jobCancelled = false;
    print(sampleJob(), {1024});
    ParsedSpool spool = parseSpool(spooler.written);
    EXPECT_EQ(spool.plain, kRebuilt);
    EXPECT_EQ(decryptSpool(spool, "pw"), sampleJob());
}

TEST_F(EncryptedJob, AStartOfStreamDropsAJobThatNeverEnded) {
    storePassword("pw");
    print(jobHeader() + documentBody(50), {4096});
    ASSERT_TRUE(job.encryption.encrypting());
    test::FakeDriverSettings& s = settings;
    s.outputOption = 2;  // EPS: the start of stream writes no header
    InjectionExtras none;
    ASSERT_TRUE(runInjection(ctx, kBeginStream, none));
    EXPECT_FALSE(job.encryption.encrypting());
    EXPECT_EQ(fakeCipher().liveSessions, 0);
}

// EPS output has no PJL trailer, so no end pattern ever comes: the end of
// the document closes the job, whether it was still being collected or
// already encrypting.
TEST_F(EncryptedJob, TheEndOfTheDocumentClosesAJobWithoutEndPattern) {
    storePassword("pw");
    for (std::size_t body : {std::size_t(2), std::size_t(2000)}) {
        spooler.written.clear();
        job.encryption.reset();
        std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n";
        for (std::size_t i = 0; i < body; ++i) eps += "(CONFIDENTIAL " + std::to_string(i) + ") show\n";
        print(eps, {4096});
        EXPECT_EQ(job.encryption.collecting(), body == 2) << "a short job is still being collected";
        ASSERT_TRUE(endStream(ctx));
        ParsedSpool spool = parseSpool(spooler.written);
        EXPECT_EQ(spool.error, "");
        EXPECT_TRUE(spool.ended);
        EXPECT_EQ(decryptSpool(spool, "pw"), eps);
        EXPECT_FALSE(job.encryption.encrypting() || job.encryption.collecting());
    }
}

TEST_F(EncryptedJob, AFailureAtTheEndOfTheDocumentCancelsTheJob) {
    storePassword("pw");
    print(jobHeader() + documentBody(50), {4096});
    fakeCipher().failing = "EndEncryption";
    EXPECT_FALSE(endStream(ctx));
    EXPECT_TRUE(cancelled());
    EXPECT_FALSE(parseSpool(spooler.written).ended);
}

TEST_F(EncryptedJob, TheRealHeaderWriterStartsAJobThatRoundTrips) {
    storePassword("pw");
    InjectionExtras none;
    ASSERT_TRUE(runInjection(ctx, kBeginStream, none));
    const std::string whole = stream.bytes + "%!PS-Adobe-3.0\n(CONFIDENTIAL) show\n" + kTrailer;
    print(whole, {4096});
    ParsedSpool spool = parseSpool(spooler.written);
    EXPECT_EQ(spool.error, "");
    EXPECT_TRUE(spool.ended);
    EXPECT_EQ(decryptSpool(spool, "pw"), whole);
}

}  // namespace
}  // namespace wren::test

namespace wren::test {
namespace {

TEST_F(EncryptFixture, TheJobEndsWithTheLineOfItsEndPattern) {
    storePassword("pw");
    const std::string stream = jobHeader() + documentBody(5) + "\x1B%-12345X@PJL EOJ";
    print(stream, {4096});
    ASSERT_FALSE(parseSpool(spooler.written).ended) << "the line of the end is not complete";
    print("\r", {4096});
    print("\n", {4096});
    const std::string sent = spooler.written;
    ParsedSpool spool = parseSpool(sent);
    ASSERT_TRUE(spool.ended);
    EXPECT_EQ(decryptSpool(spool, "pw"), stream + "\r\n");
    // What follows the job's end waits for a job that never comes: it is not
    // sent, in clear or otherwise, the end of the document opens no second
    // job for it, and the next start of stream drops it.
    print("\x1B%-12345X", {4096});
    EXPECT_EQ(spooler.written, sent);
    EXPECT_TRUE(endStream(ctx));
    EXPECT_EQ(spooler.written, sent);
    InjectionExtras none;
    settings.outputOption = 2;
    runInjection(ctx, kBeginStream, none);
    EXPECT_FALSE(job.encryption.collecting());
}

TEST_F(EncryptFixture, AnEndWhoseLineNeverCompletesClosesWithTheDocument) {
    storePassword("pw");
    const std::string stream = jobHeader() + documentBody(5) + "\x1B%-12345X@PJL EOJ";
    print(stream, {100});
    ASSERT_TRUE(endStream(ctx));
    ParsedSpool spool = parseSpool(spooler.written);
    ASSERT_TRUE(spool.ended);
    EXPECT_EQ(decryptSpool(spool, "pw"), stream);
}

}  // namespace
}  // namespace wren::test
