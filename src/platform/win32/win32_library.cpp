#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"

namespace wren::win32 {
namespace {

class Win32Library final : public Library {
public:
    explicit Win32Library(UniqueModule module) : module_(std::move(module)) {}
    void* symbol(const char* name) const override {
        return reinterpret_cast<void*>(GetProcAddress(module_.get(), name));
    }

private:
    UniqueModule module_;
};

}  // namespace

std::unique_ptr<Library> Win32LibraryLoader::load(std::u16string_view path) const {
    if (path.empty()) return nullptr;
    const std::u16string p(path);
    // A missing library is an ordinary "feature absent": no error box.
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
    UniqueModule module(LoadLibraryW(wz(p)));
    SetThreadErrorMode(previous, nullptr);
    if (!module) return nullptr;
    return std::make_unique<Win32Library>(std::move(module));
}

}  // namespace wren::win32
