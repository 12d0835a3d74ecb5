#include "sheet_host.h"

#include <cstdio>

#include "preferences_output.h"

namespace wren::host {
namespace {

// PropSheet callbacks carry no context: the sheet being shown is found
// through the thread that shows it, as several sheets may be up at once,
// each on its own thread.
thread_local SheetHost* t_showing = nullptr;

// An in-memory dialog template, DWORD-aligned as the dialog manager wants.
class TemplateWriter {
public:
    void word(WORD w) { data_.push_back(w); }
    void dword(DWORD d) { word(LOWORD(d)), word(HIWORD(d)); }
    void text(const wchar_t* s) {
        do word(static_cast<WORD>(*s)); while (*s++);
    }
    void align() {
        if (data_.size() % 2) word(0);
    }
    void control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const wchar_t* title) {
        align();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
        word(id);
        word(0xFFFF);
        word(atom);
        text(title);
        word(0);
    }
    std::vector<WORD>& data() { return data_; }

private:
    std::vector<WORD> data_;
};

std::vector<WORD> corePageTemplate(const std::wstring& title) {
    TemplateWriter t;
    t.dword(DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CAPTION);
    t.dword(0);
    t.word(7);  // controls
    for (short v : {0, 0, 252, 218}) t.word(static_cast<WORD>(v));
    t.word(0);  // no menu
    t.word(0);  // default class
    t.text(title.c_str());
    t.word(8);
    t.text(L"MS Shell Dlg");
    constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kCombo = 0x0085;
    t.control(SS_LEFT, 7, 7, 238, 10, 0xFFFF, kStatic, L"Settings of the printer driver:");
    t.control(ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 238, 138,
              kItemsEdit, kEdit, L"");
    t.control(SS_LEFT, 7, 166, 32, 10, 0xFFFF, kStatic, L"Item:");
    t.control(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 40, 164, 205, 120, kItemChoice, kCombo, L"");
    t.control(SS_LEFT, 7, 182, 32, 10, 0xFFFF, kStatic, L"Option:");
    t.control(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 40, 180, 205, 120, kOptionChoice, kCombo, L"");
    t.control(BS_PUSHBUTTON | WS_TABSTOP, 7, 198, 238, 14, kPluginButton, kButton, L"");
    return std::move(t.data());
}

double millisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

SheetHost::SheetHost(SheetOptions options)
    : options_(std::move(options)), items_(options_.tree, options_.describe),
      shown_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    coreTemplate_ = corePageTemplate(options_.corePageTitle);
}

SheetHost::~SheetHost() {
    // Pages never handed to a sheet are still ours.
    if (!window_.load())
        for (HPROPSHEETPAGE page : pages_) DestroyPropertySheetPage(page);
    CloseHandle(shown_);
}

LONG_PTR CALLBACK SheetHost::sheetFunction(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2) {
    auto* self = reinterpret_cast<SheetHost*>(sheet);
    if (!self) return 0;
    switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW: {
        auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
        if (!page) return 0;
        HPROPSHEETPAGE handle = CreatePropertySheetPageW(page);
        if (!handle) return 0;
        self->pages_.push_back(handle);
        return reinterpret_cast<LONG_PTR>(handle);
    }
    case CPSFUNC_SET_RESULT:
        self->resultSet_ = true;
        self->result_ = lParam2;
        printSheetLine(self->options_.outputPrefix, "sheet result %lld", static_cast<long long>(lParam2));
        return 1;
    default:
        printSheetLine(self->options_.outputPrefix, "sheet function %u not supported", function);
        return 0;
    }
}

INT_PTR CALLBACK SheetHost::corePageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SheetHost*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<SheetHost*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->items_.fill(dialog);
        return TRUE;
    }
    if (!self) return FALSE;
    if (message == WM_COMMAND) {
        self->items_.command(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    if (message != WM_NOTIFY) return FALSE;
    const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
    switch (notify->code) {
    case PSN_SETACTIVE:
        self->items_.notify(dialog, CPSUICB_REASON_SETACTIVE);
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
    case PSN_KILLACTIVE:
        self->items_.notify(dialog, CPSUICB_REASON_KILLACTIVE);
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, FALSE);
        return TRUE;
    case PSN_APPLY:
        self->items_.notify(dialog, CPSUICB_REASON_APPLYNOW);
        // lParam TRUE: the sheet closes (OK), FALSE: the Apply button.
        if (reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam) self->okPressed_ = true;
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    case PSN_RESET:
        self->okPressed_ = false;
        return TRUE;
    default:
        return FALSE;
    }
}

int CALLBACK SheetHost::sheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && t_showing) {
        SheetHost& self = *t_showing;
        // Sheets shown side by side keep clear of each other, so a
        // screenshot of one does not catch the other in front of it.
        if (self.options_.position)
            SetWindowPos(sheet, nullptr, self.options_.position->x, self.options_.position->y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        self.window_ = sheet;
        printSheetLine(self.options_.outputPrefix, "sheet shown after %.0f ms",
                       millisecondsSince(self.options_.started));
        SetEvent(self.shown_);
    }
    return 0;
}

bool SheetHost::run() {
    uiThread_ = GetCurrentThreadId();
    PROPSHEETPAGEW core{};
    core.dwSize = sizeof core;
    core.dwFlags = PSP_DLGINDIRECT;
    core.hInstance = GetModuleHandleW(nullptr);
    core.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(coreTemplate_.data());
    core.pfnDlgProc = corePageProc;
    core.lParam = reinterpret_cast<LPARAM>(this);
    std::vector<HPROPSHEETPAGE> all;
    all.push_back(CreatePropertySheetPageW(&core));
    all.insert(all.end(), pages_.begin(), pages_.end());

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_USECALLBACK | PSH_NOCONTEXTHELP;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = options_.caption.c_str();
    header.nPages = static_cast<UINT>(all.size());
    header.phpage = all.data();
    header.pfnCallback = sheetCallback;
    header.nStartPage = options_.startPage < all.size() ? options_.startPage : 0;
    t_showing = this;
    okPressed_ = false;
    INT_PTR result = PropertySheetW(&header);
    t_showing = nullptr;
    window_ = nullptr;
    pages_.clear();  // the sheet destroyed them
    if (result < 0) throw std::runtime_error("PropertySheetW failed: error " + std::to_string(GetLastError()));
    return result > 0 && okPressed_;
}

HWND SheetHost::waitForWindow(DWORD milliseconds) const {
    if (WaitForSingleObject(shown_, milliseconds) != WAIT_OBJECT_0) return nullptr;
    return window_.load();
}

}  // namespace wren::host
