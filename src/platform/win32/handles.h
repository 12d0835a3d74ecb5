// RAII owners for the Win32 handles the plug-ins open.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <utility>

namespace wren::win32 {

template <typename Handle, BOOL(WINAPI* Close)(Handle)>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h) : handle_(h) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    ~Owned() { reset(); }
    void reset() {
        if (handle_) Close(handle_);
        handle_ = Handle{};
    }
    Handle get() const { return handle_; }
    Handle* out() { reset(); return &handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

private:
    Handle handle_{};
};

using UniquePrinter = Owned<HANDLE, ClosePrinter>;
using UniqueModule = Owned<HMODULE, FreeLibrary>;
using UniqueHandle = Owned<HANDLE, CloseHandle>;
// Fonts, bitmaps, palettes (held as HGDIOBJ; cast back for use) and memory DCs.
using UniqueGdiObject = Owned<HGDIOBJ, DeleteObject>;
using UniqueMemoryDc = Owned<HDC, DeleteDC>;

}  // namespace wren::win32
