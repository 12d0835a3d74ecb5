#include "common/appinfo/channel_names.h"

namespace wren::appinfo {
namespace {

constexpr std::size_t kKeyCharsExamined = 1024;
constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";

std::u16string ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string jobPipe(std::u16string_view prefix, std::u16string_view key, std::uint32_t jobId) {
    std::u16string name(prefix);
    name += u"\\pipe\\";
    name += key;
    name += u'\\';
    name += jobHex(jobId);
    name += u"\\AppInfo";
    return name;
}

std::u16string renderingPipe(std::u16string_view driverName) {
    return u"\\\\.\\pipe\\" + std::u16string(driverName) + u"\\AppInfo";
}

bool startsWithCsr(std::u16string_view name) {
    constexpr std::u16string_view kCsr = u"\\\\CSR|";
    if (name.size() < kCsr.size()) return false;
    for (std::size_t i = 0; i < kCsr.size(); ++i) {
        char16_t c = name[i];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
        if (c != kCsr[i]) return false;
    }
    return true;
}

SharedNames sharedNames(std::u16string_view prefix, const ChannelPrinter& printer, std::uint32_t jobId) {
    const std::u16string base = std::u16string(prefix) + objectSafeKey(printerKey(printer)) + jobHex(jobId);
    return SharedNames{base + u"A", base + u"B"};
}

}  // namespace

std::u16string printerKey(const ChannelPrinter& printer) {
    return printer.shared ? printer.shareName : printer.printerName;
}

std::u16string objectSafeKey(std::u16string_view key) {
    std::u16string safe(key);
    const std::size_t examined = safe.size() < kKeyCharsExamined ? safe.size() : kKeyCharsExamined;
    for (std::size_t i = 0; i < examined; ++i)
        if (kForbidden.find(safe[i]) != std::u16string_view::npos) safe[i] = u'0';
    return safe;
}

std::u16string jobHex(std::uint32_t jobId) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::u16string hex(8, u'0');
    for (int i = 7; i >= 0; --i, jobId >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[jobId & 15];
    return hex;
}

SharedNames localNames(const ChannelPrinter& printer, std::uint32_t jobId) {
    return sharedNames(u"Local\\", printer, jobId);
}

SharedNames sessionNames(const ChannelPrinter& printer, std::uint32_t jobId, std::uint32_t sessionId) {
    return sharedNames(u"Session\\" + ascii(std::to_string(sessionId)) + u"\\", printer, jobId);
}

bool writerUsesSharedMemory(const ChannelPrinter& printer, bool rawJob) {
    return !(printer.shared && !printer.serverName.empty() && !rawJob);
}

std::u16string writerPipeName(const ChannelPrinter& printer, std::uint32_t jobId, bool rawJob, bool newerOs,
                              std::optional<std::uint32_t> emfDespooling) {
    if (printer.serverName.empty()) return jobPipe(u"\\\\.", printerKey(printer), jobId);
    if (rawJob) return jobPipe(u"\\\\.", printer.shareName, jobId);
    // A job rendered on the client meets its reader in this machine's spooler.
    const bool clientSide = newerOs && (!emfDespooling || *emfDespooling == 0);
    if (clientSide) return renderingPipe(printer.driverName);
    return jobPipe(printer.serverName, printer.shareName, jobId);
}

std::u16string readerPipeName(const ChannelPrinter& printer, std::uint32_t jobId) {
    if (startsWithCsr(printer.printerName)) return renderingPipe(printer.driverName);
    const bool byShare = !printer.serverName.empty() || printer.shared;
    return jobPipe(u"\\\\.", byShare ? printer.shareName : printer.printerName, jobId);
}

}  // namespace wren::appinfo
