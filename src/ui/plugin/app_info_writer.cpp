#include "ui/plugin/app_info_writer.h"

#include <sddl.h>
#include <winspool.h>

#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/appinfo/channel_message.h"
#include "common/appinfo/channel_names.h"
#include "common/config/driver_config.h"
#include "common/family/family_libraries.h"
#include "platform/win32/app_info_printer.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ui/plugin/ui_module.h"
#include "ui/win32/options_ports.h"

namespace wren::ui {
namespace {

constexpr std::size_t kUiOemConfigChars = 64;
constexpr std::u16string_view kCompanionKey = u"COLORAPEXE";
// A block left by an earlier job of the same id in this process is reused;
// its mutex is then not ours at creation and is waited for this long.
constexpr DWORD kReusedMutexWaitMs = 5000;

using win32::UniqueHandle;

// The shared objects must outlive the document: the rendering side opens
// them later, and they vanish with their last handle. They are closed when
// the plug-in leaves the process.
class PublishedObjects {
public:
    void keep(UniqueHandle mutex, UniqueHandle mapping) {
        std::lock_guard<std::mutex> lock(guard_);
        handles_.push_back(std::move(mutex));
        handles_.push_back(std::move(mapping));
    }

private:
    std::mutex guard_;
    std::vector<UniqueHandle> handles_;
};

// Made when the library loads (no function-local static: see ui_module.cpp).
PublishedObjects gPublishedObjects;

PublishedObjects& publishedObjects() { return gPublishedObjects; }

struct LocalFreer {
    void operator()(void* p) const { LocalFree(p); }
};

// A security descriptor for the shared objects. From version 6 on it
// carries a low mandatory label without write-up, so that an application
// running at low integrity can still create objects the spooler side opens.
class ChannelSecurity {
public:
    explicit ChannelSecurity(bool newerOs) {
        InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION);
        if (newerOs) {
            PSECURITY_DESCRIPTOR parsed = nullptr;
            if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"S:(ML;;NW;;;LW)", SDDL_REVISION_1, &parsed,
                                                                     nullptr)) {
                label_.reset(parsed);
                BOOL present = FALSE, defaulted = FALSE;
                PACL sacl = nullptr;
                if (GetSecurityDescriptorSacl(parsed, &present, &sacl, &defaulted) && present)
                    SetSecurityDescriptorSacl(&descriptor_, TRUE, sacl, FALSE);
            }
        }
        attributes_.nLength = sizeof attributes_;
        attributes_.lpSecurityDescriptor = &descriptor_;
        attributes_.bInheritHandle = FALSE;
    }
    ChannelSecurity(const ChannelSecurity&) = delete;
    ChannelSecurity& operator=(const ChannelSecurity&) = delete;
    SECURITY_ATTRIBUTES* attributes() { return &attributes_; }

private:
    SECURITY_DESCRIPTOR descriptor_{};
    std::unique_ptr<void, LocalFreer> label_;  // owns the SACL the descriptor points to
    SECURITY_ATTRIBUTES attributes_{};
};

// The configuration of the printer and its own capability file: another
// printer's lookup, perhaps on another thread, may name another model.
struct WriterConfig {
    DriverConfig config;
    std::u16string capabilityFile;
};

WriterConfig writerConfig(HANDLE printer) {
    win32::Win32Ports& p = win32::ports();
    WriterConfig out{DriverConfig(p.spooler, p.profile, printer), {}};
    out.capabilityFile = out.config.locate(kUiOemConfigChars).capabilityFile;
    lastLookup().rememberCapabilityFile(out.capabilityFile);
    return out;
}

// The JobInfo library's answer, the second name standing in for an empty first.
std::u16string applicationName(const WriterConfig& wc) {
    win32::Win32Ports& p = win32::ports();
    JobInfoLibrary library(loadFamilyLibrary(wc.config, p.loader, wc.capabilityFile, kJobInfoKey));
    std::string alternative;
    std::optional<std::string> first = library.printingApplication(&alternative);
    if (!first) return {};
    const std::string& chosen = first->empty() ? alternative : *first;
    return p.codePage.fromUserLocale(chosen, appinfo::kNameChars);
}

bool publishInSharedBlock(const appinfo::SharedNames& names, std::u16string_view name, bool newerOs) {
    ChannelSecurity security(newerOs);
    UniqueHandle mutex(CreateMutexW(security.attributes(), TRUE, win32::wz(names.mutex)));
    if (!mutex) return false;
    // An existing mutex was not given to us: wait until its holder is done.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        DWORD waited = WaitForSingleObject(mutex.get(), kReusedMutexWaitMs);
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
    }
    UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, security.attributes(), PAGE_READWRITE, 0,
                                            static_cast<DWORD>(appinfo::kMessageBytes), win32::wz(names.block)));
    void* view = mapping ? MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, appinfo::kMessageBytes) : nullptr;
    if (!view) {
        ReleaseMutex(mutex.get());
        return false;
    }
    const appinfo::MessageBlock block = appinfo::encodeName(name);
    std::memcpy(view, block.data(), block.size());
    UnmapViewOfFile(view);
    ReleaseMutex(mutex.get());
    publishedObjects().keep(std::move(mutex), std::move(mapping));
    return true;
}

// Starts the companion program, which fills the pipe the rendering side
// serves; it runs on its own and is not waited for.
void startCompanion(const WriterConfig& wc, std::u16string_view name, const std::u16string& pipe) {
    if (wc.capabilityFile.empty()) return;
    const std::u16string program = wc.config.modelKey(wc.capabilityFile, kCompanionKey);
    if (program.empty()) return;
    const std::u16string path = wc.config.driverFilePath(program);
    if (path.empty()) return;
    std::u16string commandLine = u"0 \"" + std::u16string(name) + u"\" \"" + pipe + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(win32::wz(path), reinterpret_cast<LPWSTR>(commandLine.data()), nullptr, nullptr, FALSE,
                       CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

void publishApplicationName(HANDLE printer, DWORD jobId) {
    const bool newerOs = osVersion().newer();
    const WriterConfig wc = writerConfig(printer);
    const std::u16string name = applicationName(wc);
    const std::optional<appinfo::ChannelPrinter> target = win32::channelPrinter(printer);
    if (!target) return;
    const bool raw = win32::jobIsRaw(printer, jobId);
    if (appinfo::writerUsesSharedMemory(*target, raw) &&
        publishInSharedBlock(appinfo::localNames(*target, jobId), name, newerOs))
        return;
    const std::optional<std::uint32_t> emf =
        newerOs ? win32::ports().spooler.printerDword(printer, u"EMFDespoolingSetting") : std::nullopt;
    startCompanion(wc, name, appinfo::writerPipeName(*target, jobId, raw, newerOs, emf));
}

}  // namespace wren::ui
