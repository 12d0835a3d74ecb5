// Copying a stored record over a fresh one.
#pragma once

#include <cstdint>
#include <cstring>

#include "common/settings/private_record.h"

namespace wren {

// Copies as many bytes as the smaller of the two records' sizes, and never
// more than one record: a stored size beyond 4792 is cut there, so a damaged
// size cannot run past the core driver's buffers.
inline void copyRecordPrefix(const PrivateRecord& in, PrivateRecord& out) {
    std::uint32_t n = in.dwSize < out.dwSize ? in.dwSize : out.dwSize;
    if (n > kRecordSize) n = kRecordSize;
    if (&in != &out) std::memmove(&out, &in, n);
}

inline void writeHeader(PrivateRecord& r) {
    r.dwSize = kRecordSize;
    r.dwSignature = kRecordSignature;
    r.dwVersion = kRecordVersion;
}

}  // namespace wren
