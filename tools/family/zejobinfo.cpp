// Stand-in for the printer family's job-information library ("JobInfoDLL").
// It names the printing application and writes the job-information PJL text
// from the record it is given. For golden outputs, zejobinfo.ini fixes the
// facts that would otherwise vary (computer, user, time, application); a
// host may name the application for one job through its environment.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>

#include "common/family/family_exports.h"
#include "stand_in_config.h"
#include "stand_in_environment.h"

using namespace wren::family;
using wren::stand_in::Config;
using wren::stand_in::kPrintingApplicationVariable;
using wren::stand_in::LogLine;
using wren::stand_in::pjlValue;

namespace {

constexpr int kAnswerText = 0;
constexpr int kAnswerSize = 1;
constexpr int kAnswerFailed = 2;
constexpr int kAnswerWantsOldRecord = 3;

constexpr std::size_t kNameBytes = 260;  // no text the plug-ins pass is longer
constexpr std::size_t kHalfBytes = 60;   // each name of GetPrintingApplication

// Set once this load has asked for the older record: the caller is to come
// back in mode 0, and a second mode-2 size query is answered normally.
bool askedForOldRecord = false;

std::string computerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string userName() {
    char name[257] = {};
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

std::string receptionTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

// The name a host set for this job, in the system code page as the
// plug-ins take it.
std::optional<std::string> hostApplication() {
    wchar_t wide[256];
    DWORD length = GetEnvironmentVariableW(kPrintingApplicationVariable, wide, 256);
    if (length == 0 || length >= 256) return std::nullopt;
    char text[512];
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, int(length), text, sizeof text, nullptr, nullptr);
    return std::string(text, bytes > 0 ? std::size_t(bytes) : 0);
}

std::string processName() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full(path, length);
    std::wstring base = full.substr(full.find_last_of(L"\\/") + 1);
    char name[kHalfBytes] = {};
    WideCharToMultiByte(CP_ACP, 0, base.c_str(), -1, name, int(sizeof name - 1), nullptr, nullptr);
    return name;
}

// What the job record says; the application is absent in the older record.
struct JobFacts {
    const char* printerName;
    const char* capabilityFile;
    std::uint32_t jobId;
    unsigned pagesPerSheet;
    const char* applicationName;
    bool hasApplication;
};

std::string line(const char* name, const std::string& value) {
    return "@PJL ZELAUXJOBINFO DATA=\"" + std::string(name) + "=" + value + "\"\r\n";
}

std::string jobInfoText(const Config& config, const JobFacts& facts) {
    const wchar_t* section = L"JobInfo";
    std::string text = line("ComputerName", pjlValue(config.text(section, L"ComputerName", computerName()).c_str(),
                                                     kNameBytes));
    text += line("UserName", pjlValue(config.text(section, L"UserName", userName()).c_str(), kNameBytes));
    text += line("ReceptionTime", pjlValue(config.text(section, L"ReceptionTime", receptionTime()).c_str(),
                                           kNameBytes));
    text += line("JobId", std::to_string(facts.jobId));
    text += line("PrinterName", pjlValue(facts.printerName, kNameBytes));
    text += line("PagesPerSheet", std::to_string(facts.pagesPerSheet));
    if (facts.hasApplication) text += line("ApplicationName", pjlValue(facts.applicationName, kNameBytes));
    return text;
}

LogLine& describe(LogLine& entry, const JobFacts& facts) {
    entry.text("printerName", facts.printerName, kNameBytes).text("capabilityFile", facts.capabilityFile, kNameBytes)
        .number("jobId", facts.jobId).number("pagesPerSheet", facts.pagesPerSheet);
    if (facts.hasApplication) entry.text("applicationName", facts.applicationName, kNameBytes);
    return entry;
}

// Copies `text` and its NUL when it fits `*size` bytes; the size becomes the
// text's length.
bool fill(const std::string& text, char* buffer, std::uint32_t* size) {
    if (text.size() + 1 > *size) return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *size = static_cast<std::uint32_t>(text.size());
    return true;
}

}  // namespace

extern "C" {

int WREN_FAMILY_CALL GetPrintingApplication(int zero, char* buffer120, std::uint32_t* size) {
    Config config;
    LogLine("GetPrintingApplication").number("zero", zero)
        .number("size", size ? static_cast<long long>(*size) : -1).write(config);
    const wchar_t* section = L"GetPrintingApplication";
    int result = int(config.integer(section, L"Result", 1));
    if (!buffer120 || !size || *size < 2 * kHalfBytes || result == 0) return 0;
    std::string application = config.text(section, L"Application", processName());
    if (auto fromHost = hostApplication()) application = *fromHost;
    std::string alternative = config.text(section, L"Alternative", "");
    std::memset(buffer120, 0, 2 * kHalfBytes);
    std::memcpy(buffer120, application.data(), std::min(application.size(), kHalfBytes - 1));
    std::memcpy(buffer120 + kHalfBytes, alternative.data(), std::min(alternative.size(), kHalfBytes - 1));
    return result;
}

int WREN_FAMILY_CALL GetJobInfoCmd(int mode, const void* record, char* buffer, std::uint32_t* size) {
    Config config;
    LogLine entry("GetJobInfoCmd");
    entry.number("mode", mode).pointer("buffer", buffer).number("size", size ? static_cast<long long>(*size) : -1);
    JobFacts facts{};
    if (record && mode == 2) {
        const auto* current = static_cast<const JobInfoRecord*>(record);
        facts = {current->printerName, current->capabilityFile, current->jobId, current->pagesPerSheet,
                 current->applicationName, true};
        describe(entry, facts);
    } else if (record && mode == 0) {
        const auto* old = static_cast<const JobInfoRecordOld*>(record);
        // Only the low byte of the older record's word is the count; the rest
        // is whatever followed it in the caller's memory.
        facts = {old->printerName, old->capabilityFile, old->jobId, old->pagesPerSheet & 0xFFu, nullptr, false};
        describe(entry, facts).hex32("pagesPerSheetWord", old->pagesPerSheet).number("zero", old->zero);
    }
    entry.write(config);

    const wchar_t* section = L"JobInfo";
    if (!record || !size || (mode != 0 && mode != 2) || config.integer(section, L"Fail", 0)) return kAnswerFailed;
    if (!buffer && mode == 2 && !askedForOldRecord && config.integer(section, L"WantsOldRecord", 0)) {
        askedForOldRecord = true;
        return kAnswerWantsOldRecord;
    }
    std::string text = jobInfoText(config, facts);
    if (!buffer) {
        *size = static_cast<std::uint32_t>(text.size() + 1);
        return kAnswerSize;
    }
    return fill(text, buffer, size) ? kAnswerText : kAnswerFailed;
}

int WREN_FAMILY_CALL GetJobInfoAccessCtrlCmd(int four, const void* record, char* prefix, std::uint32_t* prefixSize,
                                             char* text, std::uint32_t* textSize) {
    Config config;
    const auto* access = static_cast<const AccessControlRecord*>(record);
    LogLine entry("GetJobInfoAccessCtrlCmd");
    entry.number("four", four);
    JobFacts facts{};
    if (access) {
        facts = {access->printerName, access->capabilityFile, access->jobId, access->pagesPerSheet,
                 access->applicationName, true};
        describe(entry, facts).hex32("outputManagement", access->outputManagement)
            .text("userAuthText1", access->userAuthText1, 257).text("userAuthText2", access->userAuthText2, 67)
            .hex32("jobFlags", access->jobFlags);
    }
    entry.number("prefixSize", prefixSize ? static_cast<long long>(*prefixSize) : -1)
        .number("textSize", textSize ? static_cast<long long>(*textSize) : -1).write(config);

    const wchar_t* section = L"AccessCtrl";
    if (four != 4 || !access || !prefix || !prefixSize || !text || !textSize || config.integer(section, L"Fail", 0))
        return kAnswerFailed;
    // The prefix opens an outer PJL job around the plug-in's own; the plug-in
    // closes both with its two EOJ lines.
    std::string outer = config.text(section, L"JobName", "ZEACCESS");
    std::string prefixText = "\x1B%-12345X@PJL JOB NAME=\"" + pjlValue(outer.c_str(), kNameBytes) + "\"\r\n";
    std::string body = jobInfoText(config, facts);
    body += "@PJL ZELACCESSCONTROL USER=\"" + pjlValue(access->userAuthText1, 257) + "\" PASSWORD=\"" +
            pjlValue(access->userAuthText2, 67) + "\" OUTPUTMANAGEMENT=" +
            std::to_string(access->outputManagement) + " JOBFLAGS=" + std::to_string(access->jobFlags) + "\r\n";
    if (prefixText.size() + 1 > *prefixSize || body.size() + 1 > *textSize) return kAnswerFailed;
    fill(prefixText, prefix, prefixSize);
    fill(body, text, textSize);
    return kAnswerText;
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&GetPrintingApplication), GetPrintingApplicationFn>);
static_assert(std::is_same_v<decltype(&GetJobInfoCmd), GetJobInfoCmdFn>);
static_assert(std::is_same_v<decltype(&GetJobInfoAccessCtrlCmd), GetJobInfoAccessCtrlCmdFn>);
