#include "ps/pjl/pjl_header.h"

#include <cstdio>

#include "common/config/driver_config.h"
#include "common/settings/record_text.h"
#include "ps/job/render_services.h"
#include "ps/pjl/job_information.h"
#include "ps/pjl/pjl_text.h"

namespace wren {
namespace {

constexpr std::string_view kUniversalExit = "\x1B%-12345X";
constexpr std::string_view kEndOfJob = "\x1B%-12345X@PJL EOJ\r\n";
constexpr std::string_view kCloseAccessControlJob = "@PJL EOJ\r\n\x1B%-12345X";
constexpr std::size_t kDriverNameBytes = 220;
constexpr std::size_t kDriverVerChars = 32;
// Job name and PIN in the runtime's locale conversion.
constexpr std::size_t kJobNameBytes = 64;
constexpr std::size_t kPinBytes = 11;

bool printerIsLocal(const RenderContext& ctx) {
    std::optional<PrinterDetails> details = ctx.ports.spooler.printerDetails(ctx.printer);
    if (!details) return false;
    return (details->attributes & (kPrinterAttributeShared | kPrinterAttributeNetwork)) == 0;
}

// A secure or stored job may ask for its name now; then the name and PIN
// are turned into the printer's 8-bit text. The record may come with the
// document from anywhere, so both are cleaned before and after the
// conversion: what the conversion makes of a character is the locale's.
void askJobName(RenderContext& ctx, std::string& jobName, std::string& pin) {
    if (ctx.record.askAtPrint != 0 && ctx.ports.jobNamePrompt && printerIsLocal(ctx))
        ctx.ports.jobNamePrompt->ask(ctx.record);
    jobName = pjlText(ctx.ports.codePage.toLocale(pjlText(readField(ctx.record.jobName)), kJobNameBytes));
    pin = pjlDigits(ctx.ports.codePage.toLocale(pjlDigits(readField(ctx.record.password)), kPinBytes));
}

bool writeJobNameLines(RenderContext& ctx, const std::string& type) {
    std::string lines;
    if (type == kJobSecure || type == kJobSpool) {
        std::string jobName, pin;
        askJobName(ctx, jobName, pin);
        lines = "@PJL ZELSECURE PASSWORD=" + pin + (type == kJobSpool ? " PERMANENT=ON\r\n" : "\r\n");
        lines += "@PJL JOB NAME=\"" + jobName + "\"\r\n";
    } else {
        lines = "@PJL JOB NAME=\"" + ctx.job.documentName + "\"\r\n";
    }
    return writeToStream(ctx, lines);
}

bool writeCardComments(RenderContext& ctx) {
    DriverConfig config = driverConfigOf(ctx);
    const std::string driver =
        pjlText(ctx.ports.codePage.toAnsi(config.driverName().value_or(u""), kDriverNameBytes + 1));
    std::string version;
    if (std::optional<std::u16string> file = config.versionFile())
        version = pjlText(
            driverVersionText(ctx.ports.profile.readString(*file, u"Version", u"DriverVer", kDriverVerChars)));
    bool ok = writeToStream(ctx, "@PJL COMMENT Device Name :" + driver + "\r\n");
    ok &= writeToStream(ctx, "@PJL COMMENT Version     :" + version + "\r\n");
    return ok;
}

}  // namespace

std::string driverVersionText(std::u16string_view driverVer) {
    std::size_t comma = driverVer.find(u',');
    if (comma == std::u16string_view::npos) return {};
    std::string version;
    for (std::size_t i = comma + 1; i < driverVer.size() && driverVer[i] != u'"'; ++i)
        version.push_back(static_cast<char>(driverVer[i] & 0xFF));
    return version;
}

int flateLevel(std::uint16_t compressionLevel) {
    switch (compressionLevel) {
    case 1: return 1;
    case 2: return 6;
    case 3: return 9;
    default: return 0;
    }
}

bool writeJobHeader(RenderContext& ctx) {
    const std::string& type = ctx.job.effectiveJobType;
    const bool encrypted = type == kJobSecureChip;

    // Access control: its prefix goes before the universal exit language,
    // its text inside the job; encrypted jobs rebuild their own header.
    std::optional<AccessControlText> access;
    ctx.job.userAuthInHeader = false;
    if (userAuthLibraryPresent(ctx)) access = accessControlText(ctx);
    // A lost prefix leaves the job without its access control: the header
    // is then incomplete, though the rest of it still goes out.
    bool prefixWritten = true;
    if (access) {
        ctx.job.userAuthInHeader = true;
        if (!encrypted) ctx.job.userAuthInHeader = prefixWritten = writeToStream(ctx, access->prefix);
    }

    bool ok = prefixWritten;
    ok &= writeToStream(ctx, kUniversalExit);
    if (type == kJobNormal && optionOf(ctx, "ZEHDDSpool") == "True")
        ok &= writeToStream(ctx, "@PJL ZELSPOOL MODE=ALL\r\n");
    ok &= writeJobNameLines(ctx, type);
    if (encrypted && ctx.job.icCardPresent) ok &= writeCardComments(ctx);
    if (ctx.job.userAuthInHeader && access)
        ok &= writeToStream(ctx, access->text);
    else
        ok &= writeJobInformation(ctx);
    if (int level = flateLevel(ctx.record.compressionLevel); level != 0) {
        char line[64];
        std::snprintf(line, sizeof line, "@PJL COMMENT COMPRESSION:FLATE LEVEL:%1d\r\n", level);
        ok &= writeToStream(ctx, line);
    }
    ok &= writeToStream(ctx, "@PJL ENTER LANGUAGE=POSTSCRIPT\n");
    return ok;
}

bool writeJobTrailer(RenderContext& ctx) {
    if (ctx.job.userAuthInHeader && ctx.job.effectiveJobType != kJobSecureChip) {
        ctx.job.userAuthInHeader = false;
        // Either line lost leaves a job open on the printer.
        bool ok = writeToStream(ctx, kEndOfJob);
        ok &= writeToStream(ctx, kCloseAccessControlJob);
        return ok;
    }
    return writeToStream(ctx, kEndOfJob);
}

}  // namespace wren
