// The edge between our code and a caller that knows nothing of C++: the
// spooler, the core driver, GDI and user32 call the plug-ins through C and
// COM entry points, and an exception unwinding into them is undefined
// behaviour (in practice a dead spooler or a dead application). Every such
// entry runs its body through one of these guards, which turns an exception
// into the answer the entry gives for a failure.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

namespace wren {

// What kind of exception stopped a guarded body.
enum class BoundaryFault { OutOfMemory, Other };

// The COM failure results an exception becomes, with the values of
// E_OUTOFMEMORY and E_FAIL (the Win32 side checks that they agree).
inline constexpr std::int32_t kResultOutOfMemory = static_cast<std::int32_t>(0x8007000EU);
inline constexpr std::int32_t kResultFail = static_cast<std::int32_t>(0x80004005U);

inline constexpr std::int32_t resultFor(BoundaryFault fault) {
    return fault == BoundaryFault::OutOfMemory ? kResultOutOfMemory : kResultFail;
}

// Runs `body`; when it throws, runs `onFault` with the kind of exception
// (to set a last error, or to undo a half-made window state) and answers
// `onFailure`. `onFault` itself must not throw: nothing is left to catch it.
template <typename R, typename F, typename OnFault>
R guarded(R onFailure, F&& body, OnFault&& onFault) noexcept {
    static_assert(std::is_nothrow_invocable_v<OnFault, BoundaryFault>, "a fault handler must not throw");
    try {
        return static_cast<R>(std::invoke(std::forward<F>(body)));
    } catch (const std::bad_alloc&) {
        onFault(BoundaryFault::OutOfMemory);
    } catch (...) {
        onFault(BoundaryFault::Other);
    }
    return onFailure;
}

template <typename R, typename F>
R guarded(R onFailure, F&& body) noexcept {
    return guarded(onFailure, std::forward<F>(body), [](BoundaryFault) noexcept {});
}

// For COM methods: the body's HRESULT, or E_OUTOFMEMORY for std::bad_alloc
// and E_FAIL for any other exception. `Result` is the caller's HRESULT type.
template <typename Result, typename F, typename OnFault>
Result guardedResult(F&& body, OnFault&& onFault) noexcept {
    static_assert(std::is_nothrow_invocable_v<OnFault, BoundaryFault>, "a fault handler must not throw");
    std::optional<BoundaryFault> fault;
    const Result result = guarded(Result{}, std::forward<F>(body), [&](BoundaryFault f) noexcept {
        fault = f;
        onFault(f);
    });
    return fault ? static_cast<Result>(resultFor(*fault)) : result;
}

template <typename Result, typename F>
Result guardedResult(F&& body) noexcept {
    return guardedResult<Result>(std::forward<F>(body), [](BoundaryFault) noexcept {});
}

}  // namespace wren
