// Whatever fails, and wherever the blocks are cut, an encrypted job leaves
// the computer as the rebuilt header, framing and cipher output only: never
// a byte of the document, never the password or the card's key.
#include "encrypt_fixture.h"
#include "render_fixture.h"

namespace wren::test {
namespace {

const std::string kPassword = "stored-SECRET-pw";
const std::string kCardKey = "CARD-KEY-0042";
const std::string kCardComment = "@PJL COMMENT ICCARDJOB\r\n";
const std::string kEnd = "\x1B%-12345X@PJL EOJ NAME = \"END\"\n\x1B%-12345X";

struct Fault {
    const char* what;
    bool card;
    std::function<void(FakeCipherControl&, RecordingSpooler&)> apply;
    bool fatal;
};

class EncryptFaults : public EncryptFixture {
protected:
    std::string sampleJob(bool card, std::size_t lines) { return jobHeader(true, card) + documentBody(lines) + kTrailer; }

    // Prints the job and checks the spool; true when the job was cancelled.
    bool printAndCheck(bool card, std::size_t block, std::size_t lines) {
        fakeCipher().cardPresent = card;
        if (!card) storePassword(kPassword);
        installLibraries();
        const std::string stream = sampleJob(card, lines);
        print(stream, {block});
        expectNothingInClear(spooler.written, card);
        if (!cancelled()) {
            ParsedSpool spool = parseSpool(spooler.written);
            EXPECT_TRUE(spool.ended);
            const std::string& key = card ? kCardKey : fakeCipher().lastKey;
            EXPECT_TRUE(key == kPassword || key == kCardKey || key == "typed-secret-7") << key;
            EXPECT_EQ(decryptSpool(spool, key), stream);
        }
        return cancelled();
    }

    void expectNothingInClear(const std::string& spool, bool card) {
        ParsedSpool parsed = parseSpool(spool);
        EXPECT_EQ(parsed.error, "") << visible(spool);
        // The plain part: a rebuilt header, the card comment, or the end of
        // a job whose card could not be read, each whole or not at all.
        std::string plain = parsed.plain;
        if (plain.rfind("\x1B%-12345X@PJL JOB NAME=\"Quarterly report\"\r\n", 0) == 0) {
            std::size_t end = plain.find("KeepingTime=02:00\"\r\n");
            ASSERT_NE(end, std::string::npos) << visible(plain);
            plain.erase(0, end + 20);
        }
        if (card && plain.rfind(kCardComment, 0) == 0) plain.erase(0, kCardComment.size());
        EXPECT_TRUE(plain.empty() || plain == kEnd) << visible(plain);
        for (const std::string& payload : parsed.payloads)
            for (char c : payload) ASSERT_GE(static_cast<unsigned char>(c), 0xE0) << "a byte not from the cipher";
        EXPECT_EQ(spool.find("CONFIDENTIAL"), std::string::npos);
        EXPECT_EQ(spool.find("PostScript"), std::string::npos);
        EXPECT_EQ(spool.find(kPassword), std::string::npos);
        EXPECT_EQ(spool.find(kCardKey), std::string::npos);
        EXPECT_EQ(spool.find("typed-secret"), std::string::npos);
    }
};

TEST_F(EncryptFaults, LibraryFaultsCancelTheJob) {
    std::vector<Fault> faults;
    for (bool card : {false, true}) {
        for (const char* name : kCipherExports) {
            const bool optional = std::string(name) == "InitEncryptionEx2" ||
                                  (!card && std::string(name) == "InitEncryptionEx");
            faults.push_back({name, card, [name](FakeCipherControl& c, RecordingSpooler&) { c.missing = {name}; },
                              !(optional && std::string(name) == "InitEncryptionEx2")});
        }
        for (const char* call : {"CreateEncryption", "UpdateEncryption", "EndEncryption"})
            faults.push_back({call, card, [call](FakeCipherControl& c, RecordingSpooler&) { c.failing = call; }, true});
        faults.push_back({"init", card, [card](FakeCipherControl& c, RecordingSpooler&) {
                              c.failing = card ? "InitEncryptionEx2" : "InitEncryption";
                          }, true});
        faults.push_back({"size without bytes", card,
                          [](FakeCipherControl& c, RecordingSpooler&) { c.sizeWithoutBytes = true; }, true});
        for (int n = 1; n <= 4; ++n)
            faults.push_back({"n-th update", card, [n](FakeCipherControl& c, RecordingSpooler&) { c.failUpdateAt = n; },
                              true});
    }
    faults.push_back({"card data", true, [](FakeCipherControl& c, RecordingSpooler&) { c.cardData.reset(); }, true});
    faults.push_back({"password unreadable, no answer", false, [](FakeCipherControl& c, RecordingSpooler&) {
                          c.failing = "DecryptPassword";
                          c.dialogPassword.clear();
                      }, true});
    faults.push_back({"password unreadable, asked", false,
                      [](FakeCipherControl& c, RecordingSpooler&) { c.failing = "DecryptPassword"; }, false});

    for (const Fault& f : faults) {
        for (std::size_t block : {300u, 4096u}) {
            SCOPED_TRACE(std::string(f.what) + (f.card ? " (card)" : " (password)") + " blocks of " +
                         std::to_string(block));
            newJob();
            fakeCipher() = FakeCipherControl{};
            f.apply(fakeCipher(), spooler);
            EXPECT_EQ(printAndCheck(f.card, block, 400), f.fatal);
            if (f.fatal) EXPECT_EQ(spooler.cancelled.size(), 1u) << "cancelled once, the rest dropped";
            EXPECT_EQ(fakeCipher().liveSessions, 0) << "a failed job deletes its handle";
            EXPECT_EQ(loader.live, 0) << "and unloads the library";
        }
    }
}

TEST_F(EncryptFaults, ASpoolerFailureOnAnyWriteCancelsTheJob) {
    for (bool card : {false, true}) {
        for (std::size_t block : {1u, 256u, 4096u}) {
            // A clean run counts the writes of this job.
            newJob();
            spooler.failAt = 0;
            spooler.writes = 0;
            fakeCipher() = FakeCipherControl{};
            const std::size_t lines = block == 1 ? 1 : 12;
            ASSERT_FALSE(printAndCheck(card, block, lines));
            const int writes = spooler.writes;
            ASSERT_GT(writes, 2);
            for (int n = 1; n <= writes; ++n) {
                SCOPED_TRACE("write " + std::to_string(n) + " of " + std::to_string(writes) + ", blocks of " +
                             std::to_string(block) + (card ? " (card)" : ""));
                newJob();
                spooler.writes = 0;
                spooler.failAt = n;
                fakeCipher() = FakeCipherControl{};
                EXPECT_TRUE(printAndCheck(card, block, lines));
                EXPECT_EQ(spooler.writes, n) << "nothing more is written after the failure";
            }
            spooler.failAt = 0;
        }
    }
}

TEST_F(EncryptFaults, AShortSpoolerWriteIsAFailure) {
    class ShortSpooler : public RecordingSpooler {
    public:
        bool write(PrinterHandle p, const void* data, std::uint32_t size, std::uint32_t* count) const override {
            RecordingSpooler::write(p, data, size, count);
            if (count && size > 10) *count = size - 1;
            return true;
        }
    } shortSpooler;
    RenderPorts shortPorts{shortSpooler, profile, loader, codePage};
    RenderContext shortCtx{shortPorts, printer, record, devmode, settings, stream, job};
    shortSpooler.printers = spooler.printers;
    storePassword(kPassword);
    const std::string stream = sampleJob(false, 12);
    std::uint32_t written = 0;
    writeBlock(shortCtx, stream.data(), static_cast<std::uint32_t>(stream.size()), &written);
    EXPECT_EQ(shortSpooler.cancelled.size(), 1u);
}

}  // namespace
}  // namespace wren::test
