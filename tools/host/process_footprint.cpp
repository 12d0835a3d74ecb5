#include "process_footprint.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

namespace wren::host {
namespace {

// NtQuerySystemInformation's list of every open handle in the system
// (SystemExtendedHandleInformation), as ntdll lays it out.
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTraceIndex;
    USHORT objectType;
    ULONG attributes;
    ULONG reserved;
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Wine answers GetProcessHandleCount with 0 (it does not count); its
// system-wide handle list is complete, so the process's entries there are
// counted instead.
unsigned long handlesInSystemList() {
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<char> list(1 << 16);
    LONG status;
    ULONG needed = 0;
    while ((status = query(kSystemExtendedHandleInformation, list.data(), ULONG(list.size()), &needed)) ==
               kInfoLengthMismatch &&
           list.size() < (std::size_t(1) << 28))
        list.resize(list.size() * 2);
    if (status != 0) return 0;
    const ULONG_PTR count = *reinterpret_cast<const ULONG_PTR*>(list.data());
    const auto* entries = reinterpret_cast<const HandleEntry*>(list.data() + 2 * sizeof(ULONG_PTR));
    const ULONG_PTR self = GetCurrentProcessId();
    unsigned long mine = 0;
    for (ULONG_PTR i = 0; i < count; ++i)
        if (entries[i].processId == self) ++mine;
    return mine;
}

}  // namespace

ProcessFootprint measureProcess() {
    ProcessFootprint footprint;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        // Wine leaves the private count at 0; its page-file count is the
        // process's memory in use.
        footprint.privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        footprint.workingSet = counters.WorkingSetSize;
    }
    DWORD handles = 0;
    // A process that runs holds handles: none counted means none reported.
    footprint.handles = GetProcessHandleCount(GetCurrentProcess(), &handles) && handles > 0 ? handles
                                                                                            : handlesInSystemList();
    const DWORD slot = TlsAlloc();
    if (slot != TLS_OUT_OF_INDEXES) {
        footprint.firstFreeTlsSlot = slot;
        TlsFree(slot);
    }
    return footprint;
}

std::string describe(const ProcessFootprint& footprint) {
    constexpr double kMiB = 1024.0 * 1024.0;
    char text[160];
    std::snprintf(text, sizeof text, "memory %.1f MiB, working set %.1f MiB, %lu handles, TLS slot %lu free",
                  footprint.privateBytes / kMiB, footprint.workingSet / kMiB, footprint.handles,
                  footprint.firstFreeTlsSlot);
    return text;
}

}  // namespace wren::host
