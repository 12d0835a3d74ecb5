#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"

namespace wren::win32 {
namespace {

class Win32File final : public ReadableFile {
public:
    explicit Win32File(HANDLE file) : file_(file) {}
    std::optional<std::size_t> read(void* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) return std::nullopt;
        return got;
    }

private:
    UniqueHandle file_;
};

}  // namespace

std::unique_ptr<ReadableFile> Win32FileSource::openShared(std::u16string_view path) const {
    if (path.empty()) return nullptr;
    HANDLE file = CreateFileW(wz(std::u16string(path)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(file);
}

}  // namespace wren::win32
