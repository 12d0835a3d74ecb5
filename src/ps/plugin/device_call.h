// The core driver's services and the records of one device, for one call of
// the plug-in's methods or hooks.
#pragma once

#include <optional>

#include "common/settings/render_devmode.h"
#include "platform/win32/devmode_bridge.h"
#include "ps/job/render_context.h"
#include "ps/plugin/core_driver_ports.h"
#include "ps/plugin/ps_module.h"
#include "ps/plugin/render_pdev.h"

namespace wren::ps {

// Our PDEV of a device; null for a device EnablePDEV never made ours.
inline RenderPdev* renderPdevOf(PDEVOBJ pdevobj) {
    return pdevobj ? static_cast<RenderPdev*>(pdevobj->pdevOEM) : nullptr;
}

// The core driver handed over both DEVMODE parts.
inline bool hasRecords(PDEVOBJ pdevobj) { return pdevobj && pdevobj->pOEMDM && pdevobj->pPublicDM; }

// A device the rendering logic can work on: ours, with both DEVMODE parts.
inline bool usable(PDEVOBJ pdevobj) { return hasRecords(pdevobj) && renderPdevOf(pdevobj); }

// The core driver's services, the records and the job of one device, for
// one call. `pdevobj` must carry our PDEV.
class DeviceCall {
public:
    DeviceCall(PDEVOBJ pdevobj, IPrintOemDriverPS* helper)
        : settings_(pdevobj, helper), stream_(pdevobj, helper),
          ctx{renderPorts(), pdevobj->hPrinter, recordOf(pdevobj), devmodeOf(pdevobj), settings_, stream_,
              *renderPdevOf(pdevobj)->job} {}
    DeviceCall(const DeviceCall&) = delete;
    DeviceCall& operator=(const DeviceCall&) = delete;

private:
    // Stand-ins for parts a core driver failed to hand over, for this call
    // alone (made only then: a block costs no record to clear); a block
    // still reaches the spooler without them.
    PrivateRecord& recordOf(PDEVOBJ pdevobj) {
        return pdevobj->pOEMDM ? *asRecord(pdevobj->pOEMDM) : missingRecord_.emplace();
    }
    PublicDevmode& devmodeOf(PDEVOBJ pdevobj) {
        return pdevobj->pPublicDM ? *win32::publicDevmode(pdevobj->pPublicDM) : missingDevmode_.emplace();
    }

    std::optional<PrivateRecord> missingRecord_;
    std::optional<PublicDevmode> missingDevmode_;
    CoreDriverSettings settings_;
    CoreDriverStream stream_;

public:
    RenderContext ctx;
};

}  // namespace wren::ps
