// The PJL envelope (header and trailer) over an arbitrary record, as it
// arrives and after the merge, with every job type, disk spooling, a card
// reader and user authentication whose library pastes the record's texts
// into its lines. Whatever the record holds, the envelope keeps its control
// bytes to line ends and universal exits, its quotes paired, and the PIN
// digits only.
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void checkPin(const std::string& bytes) {
    const std::string key = "PASSWORD=";
    for (std::size_t at = bytes.find(key); at != std::string::npos; at = bytes.find(key, at + 1)) {
        for (std::size_t i = at + key.size(); i < bytes.size() && bytes[i] != '\r' && bytes[i] != ' '; ++i)
            if (bytes[i] < '0' || bytes[i] > '9') fail("PIN with a non-digit", bytes);
    }
}

const char* const kJobTypes[] = {"Normal", "Secure", "Spool", "Secure_Chip", "Bogus"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t more = data[1];
    data += 2;
    size -= 2;

    test::FakeProfile profile;
    test::FakeSpooler spooler;
    test::FakeLibraryLoader loader;
    test::FakeCodePage codePage;
    const PrinterHandle printer = reinterpret_cast<PrinterHandle>(0x20);
    spooler.printers[printer].dependentFiles = test::FakeSpooler::list(
        {u"C:\\drv\\3\\wrenps.dll", u"C:\\drv\\3\\wren.ini", u"C:\\drv\\3\\wren.cap", u"C:\\drv\\3\\wren.ver"});
    if (more & 0x04) spooler.printers[printer].details.attributes = kPrinterAttributeShared;
    std::string model = "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\n";
    if (flags & 0x08) model += "CARD_DLL=zeiccard.dll\n";
    if (flags & 0x10) model += "UA_DLL=zeuauth.dll\n";
    if (more & 0x01) model += "CryptoDll=zecipher.dll\n";
    profile.addFile(u"C:\\drv\\3\\wren.cap", model);
    profile.addFile(u"C:\\drv\\3\\wren.ini", "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n");
    profile.addFile(u"C:\\drv\\3\\wren.ver", "[Version]\nDriverVer=06/21/2012,1.0.3.0\n");
    loader.libraries[u"C:\\drivers\\x64\\3\\zeiccard.dll"] = {{"QueryCardDriver", test::exportOf(&cardThere)}};
    loader.libraries[u"C:\\drivers\\x64\\3\\zeuauth.dll"] = {{"ZEUA_DispUserAuthUI", test::exportOf(&uaDialog)}};
    loader.libraries[u"C:\\drivers\\x64\\3\\zejobinfo.dll"] = {
        {"GetJobInfoCmd", test::exportOf(&jobInfo)}, {"GetJobInfoAccessCtrlCmd", test::exportOf(&echoAccess)}};

    ScriptedPrompt prompt;
    RenderPorts ports{spooler, profile, loader, codePage};
    if (more & 0x02) ports.jobNamePrompt = &prompt;

    // The record: the input's bytes as they come, or merged into a record
    // of ours the way the core driver asks for it.
    PrivateRecord arrived{};
    std::memcpy(&arrived, data, std::min(size, sizeof arrived));
    if (size > sizeof arrived) {
        const std::size_t extra = std::min<std::size_t>((size - sizeof arrived) / 2, 32);
        for (std::size_t i = 0; i < extra; ++i) {
            char16_t c;
            std::memcpy(&c, data + sizeof arrived + 2 * i, 2);
            prompt.name.push_back(c);
        }
    }
    PrivateRecord record{};
    if (flags & 0x20) {
        arrived.dwSignature = kRecordSignature;
        record.dwSize = kRecordSize;
        record.dwSignature = kRecordSignature;
        renderMerge(&arrived, &record);
    } else {
        record = arrived;
    }

    PublicDevmode devmode{};
    devmode.dmNup = 1;
    test::FakeDriverSettings settings;
    settings.features["ZEJob_Type"] = kJobTypes[(flags & 0x07) % std::size(kJobTypes)];
    if (flags & 0x40) settings.features["ZEHDDSpool"] = "True";
    if (more & 0x01) settings.features["ZEJobLimit"] = "True";
    Capture stream;
    JobState job;
    job.capabilityFile = u"C:\\drv\\3\\wren.cap";
    job.pluginIniFile = u"C:\\drv\\3\\wren.ini";
    job.documentName = "Quarterly report";
    if (flags & 0x80) job.jobInfoLibrary = u"zejobinfo.dll";
    RenderContext ctx{ports, printer, record, devmode, settings, stream, job};

    settleJob(ctx);
    writeJobHeader(ctx);
    writeJobTrailer(ctx);
    if (std::string why = test::pjlEnvelopeViolation(stream.bytes); !why.empty()) fail(why, stream.bytes);
    checkPin(stream.bytes);
    return 0;
}
