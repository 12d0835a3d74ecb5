// The COM entry points of both plug-ins as the core driver meets them:
// DllGetClassObject, the class factory, the object's interfaces and counts,
// DllCanUnloadNow, GetInfo, PublishDriverInterface and the DEVMODE requests
// that need no settings.
#include "driver_helpers.h"
#include "wine_fixture.h"

namespace wren::wine_test {
namespace {

// {0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}: nobody's class or interface.
constexpr GUID kStranger = {0x0F1E2D3C, 0x4B5A, 0x6978, {0x87, 0x96, 0xA5, 0xB4, 0xC3, 0xD2, 0xE1, 0xF0}};

void* const kUntouched = reinterpret_cast<void*>(0x5A5A5A5A);

struct PluginCase {
    const char* name;
    const wchar_t* file;
    const GUID* clsid;
    const GUID* otherClsid;                  // the other plug-in's class
    std::vector<const GUID*> interfaces;     // what the object answers
    std::vector<const GUID*> notInterfaces;  // what it must refuse
    const GUID* helper;                      // asked of PublishDriverInterface's argument
    HRESULT (*publish)(IUnknown* plugin, IUnknown* helper);
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const PluginCase& c, std::ostream* os) { *os << c.name; }

HRESULT publishUi(IUnknown* plugin, IUnknown* helper) {
    Ref<IPrintOemUI2> ui;
    if (FAILED(plugin->QueryInterface(IID_IPrintOemUI2, ui.out()))) return E_UNEXPECTED;
    return ui->PublishDriverInterface(helper);
}

HRESULT publishRender(IUnknown* plugin, IUnknown* helper) {
    Ref<IPrintOemPS2> ps;
    if (FAILED(plugin->QueryInterface(IID_IPrintOemPS2, ps.out()))) return E_UNEXPECTED;
    return ps->PublishDriverInterface(helper);
}

const PluginCase kUi{"wrenui",
                     L"wrenui.dll",
                     &CLSID_OEMUI,
                     &CLSID_OEMRENDER,
                     {&IID_IUnknown, &IID_IPrintOemUI, &IID_IPrintOemUI2},
                     {&IID_IPrintOemPS, &IID_IPrintOemPS2, &IID_IPrintOemCommon, &IID_IClassFactory, &kStranger},
                     &IID_IPrintOemDriverUI,
                     &publishUi};

const PluginCase kRender{"wrenps",
                         L"wrenps.dll",
                         &CLSID_OEMRENDER,
                         &CLSID_OEMUI,
                         {&IID_IUnknown, &IID_IPrintOemPS, &IID_IPrintOemPS2},
                         {&IID_IPrintOemUI, &IID_IPrintOemUI2, &IID_IPrintOemEngine, &IID_IClassFactory, &kStranger},
                         &IID_IPrintOemDriverPS,
                         &publishRender};

class PluginEntry : public testing::TestWithParam<PluginCase> {
protected:
    void SetUp() override { ASSERT_NE(library_.module(), nullptr); }

    Ref<IClassFactory> factory() {
        Ref<IClassFactory> f;
        EXPECT_EQ(library_.getClassObject(*GetParam().clsid, IID_IClassFactory, f.out()), S_OK);
        return f;
    }
    Ref<IUnknown> object() {
        Ref<IUnknown> o;
        if (Ref<IClassFactory> f = factory()) {
            EXPECT_EQ(f->CreateInstance(nullptr, IID_IUnknown, o.out()), S_OK);
        }
        return o;
    }
    // Both interfaces start with IPrintOemCommon's methods.
    Ref<IPrintOemCommon> common() {
        Ref<IPrintOemCommon> c;
        if (Ref<IUnknown> o = object()) {
            EXPECT_EQ(o->QueryInterface(*GetParam().interfaces.back(), c.out()), S_OK);
        }
        return c;
    }

    PluginLibrary library_{GetParam().file};
};

TEST_P(PluginEntry, OnlyItsOwnClassIsServedAndRefusalsLeaveTheOutputAlone) {
    for (const GUID* clsid : {&kStranger, GetParam().otherClsid, &IID_IClassFactory}) {
        void* out = kUntouched;
        EXPECT_EQ(library_.getClassObject(*clsid, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(out, kUntouched);
    }
    // The factory is asked for the interface the caller names.
    void* out = kUntouched;
    EXPECT_EQ(library_.getClassObject(*GetParam().clsid, *GetParam().helper, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    Ref<IUnknown> unknown;
    EXPECT_EQ(library_.getClassObject(*GetParam().clsid, IID_IUnknown, unknown.out()), S_OK);
    EXPECT_TRUE(unknown);
}

TEST_P(PluginEntry, FactoryAnswersUnknownAndClassFactoryOnly) {
    Ref<IClassFactory> f = factory();
    ASSERT_TRUE(f);
    Ref<IUnknown> unknown;
    EXPECT_EQ(f->QueryInterface(IID_IUnknown, unknown.out()), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(f.get()));
    Ref<IClassFactory> again;
    EXPECT_EQ(f->QueryInterface(IID_IClassFactory, again.out()), S_OK);
    for (const GUID* iid : GetParam().interfaces) {
        if (IsEqualIID(*iid, IID_IUnknown)) continue;
        void* out = kUntouched;
        EXPECT_EQ(f->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
}

TEST_P(PluginEntry, FactoryAndObjectCountTheirReferences) {
    Ref<IClassFactory> f = factory();
    ASSERT_TRUE(f);
    // DllGetClassObject hands out exactly one reference.
    EXPECT_EQ(f->AddRef(), 2u);
    EXPECT_EQ(f->Release(), 1u);

    IUnknown* raw = nullptr;
    ASSERT_EQ(f->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&raw)), S_OK);
    EXPECT_EQ(raw->AddRef(), 2u);
    void* second = nullptr;
    ASSERT_EQ(raw->QueryInterface(*GetParam().interfaces.back(), &second), S_OK);
    EXPECT_EQ(raw->Release(), 2u);
    EXPECT_EQ(raw->Release(), 1u);
    EXPECT_EQ(raw->Release(), 0u);
}

TEST_P(PluginEntry, CreateInstanceRefusesAggregation) {
    Ref<IClassFactory> f = factory();
    ASSERT_TRUE(f);
    PlainUnknown outer;
    void* out = nullptr;
    EXPECT_EQ(f->CreateInstance(&outer, IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(outer.refs, 1);
}

TEST_P(PluginEntry, ObjectAnswersItsOwnInterfacesOnly) {
    Ref<IUnknown> o = object();
    ASSERT_TRUE(o);
    for (const GUID* iid : GetParam().interfaces) {
        Ref<IUnknown> answer;
        EXPECT_EQ(o->QueryInterface(*iid, answer.out()), S_OK);
        EXPECT_EQ(static_cast<void*>(answer.get()), static_cast<void*>(o.get()));
    }
    for (const GUID* iid : GetParam().notInterfaces) {
        void* out = kUntouched;
        EXPECT_EQ(o->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
}

TEST_P(PluginEntry, ServerLocksKeepTheLibraryLoaded) {
    EXPECT_EQ(library_.canUnloadNow(), S_OK);
    Ref<IClassFactory> f = factory();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->LockServer(TRUE), S_OK);
    EXPECT_EQ(library_.canUnloadNow(), S_FALSE);
    EXPECT_EQ(f->LockServer(TRUE), S_OK);
    EXPECT_EQ(f->LockServer(FALSE), S_OK);
    EXPECT_EQ(library_.canUnloadNow(), S_FALSE);
    EXPECT_EQ(f->LockServer(FALSE), S_OK);
    EXPECT_EQ(library_.canUnloadNow(), S_OK);
}

TEST_P(PluginEntry, GetInfoReportsTheRecordSignatureAndVersion) {
    Ref<IPrintOemCommon> c = common();
    ASSERT_TRUE(c);
    DWORD buffer[2] = {0xCCCCCCCC, 0xCCCCCCCC}, needed = 0;
    EXPECT_EQ(c->GetInfo(OEMGI_GETSIGNATURE, buffer, 4, &needed), S_OK);
    EXPECT_EQ(buffer[0], 0x32303030u);
    EXPECT_EQ(std::memcmp(buffer, "0002", 4), 0);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(c->GetInfo(OEMGI_GETVERSION, buffer, sizeof buffer, &needed), S_OK);
    EXPECT_EQ(buffer[0], 1u);
    EXPECT_EQ(buffer[1], 0xCCCCCCCCu);

    for (DWORD mode : {OEMGI_GETSIGNATURE, OEMGI_GETVERSION}) {
        buffer[0] = 0xCCCCCCCC;
        needed = 0;
        SetLastError(0);
        EXPECT_EQ(c->GetInfo(mode, buffer, 3, &needed), E_FAIL);
        EXPECT_EQ(needed, 4u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(buffer[0], 0xCCCCCCCCu);
        needed = 0;
        SetLastError(0);
        EXPECT_EQ(c->GetInfo(mode, nullptr, 4, &needed), E_FAIL);
        EXPECT_EQ(needed, 4u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    }
    for (DWORD mode : {OEMGI_GETSIGNATURE, OEMGI_GETINTERFACEVERSION, OEMGI_GETREQUESTEDHELPERINTERFACES}) {
        SetLastError(0);
        EXPECT_EQ(c->GetInfo(mode, buffer, sizeof buffer, nullptr), E_FAIL);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    for (DWORD mode : {OEMGI_GETINTERFACEVERSION, OEMGI_GETREQUESTEDHELPERINTERFACES, 0ul, 99ul}) {
        SetLastError(0);
        EXPECT_EQ(c->GetInfo(mode, buffer, sizeof buffer, &needed), E_FAIL) << "mode " << mode;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << "mode " << mode;
    }
}

TEST_P(PluginEntry, DevModeAnswersTheSizeAndRefusesBadRequests) {
    Ref<IPrintOemCommon> c = common();
    ASSERT_TRUE(c);
    OEMDMPARAM param{};
    param.cbSize = sizeof param;
    EXPECT_EQ(c->DevMode(OEMDM_SIZE, &param), S_OK);
    EXPECT_EQ(param.cbBufSize, 4792u);

    for (DWORD mode : {0ul, 5ul, 0xFFFFFFFFul}) {
        SetLastError(0);
        EXPECT_EQ(c->DevMode(mode, &param), E_FAIL) << "mode " << mode;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    for (DWORD mode : {OEMDM_SIZE, OEMDM_DEFAULT, OEMDM_MERGE}) {
        SetLastError(0);
        EXPECT_EQ(c->DevMode(mode, nullptr), E_FAIL) << "mode " << mode;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
}

TEST_P(PluginEntry, PublishDriverInterfaceKeepsTheFirstHelperAndGivesItBack) {
    CountedObject<IUnknown> helper, later;
    helper.offered = later.offered = *GetParam().helper;
    {
        Ref<IUnknown> o = object();
        ASSERT_TRUE(o);
        EXPECT_EQ(GetParam().publish(o.get(), &helper), S_OK);
        EXPECT_EQ(helper.timesAskedFor(*GetParam().helper), 1);
        EXPECT_EQ(helper.refs, 2) << "the plug-in holds one reference";
        // A helper is held already: the next one is not even asked.
        EXPECT_EQ(GetParam().publish(o.get(), &later), S_OK);
        EXPECT_TRUE(later.queries.empty());
        EXPECT_EQ(later.refs, 1);
    }
    EXPECT_EQ(helper.refs, 1) << "the last Release gives the helper back";
}

TEST_P(PluginEntry, PublishDriverInterfaceFailsWithoutTheHelperInterface) {
    PlainUnknown stranger;
    CountedObject<IUnknown> helper;
    helper.offered = *GetParam().helper;
    Ref<IUnknown> o = object();
    ASSERT_TRUE(o);
    EXPECT_EQ(GetParam().publish(o.get(), &stranger), E_FAIL);
    EXPECT_EQ(stranger.timesAskedFor(*GetParam().helper), 1);
    EXPECT_EQ(stranger.refs, 1);
    // Nothing was kept, so the core driver's next offer is taken.
    EXPECT_EQ(GetParam().publish(o.get(), &helper), S_OK);
    EXPECT_EQ(helper.timesAskedFor(*GetParam().helper), 1);
    o.reset();
    EXPECT_EQ(helper.refs, 1);
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginEntry, testing::Values(kUi, kRender),
                         [](const testing::TestParamInfo<PluginCase>& info) { return std::string(info.param.name); });

// Where the two plug-ins differ.

TEST(UiEntry, PublisherInfoIsNotSupported) {
    PluginLibrary library(UiKind::file);
    Ref<IPrintOemUI2> ui = library.create<IPrintOemUI2>(CLSID_OEMUI);
    ASSERT_TRUE(ui);
    BYTE buffer[16] = {};
    DWORD needed = 77;
    SetLastError(0);
    EXPECT_EQ(ui->GetInfo(OEMGI_GETPUBLISHERINFO, buffer, sizeof buffer, &needed), E_FAIL);
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    // The buffer check comes first.
    SetLastError(0);
    EXPECT_EQ(ui->GetInfo(OEMGI_GETPUBLISHERINFO, buffer, 3, &needed), E_FAIL);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(RenderEntry, PublisherInfoFailsWithoutTouchingTheLastError) {
    PluginLibrary library(RenderKind::file);
    Ref<IPrintOemPS2> ps = library.create<IPrintOemPS2>(CLSID_OEMRENDER);
    ASSERT_TRUE(ps);
    BYTE buffer[16] = {};
    for (DWORD size : {0ul, 8ul, 16ul}) {
        DWORD needed = 0;
        SetLastError(12345);
        EXPECT_EQ(ps->GetInfo(OEMGI_GETPUBLISHERINFO, buffer, size, &needed), E_FAIL);
        EXPECT_EQ(needed, 8u);
        EXPECT_EQ(GetLastError(), 12345u);
    }
}

TEST(RenderEntry, DisableDriverGivesTheHelperBack) {
    PluginLibrary library(RenderKind::file);
    Ref<IPrintOemPS2> ps = library.create<IPrintOemPS2>(CLSID_OEMRENDER);
    ASSERT_TRUE(ps);
    CountedObject<IUnknown> helper;
    helper.offered = IID_IPrintOemDriverPS;
    ASSERT_EQ(ps->PublishDriverInterface(&helper), S_OK);
    EXPECT_EQ(ps->DisableDriver(), S_OK);
    EXPECT_EQ(helper.refs, 1);
    // Forgotten, too: the next offer is asked again and taken.
    EXPECT_EQ(ps->PublishDriverInterface(&helper), S_OK);
    EXPECT_EQ(helper.timesAskedFor(IID_IPrintOemDriverPS), 2);
    ps.reset();
    EXPECT_EQ(helper.refs, 1);
}

// COM may unload a library that says it can go: a live object of either
// plug-in must keep it loaded, or the object's next call runs into nothing.
template <typename Kind>
void expectLiveObjectsKeepTheLibraryLoaded() {
    PluginLibrary library(Kind::file);
    ASSERT_EQ(library.canUnloadNow(), S_OK);
    {
        Ref<typename Kind::Interface> first = library.create<typename Kind::Interface>(Kind::clsid());
        Ref<typename Kind::Interface> second = library.create<typename Kind::Interface>(Kind::clsid());
        ASSERT_TRUE(first && second);
        EXPECT_EQ(library.canUnloadNow(), S_FALSE);
        first.reset();
        EXPECT_EQ(library.canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(library.canUnloadNow(), S_OK);
}

TEST(RenderEntry, LiveObjectsKeepTheLibraryLoaded) { expectLiveObjectsKeepTheLibraryLoaded<RenderKind>(); }
TEST(UiEntry, LiveObjectsKeepTheLibraryLoaded) { expectLiveObjectsKeepTheLibraryLoaded<UiKind>(); }

}  // namespace
}  // namespace wren::wine_test
