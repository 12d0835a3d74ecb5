#include "ps/plugin/pdev_setup.h"

#include "ps/job/fit_to_paper.h"

namespace wren::ps {

void applyFitToPaper(PrivateRecord& record, const PublicDevmode& devmode, GDIINFO& gdi) {
    if (record.fitToPaper == 0) {
        record.fitScale = 1000;
        return;
    }
    FitInput in;
    in.documentWidth = record.documentPaperWidth;
    in.documentLength = record.documentPaperLength;
    in.outputWidth = devmode.dmPaperWidth;
    in.outputLength = devmode.dmPaperLength;
    in.paperSize = devmode.dmPaperSize;
    in.orientation = devmode.dmOrientation;
    std::optional<FitScale> k = fitScale(in);
    if (!k) return;
    DeviceMetrics m;
    m.logPixelsX = gdi.ulLogPixelsX;
    m.logPixelsY = gdi.ulLogPixelsY;
    record.fitScale = applyFit(in, *k, m);
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
