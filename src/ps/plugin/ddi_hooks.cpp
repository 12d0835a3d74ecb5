#include "ps/plugin/ddi_hooks.h"

#include <type_traits>

#include "common/guard/boundary.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/job_start.h"
#include "ps/plugin/device_call.h"
#include "ps/plugin/ps_module.h"
#include "platform/function_cast.h"

namespace wren::ps {
namespace {

// Every hooked DDI function, in the order of the hook table; the slot enum,
// the table and the PDEV's array of core functions all come from this list.
#define WREN_DDI_HOOKS(X)                                                                                   \
    X(RealizeBrush) X(CopyBits) X(BitBlt) X(StretchBlt) X(StretchBltROP) X(PlgBlt) X(TransparentBlt)        \
    X(AlphaBlend) X(GradientFill) X(TextOut) X(StrokePath) X(FillPath) X(StrokeAndFillPath) X(StartPage)    \
    X(SendPage) X(Escape) X(StartDoc) X(EndDoc) X(QueryFont) X(QueryFontTree) X(QueryFontData)              \
    X(QueryAdvanceWidths) X(FontManagement) X(GetGlyphMode) X(IcmCreateColorTransform)                      \
    X(IcmDeleteColorTransform) X(QueryDeviceSupport)

enum Slot : ULONG {
#define WREN_SLOT(name) k##name,
    WREN_DDI_HOOKS(WREN_SLOT)
#undef WREN_SLOT
    kSlotCount
};
static_assert(kSlotCount == kHookCount, "the PDEV keeps one core function per hook");

// The core driver's function in `slot` for the device behind a DHPDEV (the
// core driver hands plug-in hooks its DEVOBJ there); null when it has none.
template <typename Fn>
Fn core(DHPDEV dhpdev, Slot slot) {
    auto* pdevobj = reinterpret_cast<PDEVOBJ>(dhpdev);
    if (!pdevobj || !pdevobj->pdevOEM) return nullptr;
    return functionCast<Fn>(static_cast<RenderPdev*>(pdevobj->pdevOEM)->core[slot]);
}

template <typename Fn>
Fn core(SURFOBJ* surface, Slot slot) {
    return surface ? core<Fn>(surface->dhpdev, slot) : nullptr;
}

// Drawing and query hooks without a core function report failure (nothing
// was drawn or answered); document and page hooks report success, since
// there is nothing of the core driver's left to do.
//
// GDI calls these through C: every hook that runs more than a constant runs
// in a guard, and an exception answers the hook's failure value (FALSE, 0,
// null, FD_ERROR; FO_GLYPHBITS, the default, for the glyph mode). Document
// and page hooks answer FALSE too: a job whose start or page broke must not
// go on as if it had been set up.

BOOL APIENTRY HookRealizeBrush(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG) { return TRUE; }

BOOL APIENTRY HookCopyBits(SURFOBJ* dst, SURFOBJ* src, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* rcDst, POINTL* ptSrc) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvCopyBits>(dst && dst->dhpdev ? dst : src, kCopyBits);
        return fn ? fn(dst, src, clip, xlate, rcDst, ptSrc) : FALSE;
    });
}

BOOL APIENTRY HookBitBlt(SURFOBJ* trg, SURFOBJ* src, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* rcTrg,
                         POINTL* ptSrc, POINTL* ptMask, BRUSHOBJ* brush, POINTL* ptBrush, ROP4 rop) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvBitBlt>(trg && trg->dhpdev ? trg : src, kBitBlt);
        return fn ? fn(trg, src, mask, clip, xlate, rcTrg, ptSrc, ptMask, brush, ptBrush, rop) : FALSE;
    });
}

BOOL APIENTRY HookStretchBlt(SURFOBJ* dst, SURFOBJ* src, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                             COLORADJUSTMENT* ca, POINTL* htOrg, RECTL* rcDst, RECTL* rcSrc, POINTL* ptMask,
                             ULONG mode) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvStretchBlt>(dst, kStretchBlt);
        return fn ? fn(dst, src, mask, clip, xlate, ca, htOrg, rcDst, rcSrc, ptMask, mode) : FALSE;
    });
}

BOOL APIENTRY HookStretchBltROP(SURFOBJ* dst, SURFOBJ* src, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                                COLORADJUSTMENT* ca, POINTL* htOrg, RECTL* rcDst, RECTL* rcSrc, POINTL* ptMask,
                                ULONG mode, BRUSHOBJ* brush, DWORD rop) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvStretchBltROP>(dst, kStretchBltROP);
        return fn ? fn(dst, src, mask, clip, xlate, ca, htOrg, rcDst, rcSrc, ptMask, mode, brush, rop) : FALSE;
    });
}

BOOL APIENTRY HookPlgBlt(SURFOBJ* trg, SURFOBJ* src, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                         COLORADJUSTMENT* ca, POINTL* brushOrg, POINTFIX* fix, RECTL* rc, POINTL* pt, ULONG mode) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvPlgBlt>(trg, kPlgBlt);
        return fn ? fn(trg, src, mask, clip, xlate, ca, brushOrg, fix, rc, pt, mode) : FALSE;
    });
}

BOOL APIENTRY HookTransparentBlt(SURFOBJ* dst, SURFOBJ* src, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* rcDst,
                                 RECTL* rcSrc, ULONG transColor, ULONG reserved) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvTransparentBlt>(dst, kTransparentBlt);
        return fn ? fn(dst, src, clip, xlate, rcDst, rcSrc, transColor, reserved) : FALSE;
    });
}

BOOL APIENTRY HookAlphaBlend(SURFOBJ* dst, SURFOBJ* src, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* rcDst, RECTL* rcSrc,
                             BLENDOBJ* blend) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvAlphaBlend>(dst, kAlphaBlend);
        return fn ? fn(dst, src, clip, xlate, rcDst, rcSrc, blend) : FALSE;
    });
}

BOOL APIENTRY HookGradientFill(SURFOBJ* dst, CLIPOBJ* clip, XLATEOBJ* xlate, TRIVERTEX* vertex, ULONG nVertex,
                               PVOID mesh, ULONG nMesh, RECTL* extents, POINTL* ditherOrg, ULONG mode) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvGradientFill>(dst, kGradientFill);
        return fn ? fn(dst, clip, xlate, vertex, nVertex, mesh, nMesh, extents, ditherOrg, mode) : FALSE;
    });
}

BOOL APIENTRY HookTextOut(SURFOBJ* so, STROBJ* str, FONTOBJ* font, CLIPOBJ* clip, RECTL* extra, RECTL* opaque,
                          BRUSHOBJ* fore, BRUSHOBJ* opaqueBrush, POINTL* org, MIX mix) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvTextOut>(so, kTextOut);
        return fn ? fn(so, str, font, clip, extra, opaque, fore, opaqueBrush, org, mix) : FALSE;
    });
}

BOOL APIENTRY HookStrokePath(SURFOBJ* so, PATHOBJ* path, CLIPOBJ* clip, XFORMOBJ* xform, BRUSHOBJ* brush,
                             POINTL* brushOrg, LINEATTRS* line, MIX mix) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvStrokePath>(so, kStrokePath);
        return fn ? fn(so, path, clip, xform, brush, brushOrg, line, mix) : FALSE;
    });
}

BOOL APIENTRY HookFillPath(SURFOBJ* so, PATHOBJ* path, CLIPOBJ* clip, BRUSHOBJ* brush, POINTL* brushOrg, MIX mix,
                           FLONG options) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvFillPath>(so, kFillPath);
        return fn ? fn(so, path, clip, brush, brushOrg, mix, options) : FALSE;
    });
}

BOOL APIENTRY HookStrokeAndFillPath(SURFOBJ* so, PATHOBJ* path, CLIPOBJ* clip, XFORMOBJ* xform, BRUSHOBJ* stroke,
                                    LINEATTRS* line, BRUSHOBJ* fill, POINTL* brushOrg, MIX mix, FLONG options) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvStrokeAndFillPath>(so, kStrokeAndFillPath);
        return fn ? fn(so, path, clip, xform, stroke, line, fill, brushOrg, mix, options) : FALSE;
    });
}

BOOL APIENTRY HookStartPage(SURFOBJ* so) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvStartPage>(so, kStartPage);
        return fn ? fn(so) : TRUE;
    });
}

BOOL APIENTRY HookSendPage(SURFOBJ* so) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvSendPage>(so, kSendPage);
        return fn ? fn(so) : TRUE;
    });
}

ULONG APIENTRY HookEscape(SURFOBJ* so, ULONG esc, ULONG inSize, PVOID in, ULONG outSize, PVOID out) {
    return guarded<ULONG>(0, [&]() -> ULONG {
        auto fn = core<PFN_DrvEscape>(so, kEscape);
        return fn ? fn(so, esc, inSize, in, outSize, out) : 0;
    });
}

BOOL APIENTRY HookStartDoc(SURFOBJ* so, LPWSTR docName, DWORD jobId) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (so && so->dhpdev) {
            auto* pdevobj = reinterpret_cast<PDEVOBJ>(so->dhpdev);
            if (RenderPdev* pdev = renderPdevOf(pdevobj)) onStartDoc(renderPorts(), pdevobj->hPrinter, jobId, *pdev->job);
        }
        auto fn = core<PFN_DrvStartDoc>(so, kStartDoc);
        return fn ? fn(so, docName, jobId) : TRUE;
    });
}

BOOL APIENTRY HookEndDoc(SURFOBJ* so, FLONG flags) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvEndDoc>(so, kEndDoc);
        const BOOL done = fn ? fn(so, flags) : TRUE;
        // The core driver has handed over the last block: an encrypted job
        // whose end never came through is closed now. A failure cancels the
        // job; the document's end itself still succeeds.
        if (so && so->dhpdev) {
            auto* pdevobj = reinterpret_cast<PDEVOBJ>(so->dhpdev);
            if (usable(pdevobj)) {
                DeviceCall call(pdevobj, nullptr);
                endStream(call.ctx);
            }
        }
        return done;
    });
}

PIFIMETRICS APIENTRY HookQueryFont(DHPDEV dhpdev, ULONG_PTR file, ULONG face, ULONG_PTR* id) {
    return guarded<PIFIMETRICS>(nullptr, [&]() -> PIFIMETRICS {
        auto fn = core<PFN_DrvQueryFont>(dhpdev, kQueryFont);
        return fn ? fn(dhpdev, file, face, id) : nullptr;
    });
}

PVOID APIENTRY HookQueryFontTree(DHPDEV dhpdev, ULONG_PTR file, ULONG face, ULONG mode, ULONG_PTR* id) {
    return guarded<PVOID>(nullptr, [&]() -> PVOID {
        auto fn = core<PFN_DrvQueryFontTree>(dhpdev, kQueryFontTree);
        return fn ? fn(dhpdev, file, face, mode, id) : nullptr;
    });
}

LONG APIENTRY HookQueryFontData(DHPDEV dhpdev, FONTOBJ* font, ULONG mode, HGLYPH glyph, GLYPHDATA* data, PVOID pv,
                                ULONG size) {
    return guarded<LONG>(FD_ERROR, [&]() -> LONG {
        auto fn = core<PFN_DrvQueryFontData>(dhpdev, kQueryFontData);
        return fn ? fn(dhpdev, font, mode, glyph, data, pv, size) : FD_ERROR;
    });
}

BOOL APIENTRY HookQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ* font, ULONG mode, HGLYPH* glyphs, PVOID widths,
                                     ULONG count) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvQueryAdvanceWidths>(dhpdev, kQueryAdvanceWidths);
        return fn ? fn(dhpdev, font, mode, glyphs, widths, count) : FALSE;
    });
}

ULONG APIENTRY HookFontManagement(SURFOBJ* so, FONTOBJ* font, ULONG mode, ULONG inSize, PVOID in, ULONG outSize,
                                  PVOID out) {
    return guarded<ULONG>(0, [&]() -> ULONG {
        auto fn = core<PFN_DrvFontManagement>(so, kFontManagement);
        return fn ? fn(so, font, mode, inSize, in, outSize, out) : 0;
    });
}

ULONG APIENTRY HookGetGlyphMode(DHPDEV dhpdev, FONTOBJ* font) {
    return guarded<ULONG>(FO_GLYPHBITS, [&]() -> ULONG {
        auto fn = core<PFN_DrvGetGlyphMode>(dhpdev, kGetGlyphMode);
        return fn ? fn(dhpdev, font) : FO_GLYPHBITS;
    });
}

HANDLE APIENTRY HookIcmCreateColorTransform(DHPDEV dhpdev, LPLOGCOLORSPACEW space, PVOID src, ULONG srcSize,
                                            PVOID dst, ULONG dstSize, PVOID target, ULONG targetSize, DWORD reserved) {
    return guarded<HANDLE>(nullptr, [&]() -> HANDLE {
        auto fn = core<PFN_DrvIcmCreateColorTransform>(dhpdev, kIcmCreateColorTransform);
        return fn ? fn(dhpdev, space, src, srcSize, dst, dstSize, target, targetSize, reserved) : nullptr;
    });
}

BOOL APIENTRY HookIcmDeleteColorTransform(DHPDEV dhpdev, HANDLE transform) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvIcmDeleteColorTransform>(dhpdev, kIcmDeleteColorTransform);
        return fn ? fn(dhpdev, transform) : FALSE;
    });
}

BOOL APIENTRY HookQueryDeviceSupport(SURFOBJ* so, XLATEOBJ* xlate, XFORMOBJ* xform, ULONG type, ULONG inSize,
                                     PVOID in, ULONG outSize, PVOID out) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto fn = core<PFN_DrvQueryDeviceSupport>(so, kQueryDeviceSupport);
        return fn ? fn(so, xlate, xform, type, inSize, in, outSize, out) : FALSE;
    });
}

// Each hook must have exactly the DDI function's type: the core driver calls
// it through that type.
template <typename Pfn, typename Hook>
DRVFN hookEntry(ULONG index, Hook hook) {
    static_assert(std::is_same_v<Hook, Pfn>, "a hook must match its DDI function");
    return DRVFN{index, functionCast<PFN>(hook)};
}
#define WREN_HOOK(index, hook, pfn) hookEntry<pfn>(index, &hook)

const DRVFN kHooks[kHookCount] = {
#define WREN_TABLE_ENTRY(name) WREN_HOOK(INDEX_Drv##name, Hook##name, PFN_Drv##name),
    WREN_DDI_HOOKS(WREN_TABLE_ENTRY)
#undef WREN_TABLE_ENTRY
};

}  // namespace

const DRVFN* hookTable() { return kHooks; }

void bindCoreFunctions(RenderPdev& pdev, const DRVENABLEDATA* coreDriver) {
    for (ULONG slot = 0; slot < kHookCount; ++slot) {
        pdev.core[slot] = nullptr;
        if (!coreDriver || !coreDriver->pdrvfn) continue;
        for (ULONG i = 0; i < coreDriver->c; ++i)
            if (coreDriver->pdrvfn[i].iFunc == kHooks[slot].iFunc) {
                pdev.core[slot] = coreDriver->pdrvfn[i].pfn;
                break;
            }
    }
}

}  // namespace wren::ps
