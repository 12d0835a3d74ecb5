// The rules both plug-ins apply to the core driver's DEVMODE requests: an
// absent parameter block or an unknown mode is refused, a size request is
// answered with the record's size, and the other three go to the plug-in's
// own operations with the records as the block gives them.
#pragma once

#include <cstdint>

#include "common/settings/private_record.h"
#include "common/settings/settings_environment.h"

namespace wren {

struct DevModeOperations {
    virtual ~DevModeOperations() = default;
    virtual void defaults(PrivateRecord* out, const DevModeRequest& request) = 0;
    virtual void convert(PrivateRecord* in, PrivateRecord* out, const DevModeRequest& request) = 0;
    virtual void merge(PrivateRecord* in, PrivateRecord* out, const DevModeRequest& request) = 0;
};

inline DevModeStatus dispatchDevMode(std::uint32_t mode, const DevModeRequest* request, DevModeOperations& ops) {
    if (!request || mode < 1 || mode > 4) return DevModeStatus::InvalidParameter;
    auto* in = asRecord(request->recordIn);
    auto* out = asRecord(request->recordOut);
    switch (static_cast<DevModeMode>(mode)) {
    case DevModeMode::Size:
        if (request->bufferSize) *request->bufferSize = kRecordSize;
        break;
    case DevModeMode::Default:
        ops.defaults(out, *request);
        break;
    case DevModeMode::Convert:
        ops.convert(in, out, *request);
        break;
    case DevModeMode::Merge:
        ops.merge(in, out, *request);
        break;
    }
    return DevModeStatus::Ok;
}

}  // namespace wren
