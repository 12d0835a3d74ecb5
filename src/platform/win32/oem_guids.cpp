// The one definition of every class and interface id declared in
// oem_interfaces.h.
//
// These are ordinary constant definitions with C linkage rather than
// DEFINE_GUID + <initguid.h>, so which translation unit owns them does not
// depend on include order. They are constexpr only so that the checks below
// can compare them with the __uuidof values at compile time; the objects
// still have external linkage through the extern "C" declarations.
#include "platform/win32/oem_interfaces.h"

extern "C" {

// Class ids the driver passes to DllGetClassObject.
constexpr GUID CLSID_OEMRENDER = {0x6D6ABF26, 0x9F38, 0x11D1,
                                  {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
constexpr GUID CLSID_OEMUI = {0xABCE80D7, 0x9F46, 0x11D1,
                              {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

constexpr GUID IID_IPrintOemCommon = {0x7F42285E, 0x91D5, 0x11D1,
                                      {0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

// UI side.
constexpr GUID IID_IPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1,
                                  {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
constexpr GUID IID_IPrintOemUI2 = {0x292515F9, 0xB54B, 0x489B,
                                   {0x92, 0x75, 0xBA, 0xB5, 0x68, 0x21, 0x39, 0x5E}};
constexpr GUID IID_IPrintOemDriverUI = {0x92B05D50, 0x78BC, 0x11D1,
                                        {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
constexpr GUID IID_IPrintCoreUI2 = {0x085CCFCA, 0x3ADF, 0x4C9E,
                                    {0xB4, 0x91, 0xD8, 0x51, 0xA6, 0xED, 0xC9, 0x97}};

// Rendering side.
constexpr GUID IID_IPrintOemEngine = {0x63D17590, 0x91D8, 0x11D1,
                                      {0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
constexpr GUID IID_IPrintOemPS = {0x688342B5, 0x8E1A, 0x11D1,
                                  {0x88, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
constexpr GUID IID_IPrintOemPS2 = {0xBECF7F34, 0x51B3, 0x46C9,
                                   {0x8A, 0x1C, 0x18, 0x67, 0x9B, 0xD2, 0x1F, 0x36}};
constexpr GUID IID_IPrintOemDriverPS = {0xD90060C7, 0x8E1A, 0x11D1,
                                        {0x88, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
constexpr GUID IID_IPrintCorePS2 = {0xCDBB0B0B, 0xA917, 0x40D7,
                                    {0x9F, 0xBF, 0x48, 0x3B, 0x3B, 0xE7, 0xEF, 0x22}};

}  // extern "C"

namespace {

// The interface ids are written twice (here and in the __CRT_UUID_DECL lines
// of the header); a typo in either copy would make QueryInterface disagree
// with __uuidof, so compare them field by field.
constexpr bool same(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

static_assert(same(IID_IPrintOemCommon, __uuidof(IPrintOemCommon)));
static_assert(same(IID_IPrintOemUI, __uuidof(IPrintOemUI)));
static_assert(same(IID_IPrintOemUI2, __uuidof(IPrintOemUI2)));
static_assert(same(IID_IPrintOemDriverUI, __uuidof(IPrintOemDriverUI)));
static_assert(same(IID_IPrintCoreUI2, __uuidof(IPrintCoreUI2)));
static_assert(same(IID_IPrintOemEngine, __uuidof(IPrintOemEngine)));
static_assert(same(IID_IPrintOemPS, __uuidof(IPrintOemPS)));
static_assert(same(IID_IPrintOemPS2, __uuidof(IPrintOemPS2)));
static_assert(same(IID_IPrintOemDriverPS, __uuidof(IPrintOemDriverPS)));
static_assert(same(IID_IPrintCorePS2, __uuidof(IPrintCorePS2)));

// The two class ids differ only in their first three fields; make sure a
// copy-paste slip did not make them equal.
static_assert(!same(CLSID_OEMUI, CLSID_OEMRENDER));

}  // namespace
