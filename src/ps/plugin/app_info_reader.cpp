#include "ps/plugin/app_info_reader.h"

#include <optional>
#include <vector>

#include "common/appinfo/channel_message.h"
#include "common/appinfo/channel_names.h"
#include "platform/win32/app_info_printer.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace wren::ps {
namespace {

using win32::UniqueHandle;

// 60 bytes of name and the terminator.
constexpr std::size_t kNameBytes = 61;
constexpr DWORD kPipeTimeoutMs = 2000;

// The session of the thread's token: the impersonated client's, else the
// process's; 0 when neither can be opened.
DWORD currentSessionId() {
    UniqueHandle token;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.out())) {
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_NO_TOKEN) return 0;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.out())) return 0;
    }
    DWORD session = 0, size = 0;
    if (!GetTokenInformation(token.get(), TokenSessionId, &session, sizeof session, &size)) return 0;
    return session;
}

template <typename Open>
UniqueHandle openEither(const std::u16string& local, const std::u16string& session, Open open) {
    UniqueHandle h(open(win32::wz(local)));
    if (!h) h = UniqueHandle(open(win32::wz(session)));
    return h;
}

// The shared block, when its mutex exists in this or the writer's session.
std::optional<std::u16string> readSharedBlock(const appinfo::ChannelPrinter& printer, std::uint32_t jobId,
                                             DWORD clientSession) {
    const appinfo::SharedNames local = appinfo::localNames(printer, jobId);
    const appinfo::SharedNames session = appinfo::sessionNames(printer, jobId, clientSession);
    UniqueHandle mutex = openEither(local.mutex, session.mutex,
                                    [](const wchar_t* n) { return OpenMutexW(MUTEX_ALL_ACCESS, FALSE, n); });
    if (!mutex) return std::nullopt;
    const DWORD waited = WaitForSingleObject(mutex.get(), AppInfoReader::kMutexWaitMs);
    // An abandoned mutex is ours now; the block may still hold a name.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return std::u16string();
    std::u16string name;
    UniqueHandle mapping = openEither(local.block, session.block, [](const wchar_t* n) {
        return OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, n);
    });
    if (mapping) {
        if (void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, appinfo::kMessageBytes)) {
            name = appinfo::decodeName(static_cast<const std::uint8_t*>(view), appinfo::kMessageBytes);
            UnmapViewOfFile(view);
        }
    }
    ReleaseMutex(mutex.get());
    return name;
}

// Serves the pipe once: the companion program connects and writes one message.
std::u16string readPipe(const appinfo::ChannelPrinter& printer, std::uint32_t jobId, DWORD waitMs) {
    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event) return {};
    // A null access-control list: the companion program runs as the user.
    SECURITY_DESCRIPTOR descriptor{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    const std::u16string name = appinfo::readerPipeName(printer, jobId);
    HANDLE created = CreateNamedPipeW(win32::wz(name), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                      PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 0, 0, kPipeTimeoutMs,
                                      &attributes);
    if (created == INVALID_HANDLE_VALUE) return {};
    UniqueHandle pipe(created);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    bool connected = ConnectNamedPipe(pipe.get(), &overlapped) != FALSE;
    if (!connected) {
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED) {
            connected = true;
        } else if (error == ERROR_IO_PENDING) {
            DWORD ignored = 0;
            connected = WaitForSingleObject(event.get(), waitMs) == WAIT_OBJECT_0 &&
                        GetOverlappedResult(pipe.get(), &overlapped, &ignored, FALSE);
            // The connect must not complete into a structure that is gone.
            if (!connected) {
                CancelIo(pipe.get());
                GetOverlappedResult(pipe.get(), &overlapped, &ignored, TRUE);
            }
        }
    }
    std::u16string text;
    if (connected) {
        std::uint8_t buffer[appinfo::kMessageBytes] = {};
        DWORD got = 0;
        ResetEvent(event.get());
        OVERLAPPED read{};
        read.hEvent = event.get();
        BOOL ok = ReadFile(pipe.get(), buffer, sizeof buffer, nullptr, &read);
        DWORD error = ok ? ERROR_SUCCESS : GetLastError();
        if (error == ERROR_IO_PENDING && WaitForSingleObject(event.get(), waitMs) != WAIT_OBJECT_0) {
            CancelIo(pipe.get());
            GetOverlappedResult(pipe.get(), &read, &got, TRUE);
        } else if (error == ERROR_SUCCESS || error == ERROR_IO_PENDING || error == ERROR_MORE_DATA) {
            // The count of an overlapped read comes only from its result.
            ok = GetOverlappedResult(pipe.get(), &read, &got, TRUE);
            // A message longer than the block arrives cut: its first 122
            // bytes are the name as far as it fits.
            if (ok || GetLastError() == ERROR_MORE_DATA) text = appinfo::decodeName(buffer, got);
        }
        DisconnectNamedPipe(pipe.get());
    }
    return text;
}

}  // namespace

std::u16string AppInfoReader::readChannel(HANDLE printer, std::uint32_t jobId) const {
    const std::optional<appinfo::ChannelPrinter> target = win32::channelPrinter(printer);
    if (!target) return {};
    const DWORD clientSession = clientSession_ ? *clientSession_ : currentSessionId();
    if (std::optional<std::u16string> shared = readSharedBlock(*target, jobId, clientSession)) return *shared;
    return readPipe(*target, jobId, pipeWaitMs_);
}

std::string AppInfoReader::applicationName(PrinterHandle printer, std::uint32_t jobId) {
    const std::u16string name = readChannel(static_cast<HANDLE>(printer), jobId);
    return codePage_.toUserLocale(name, kNameBytes);
}

}  // namespace wren::ps
