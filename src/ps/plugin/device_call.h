// The core driver's services and the records of one device, for one call of
// the plug-in's methods or hooks.
#pragma once

#include "common/settings/render_devmode.h"
#include "platform/win32/devmode_bridge.h"
#include "ps/job/render_context.h"
#include "ps/plugin/core_driver_ports.h"
#include "ps/plugin/ps_module.h"

namespace wren::ps {

// A device the rendering logic can work on: the core driver handed over
// both DEVMODE parts.
inline bool usable(PDEVOBJ pdevobj) { return pdevobj && pdevobj->pOEMDM && pdevobj->pPublicDM; }

// The core driver's services and the records of one device, for one call.
struct DeviceCall {
    DeviceCall(PDEVOBJ pdevobj, IPrintOemDriverPS* helper)
        : settings(pdevobj, helper), stream(pdevobj, helper),
          ctx{renderPorts(), pdevobj->hPrinter, pdevobj->pOEMDM ? *asRecord(pdevobj->pOEMDM) : noRecord(),
              pdevobj->pPublicDM ? *win32::publicDevmode(pdevobj->pPublicDM) : noDevmode(), settings, stream,
              psModule().job} {}
    CoreDriverSettings settings;
    CoreDriverStream stream;
    RenderContext ctx;

private:
    // Stand-ins for parts a core driver failed to hand over; a block still
    // reaches the spooler without them.
    static PrivateRecord& noRecord() {
        static PrivateRecord record{};
        return record;
    }
    static PublicDevmode& noDevmode() {
        static PublicDevmode devmode{};
        return devmode;
    }
};

}  // namespace wren::ps
