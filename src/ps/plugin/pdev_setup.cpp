#include "ps/plugin/pdev_setup.h"

#include "ps/job/fit_to_paper.h"

namespace wren::ps {

void applyFitToPaper(PrivateRecord& record, const PublicDevmode& devmode, GDIINFO& gdi) {
    DeviceMetrics m;
    m.logPixelsX = gdi.ulLogPixelsX;
    m.logPixelsY = gdi.ulLogPixelsY;
    m.physWidth = gdi.szlPhysSize.cx;
    m.physHeight = gdi.szlPhysSize.cy;
    m.horzSize = gdi.ulHorzSize;
    m.vertSize = gdi.ulVertSize;
    m.offsetX = gdi.ptlPhysOffset.x;
    m.offsetY = gdi.ptlPhysOffset.y;
    m.horzRes = gdi.ulHorzRes;
    m.vertRes = gdi.ulVertRes;
    // A device that is not fitted keeps the core driver's metrics as they are.
    if (!fitDeviceToPaper(record, devmode, m)) return;
    gdi.ulLogPixelsX = m.logPixelsX;
    gdi.ulLogPixelsY = m.logPixelsY;
    gdi.szlPhysSize.cx = m.physWidth;
    gdi.szlPhysSize.cy = m.physHeight;
    gdi.ulHorzSize = m.horzSize;
    gdi.ulVertSize = m.vertSize;
    gdi.ptlPhysOffset.x = m.offsetX;
    gdi.ptlPhysOffset.y = m.offsetY;
    gdi.ulHorzRes = m.horzRes;
    gdi.ulVertRes = m.vertRes;
}

}  // namespace wren::ps
