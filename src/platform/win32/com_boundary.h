// The guards of src/common/guard/boundary.h with the Win32 last error: an
// exception stopped at a plug-in's entry leaves ERROR_NOT_ENOUGH_MEMORY
// (std::bad_alloc) or ERROR_INTERNAL_ERROR (anything else) for a caller
// that asks why the call failed.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

#include "common/guard/boundary.h"

namespace wren::win32 {

static_assert(E_OUTOFMEMORY == kResultOutOfMemory && E_FAIL == kResultFail);

inline void setLastErrorFor(BoundaryFault fault) noexcept {
    SetLastError(fault == BoundaryFault::OutOfMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INTERNAL_ERROR);
}

// A COM method's body: its HRESULT, or E_OUTOFMEMORY / E_FAIL.
template <typename F>
HRESULT comGuarded(F&& body) noexcept {
    return guardedResult<HRESULT>(std::forward<F>(body), &setLastErrorFor);
}

// A C entry point or callback whose failure answer is `onFailure`.
template <typename R, typename F>
R win32Guarded(R onFailure, F&& body) noexcept {
    return guarded(onFailure, std::forward<F>(body), &setLastErrorFor);
}

// The same, with `cleanUp` run after the last error is set.
template <typename R, typename F, typename CleanUp>
R win32Guarded(R onFailure, F&& body, CleanUp&& cleanUp) noexcept {
    static_assert(std::is_nothrow_invocable_v<CleanUp>, "a clean-up must not throw");
    return guarded(onFailure, std::forward<F>(body), [&](BoundaryFault fault) noexcept {
        setLastErrorFor(fault);
        cleanUp();
    });
}

}  // namespace wren::win32
