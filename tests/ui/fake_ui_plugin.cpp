// A stand-in UI plug-in for testing wrenhost's preferences host on its own:
// one plug-in item, a tree callback that reports its reasons, and one
// "Job Options" page (combo 1001, edit 1002, check box 1010, button 1020
// that shows a message) whose choices go back through the driver helper.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/settings/private_record.h"
#include "platform/win32/oem_interfaces.h"

namespace {

HMODULE g_module = nullptr;

struct PageState {
    OEMCUIPPARAM* tree = nullptr;
    IPrintOemDriverUI* helper = nullptr;
    OEMUIPSPARAM* sheet = nullptr;
};
PageState g_state;

OPTITEM* featureItem(const char* keyword) {
    OEMCUIPPARAM* t = g_state.tree;
    for (DWORD i = 0; t && i < t->cDrvOptItems; ++i) {
        auto* user = reinterpret_cast<USERDATA*>(t->pDrvOptItems[i].UserData);
        if (user && user->pKeyWordName && std::strcmp(user->pKeyWordName, keyword) == 0) return &t->pDrvOptItems[i];
    }
    return nullptr;
}

LONG APIENTRY treeCallback(PCPSUICBPARAM param, POEMCUIPPARAM) {
    std::printf("callback reason %u\n", param->Reason);
    std::fflush(stdout);
    return CPSUICB_ACTION_NONE;
}

void writeBack(HWND page) {
    OPTITEM* job = featureItem("ZEJob_Type");
    if (job && g_state.helper) {
        job->Sel = static_cast<LONG>(SendDlgItemMessageW(page, 1001, CB_GETCURSEL, 0, 0));
        g_state.helper->DrvUpdateUISetting(g_state.tree->poemuiobj, job, 0, OEMCUIP_DOCPROP);
    }
    auto* record = static_cast<wren::PrivateRecord*>(g_state.tree->pOEMDM);
    GetDlgItemTextW(page, 1002, reinterpret_cast<wchar_t*>(record->jobName), 17);
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const wchar_t* types[] = {L"Normal", L"Secure Print", L"Store for Re-print", L"Encrypted Secure Print"};
        for (const wchar_t* t : types) SendDlgItemMessageW(page, 1001, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        OPTITEM* job = featureItem("ZEJob_Type");
        SendDlgItemMessageW(page, 1001, CB_SETCURSEL, job ? job->Sel : 0, 0);
        char current[64] = {};
        DWORD needed = 0, count = 0;
        if (g_state.helper &&
            SUCCEEDED(g_state.helper->DrvGetDriverSetting(g_state.tree->poemuiobj, "ZEHDD", current, sizeof current,
                                                          &needed, &count)))
            std::printf("ZEHDD is %s\n", current);
        std::fflush(stdout);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == 1020) MessageBoxW(page, L"Enter the PIN.", L"Job Options", MB_OK | MB_ICONWARNING);
        return TRUE;
    case WM_NOTIFY:
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case PSN_KILLACTIVE:
        case PSN_APPLY:
            writeBack(page);
            SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// The page's template in memory: a combo, an edit, a check box, a button.
std::vector<WORD> pageTemplate() {
    std::vector<WORD> t;
    auto word = [&](WORD w) { t.push_back(w); };
    auto dword = [&](DWORD d) { word(LOWORD(d)); word(HIWORD(d)); };
    auto text = [&](const wchar_t* s) { do word(static_cast<WORD>(*s)); while (*s++); };
    auto control = [&](DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const wchar_t* title) {
        if (t.size() % 2) word(0);
        dword(style | WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        dword(0);
        for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
        word(id);
        word(0xFFFF);
        word(atom);
        text(title);
        word(0);
    };
    dword(DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CAPTION);
    dword(0);
    word(4);
    for (short v : {0, 0, 252, 218}) word(static_cast<WORD>(v));
    word(0);
    word(0);
    text(L"Job Options");
    word(8);
    text(L"MS Shell Dlg");
    control(CBS_DROPDOWNLIST | WS_VSCROLL, 7, 7, 150, 80, 1001, 0x0085, L"");
    control(ES_AUTOHSCROLL | ES_NUMBER | WS_BORDER, 7, 27, 150, 14, 1002, 0x0081, L"");
    control(BS_AUTOCHECKBOX, 7, 47, 150, 10, 1010, 0x0080, L"Job Spool");
    control(BS_PUSHBUTTON, 7, 67, 60, 14, 1020, 0x0080, L"Warn");
    return t;
}
std::vector<WORD> g_template;

class FakePlugin final : public IPrintOemUI2 {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemUI) || IsEqualIID(riid, IID_IPrintOemUI2)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        if (--refs_ == 0) {
            if (g_state.helper) g_state.helper->Release();
            g_state.helper = nullptr;
            delete this;
            return 0;
        }
        return refs_;
    }
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD, PVOID, DWORD, PDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) override {
        if (mode == OEMDM_SIZE) {
            param->cbBufSize = sizeof(wren::PrivateRecord);
            return S_OK;
        }
        if (mode == OEMDM_DEFAULT && param->pOEMDMOut) {
            std::memset(param->pOEMDMOut, 0, sizeof(wren::PrivateRecord));
            return S_OK;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* unknown) override {
        return unknown->QueryInterface(IID_IPrintOemDriverUI, reinterpret_cast<void**>(&g_state.helper));
    }
    HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD, POEMCUIPPARAM param) override {
        g_state.tree = param;
        if (!param->pOEMOptItems) {
            param->cOEMOptItems = 1;
            return S_OK;
        }
        static wchar_t name[] = L"Fake item";
        param->pOEMOptItems[0].cbSize = sizeof(OPTITEM);
        param->pOEMOptItems[0].pName = name;
        param->OEMCUIPCallback = treeCallback;
        param->pOEMUserData = this;
        // Hide one item, as the real plug-in hides those its pages edit.
        if (OPTITEM* job = featureItem("ZEJob_Type")) job->Flags |= OPTIF_HIDE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM) override {
        if (info->Reason != PROPSHEETUI_REASON_INIT) return S_OK;
        g_state.sheet = reinterpret_cast<OEMUIPSPARAM*>(info->lParamInit);
        g_template = pageTemplate();
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = g_module;
        page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(g_template.data());
        page.pfnDlgProc = pageProc;
        LONG_PTR handle = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                                reinterpret_cast<LPARAM>(&page), 0);
        info->Result = handle ? 1 : 0;
        return handle ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG, VOID*, ULONG*, FLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID, PINT) override { return E_NOTIMPL; }

private:
    ULONG refs_ = 1;
};

class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID riid, void** ppv) override {
        auto* plugin = new FakePlugin;
        HRESULT hr = plugin->QueryInterface(riid, ppv);
        plugin->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
Factory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID riid, void** ppv) {
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
