// The PJL envelope (header and trailer) over an arbitrary record, as it
// arrives and after the merge, with every job type, disk spooling, a card
// reader and user authentication whose library pastes the record's texts
// into its lines. Whatever the record holds, the envelope keeps its control
// bytes to line ends and universal exits, its quotes paired, and the PIN
// digits only.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "common/family/family_exports.h"
#include "common/settings/render_devmode.h"
#include "fakes.h"
#include "pjl_invariants.h"
#include "ps/job/render_services.h"
#include "ps/pjl/pjl_header.h"

using namespace wren;

namespace {

class Capture : public SpoolStream {
public:
    std::string bytes;
    std::uint32_t write(const void* data, std::uint32_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return size;
    }
};

// Asks for the name at print time and types what the input says.
class ScriptedPrompt : public JobNamePrompt {
public:
    std::u16string name;
    bool ask(PrivateRecord& r) override {
        std::size_t n = std::min(name.size(), std::size(r.jobName));
        std::memcpy(r.jobName, name.data(), n * sizeof(char16_t));  // possibly unterminated
        return true;
    }
};

int WREN_FAMILY_CALL cardThere(const char*, const char*) { return 1; }
int WREN_FAMILY_CALL uaDialog() { return 0; }

// Like the family's library: the record's texts go into quoted values.
int WREN_FAMILY_CALL echoAccess(int, const void* record, char* prefix, std::uint32_t* prefixSize, char* text,
                                std::uint32_t* textSize) {
    auto* r = static_cast<const family::AccessControlRecord*>(record);
    std::snprintf(prefix, *prefixSize, "@PJL SET USERNAME=\"%s\"\r\n", r->userAuthText1);
    std::snprintf(text, *textSize, "@PJL SET USERCODE=\"%s\"\r\n", r->userAuthText2);
    return 0;
}

int WREN_FAMILY_CALL jobInfo(int, const void*, char* buffer, std::uint32_t* size) {
    static const char kText[] = "@PJL ZELAUXJOBINFO DATA=\"x\"\r\n";
    if (!buffer) {
        *size = sizeof kText;
        return 1;
    }
    std::snprintf(buffer, *size, "%s", kText);
    return 0;
}

[[noreturn]] void fail(const std::string& why, const std::string& bytes) {
    std::fprintf(stderr, "envelope broken: %s\n", why.c_str());
    for (unsigned char c : bytes) std::fprintf(stderr, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

// Every PASSWORD= of a PJL line takes the PIN's digits only. One inside a
// quoted value is the user's text, not the keyword: the access-control
// library quotes a user name that may well read "PASSWORD=".
void checkPin(const std::string& bytes) {
    constexpr std::string_view key = "PASSWORD=";
    bool quoted = false;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\n') quoted = false;
        if (bytes[at] == '"') quoted = !quoted;
        if (quoted || bytes.compare(at, key.size(), key) != 0) continue;
        for (std::size_t i = at + key.size(); i < bytes.size() && bytes[i] != '\r' && bytes[i] != ' '; ++i)
            if (bytes[i] < '0' || bytes[i] > '9') fail("PIN with a non-digit", bytes);
    }
}

const char* const kJobTypes[] = {"Normal", "Secure", "Spool", "Secure_Chip", "Bogus"};

// The printer, its files and libraries depend on the input only through a
// few flag bits. Building them (three INI files parsed, four maps filled)
// cost more than the job itself, so each variant is built once; a run only
// reads it, and what a run may leave behind (the load log, the read count)
// is reset before the next.
struct Printer {
    test::FakeProfile profile;
    test::FakeSpooler spooler;
};

const PrinterHandle kPrinter = reinterpret_cast<PrinterHandle>(0x20);

Printer makePrinter(bool card, bool userAuth, bool cipher, bool shared) {
    Printer p;
    p.spooler.printers[kPrinter].dependentFiles = test::FakeSpooler::list(
        {u"C:\\drv\\3\\wrenps.dll", u"C:\\drv\\3\\wren.ini", u"C:\\drv\\3\\wren.cap", u"C:\\drv\\3\\wren.ver"});
    if (shared) p.spooler.printers[kPrinter].details.attributes = kPrinterAttributeShared;
    std::string model = "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\n";
    if (card) model += "CARD_DLL=zeiccard.dll\n";
    if (userAuth) model += "UA_DLL=zeuauth.dll\n";
    if (cipher) model += "CryptoDll=zecipher.dll\n";
    p.profile.addFile(u"C:\\drv\\3\\wren.cap", model);
    p.profile.addFile(u"C:\\drv\\3\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
    p.profile.addFile(u"C:\\drv\\3\\wren.ver", "[Version]\nDriverVer=06/21/2012,1.0.3.0\n");
    return p;
}

Printer& printerFor(std::uint8_t flags, std::uint8_t more) {
    static Printer printers[16] = {};
    static bool built[16] = {};
    const bool card = flags & 0x08, userAuth = flags & 0x10, cipher = more & 0x01, shared = more & 0x04;
    const int n = card | userAuth << 1 | cipher << 2 | shared << 3;
    if (!built[n]) {
        printers[n] = makePrinter(card, userAuth, cipher, shared);
        built[n] = true;
    }
    printers[n].profile.reads = 0;
    return printers[n];
}

test::FakeLibraryLoader& familyLibraries() {
    static test::FakeLibraryLoader loader = [] {
        test::FakeLibraryLoader l;
        l.libraries[u"C:\\drivers\\x64\\3\\zeiccard.dll"] = {{"QueryCardDriver", test::exportOf(&cardThere)}};
        l.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {{"ZEUA_DispUserAuthUI", test::exportOf(&uaDialog)}};
        l.libraries[u"C:\\drivers\\x64\\3\\zejobinfo.dll"] = {
            {"GetJobInfoCmd", test::exportOf(&jobInfo)}, {"GetJobInfoAccessCtrlCmd", test::exportOf(&echoAccess)}};
        return l;
    }();
    loader.loads.clear();
    return loader;
}

// The core driver's selections: job type, disk spooling, job limit.
const test::FakeDriverSettings& settingsFor(std::uint8_t flags, std::uint8_t more) {
    constexpr std::size_t kTypes = std::size(kJobTypes);
    static test::FakeDriverSettings variants[kTypes * 4];
    static bool built[kTypes * 4] = {};
    const std::size_t type = (flags & 0x07) % kTypes;
    const bool spool = flags & 0x40, limit = more & 0x01;
    const std::size_t n = type * 4 + spool * 2 + limit;
    if (!built[n]) {
        variants[n].features["ZEJob_Type"] = kJobTypes[type];
        if (spool) variants[n].features["ZEHDDSpool"] = "True";
        if (limit) variants[n].features["ZEJobLimit"] = "True";
        built[n] = true;
    }
    variants[n].reads = 0;
    return variants[n];
}

// One job over the record: settled, its header, its trailer. The bytes it
// wrote.
std::string runJob(const PrivateRecord& input, std::uint8_t flags, std::uint8_t more, std::u16string promptName) {
    Printer& printer = printerFor(flags, more);
    static const test::FakeCodePage codePage;
    ScriptedPrompt prompt;
    prompt.name = std::move(promptName);
    RenderPorts ports{printer.spooler, printer.profile, familyLibraries(), codePage};
    if (more & 0x02) ports.jobNamePrompt = &prompt;

    // The input's bytes as they come, or merged into a record of ours the
    // way the core driver asks for it.
    PrivateRecord record{};
    if (flags & 0x20) {
        PrivateRecord arrived = input;
        arrived.dwSignature = kRecordSignature;
        record.dwSize = kRecordSize;
        record.dwSignature = kRecordSignature;
        renderMerge(&arrived, &record);
    } else {
        record = input;
    }

    PublicDevmode devmode{};
    devmode.dmNup = 1;
    Capture stream;
    JobState job;
    job.capabilityFile = u"C:\\drv\\3\\wren.cap";
    job.pluginIniFile = u"C:\\drv\\3\\wren.ini";
    job.documentName = "Quarterly report";
    if (flags & 0x80) job.jobInfoLibrary = u"zejobinfo.dll";
    RenderContext ctx{ports, kPrinter, record, devmode, settingsFor(flags, more), stream, job};

    settleJob(ctx);
    writeJobHeader(ctx);
    writeJobTrailer(ctx);
    return std::move(stream.bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t more = data[1];
    data += 2;
    size -= 2;

    PrivateRecord record{};
    std::memcpy(&record, data, std::min(size, sizeof record));
    // What the user types when asked for the job name.
    std::u16string typed;
    if (size > sizeof record) {
        const std::size_t extra = std::min<std::size_t>((size - sizeof record) / 2, 32);
        for (std::size_t i = 0; i < extra; ++i) {
            char16_t c;
            std::memcpy(&c, data + sizeof record + 2 * i, 2);
            typed.push_back(c);
        }
    }

    const std::string bytes = runJob(record, flags, more, std::move(typed));
    if (std::string why = test::pjlEnvelopeViolation(bytes); !why.empty()) fail(why, bytes);
    checkPin(bytes);
    // The job over, every family library it loaded was let go again.
    if (familyLibraries().live != 0) fail("a family library left loaded", bytes);
    return 0;
}
