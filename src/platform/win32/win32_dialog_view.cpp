#include "platform/win32/win32_dialog_view.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <vector>

#include "platform/win32/on_demand.h"
#include "platform/win32/wide_text.h"

// The linker's symbol for the start of the image this code is linked into:
// each plug-in DLL links its own copy of this view, so icons come from the
// DLL whose dialog is open.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace wren::ui {
namespace {

HMODULE thisModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

using AssociateContext = HIMC(WINAPI*)(HWND, HIMC);

// imm32 is loaded on demand: most dialogs never need it, and the plug-in
// must not fail to load where the input-method library is missing.
constinit win32::OnDemand<AssociateContext> gAssociateContext;

AssociateContext associateContext() {
    return gAssociateContext.get([]() -> AssociateContext {
        HMODULE imm = GetModuleHandleW(L"imm32.dll");
        if (!imm) imm = LoadLibraryW(L"imm32.dll");  // kept for the process, like the system does
        return imm ? reinterpret_cast<AssociateContext>(
                         reinterpret_cast<void*>(GetProcAddress(imm, "ImmAssociateContext")))
                   : nullptr;
    });
}

using ChooseColour = BOOL(WINAPI*)(LPCHOOSECOLORW);

// comdlg32 is loaded on demand, like imm32: only the watermark editor's
// colour button needs it.
constinit win32::OnDemand<ChooseColour> gChooseColour;

ChooseColour chooseColourFunction() {
    return gChooseColour.get([]() -> ChooseColour {
        HMODULE dialogs = GetModuleHandleW(L"comdlg32.dll");
        if (!dialogs) dialogs = LoadLibraryW(L"comdlg32.dll");  // kept for the process
        return dialogs ? reinterpret_cast<ChooseColour>(
                             reinterpret_cast<void*>(GetProcAddress(dialogs, "ChooseColorW")))
                       : nullptr;
    });
}

bool hasClass(HWND control, const wchar_t* className) {
    wchar_t name[32] = {};
    return GetClassNameW(control, name, 32) > 0 && lstrcmpiW(name, className) == 0;
}

bool isListBox(HWND control) { return hasClass(control, L"ListBox"); }

// A combo box with an edit field keeps its text, caret and input method in
// that child edit.
bool isComboBox(HWND control) { return hasClass(control, L"ComboBox"); }

// The combo box messages the view uses and their list box twins.
UINT listBoxMessage(UINT comboMessage) {
    switch (comboMessage) {
    case CB_RESETCONTENT: return LB_RESETCONTENT;
    case CB_ADDSTRING: return LB_ADDSTRING;
    case CB_SETITEMDATA: return LB_SETITEMDATA;
    case CB_GETCOUNT: return LB_GETCOUNT;
    case CB_GETITEMDATA: return LB_GETITEMDATA;
    case CB_GETCURSEL: return LB_GETCURSEL;
    case CB_SETCURSEL: return LB_SETCURSEL;
    default: return comboMessage;
    }
}

}  // namespace

LRESULT Win32DialogView::sendList(int id, UINT comboMessage, WPARAM wparam, LPARAM lparam) const {
    HWND c = control(id);
    if (!c) return 0;
    return SendMessageW(c, isListBox(c) ? listBoxMessage(comboMessage) : comboMessage, wparam, lparam);
}

LRESULT Win32DialogView::send(int id, UINT message, WPARAM wparam, LPARAM lparam) const {
    HWND c = control(id);
    return c ? SendMessageW(c, message, wparam, lparam) : 0;
}

bool Win32DialogView::exists(int id) const { return control(id) != nullptr; }

// The dialog's own child windows, the ones GetDlgItem finds by identifier
// (not their children, such as a combo box's edit).
std::optional<std::vector<int>> Win32DialogView::controlIds() const {
    std::vector<int> ids;
    if (!dialog_) return ids;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

std::u16string Win32DialogView::text(int id, std::size_t maxChars) const {
    HWND c = control(id);
    if (!c || maxChars == 0) return {};
    std::vector<wchar_t> buffer(maxChars, L'\0');
    const UINT n = GetDlgItemTextW(dialog_, id, buffer.data(), static_cast<int>(maxChars));
    return win32::fromWide(buffer.data(), n < maxChars ? n : maxChars - 1);
}

void Win32DialogView::setText(int id, std::u16string_view text) {
    if (!control(id)) return;
    const std::u16string terminated(text);
    SetDlgItemTextW(dialog_, id, win32::wz(terminated));
}

bool Win32DialogView::checked(int id) const { return send(id, BM_GETCHECK) == BST_CHECKED; }

void Win32DialogView::setChecked(int id, bool on) { send(id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }

bool Win32DialogView::enabled(int id) const {
    HWND c = control(id);
    return c && IsWindowEnabled(c);
}

void Win32DialogView::enable(int id, bool on) {
    if (HWND c = control(id)) EnableWindow(c, on ? TRUE : FALSE);
}

void Win32DialogView::show(int id, bool on) {
    if (HWND c = control(id)) ShowWindow(c, on ? SW_SHOW : SW_HIDE);
}

void Win32DialogView::destroy(int id) {
    if (HWND c = control(id)) DestroyWindow(c);
}

void Win32DialogView::setTextLimit(int id, int chars) {
    HWND c = control(id);
    if (c) SendMessageW(c, isComboBox(c) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(chars), 0);
}

void Win32DialogView::listClear(int id) { sendList(id, CB_RESETCONTENT); }

int Win32DialogView::listAdd(int id, std::u16string_view text, std::intptr_t data) {
    if (!control(id)) return -1;
    const std::u16string terminated(text);
    const LRESULT position = sendList(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::wz(terminated)));
    if (position >= 0) sendList(id, CB_SETITEMDATA, static_cast<WPARAM>(position), static_cast<LPARAM>(data));
    return static_cast<int>(position);
}

int Win32DialogView::listCount(int id) const {
    const LRESULT n = sendList(id, CB_GETCOUNT);
    return n > 0 ? static_cast<int>(n) : 0;
}

std::intptr_t Win32DialogView::listData(int id, int position) const {
    if (!control(id)) return CB_ERR;
    return static_cast<std::intptr_t>(sendList(id, CB_GETITEMDATA, static_cast<WPARAM>(position)));
}

int Win32DialogView::listSelection(int id) const {
    if (!control(id)) return -1;
    const LRESULT s = sendList(id, CB_GETCURSEL);
    return s >= 0 ? static_cast<int>(s) : -1;
}

void Win32DialogView::listSelect(int id, int position) { sendList(id, CB_SETCURSEL, static_cast<WPARAM>(position)); }

void Win32DialogView::setScrollRange(int id, int minimum, int maximum) {
    if (HWND c = control(id)) SetScrollRange(c, SB_CTL, minimum, maximum, TRUE);
}

void Win32DialogView::setScrollPosition(int id, int position) {
    if (HWND c = control(id)) SetScrollPos(c, SB_CTL, position, TRUE);
}

std::optional<std::uint32_t> Win32DialogView::chooseColour(std::uint32_t colour,
                                                           std::array<std::uint32_t, 16>& customColours) {
    const ChooseColour choose = chooseColourFunction();
    if (!choose) return std::nullopt;
    COLORREF custom[16];
    for (std::size_t i = 0; i < 16; ++i) custom[i] = customColours[i];
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = dialog_;
    cc.rgbResult = colour;
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    const BOOL chosen = choose(&cc);
    // The user may have changed the custom colours even when cancelling.
    for (std::size_t i = 0; i < 16; ++i) customColours[i] = custom[i];
    if (!chosen) return std::nullopt;
    return static_cast<std::uint32_t>(cc.rgbResult);
}

void Win32DialogView::setUpDownRange(int id, int lower, int upper) {
    send(id, UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void Win32DialogView::setUpDownValue(int id, int value) { send(id, UDM_SETPOS32, 0, static_cast<LPARAM>(value)); }

int Win32DialogView::caret(int id) const {
    DWORD start = 0, end = 0;
    HWND c = control(id);
    if (!c) return 0;
    SendMessageW(c, isComboBox(c) ? CB_GETEDITSEL : EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

void Win32DialogView::setCaret(int id, int position) {
    HWND c = control(id);
    if (!c) return;
    if (isComboBox(c)) SendMessageW(c, CB_SETEDITSEL, 0, MAKELPARAM(position, position));
    else SendMessageW(c, EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
}

void Win32DialogView::selectAll(int id) { send(id, EM_SETSEL, 0, -1); }

void Win32DialogView::detachInputMethod(int id) {
    HWND c = control(id);
    if (!c) return;
    if (isComboBox(c))
        if (HWND edit = FindWindowExW(c, nullptr, L"Edit", nullptr)) c = edit;
    if (AssociateContext associate = associateContext()) associate(c, nullptr);
}

void Win32DialogView::focus(int id) {
    if (HWND c = control(id)) SetFocus(c);
}

void Win32DialogView::redraw(int id) {
    if (HWND c = control(id)) InvalidateRect(c, nullptr, TRUE);
}

void Win32DialogView::setIcon(int id, int iconId) {
    HWND c = control(id);
    if (!c) return;
    // Shared icons belong to the module: nothing to free.
    auto icon = static_cast<HICON>(
        LoadImageW(thisModule(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    if (icon) SendMessageW(c, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

int Win32DialogView::clientWidth(int id) const {
    HWND c = control(id);
    RECT r{};
    return c && GetClientRect(c, &r) ? static_cast<int>(r.right - r.left) : 0;
}

void Win32DialogView::reportAddColumn(int id, int column, std::u16string_view header, int width) {
    std::u16string text(header);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = width;
    col.iSubItem = column;
    col.pszText = const_cast<wchar_t*>(win32::wz(text));
    send(id, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
}

void Win32DialogView::reportClear(int id) { send(id, LVM_DELETEALLITEMS); }

int Win32DialogView::reportAddRow(int id, std::u16string_view first, std::u16string_view second) {
    if (!control(id)) return -1;
    std::u16string a(first), b(second);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = reportCount(id);
    item.pszText = const_cast<wchar_t*>(win32::wz(a));
    const int row = static_cast<int>(send(id, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<wchar_t*>(win32::wz(b));
    send(id, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    return row;
}

int Win32DialogView::reportCount(int id) const {
    const LRESULT n = send(id, LVM_GETITEMCOUNT);
    return n > 0 ? static_cast<int>(n) : 0;
}

bool Win32DialogView::reportSelected(int id, int row) const {
    return (send(id, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void Win32DialogView::reportSelect(int id, int row, bool on) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = on ? LVIS_SELECTED : 0;
    send(id, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void Win32DialogView::beep() { MessageBeep(MB_OK); }

int Win32DialogView::messageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) {
    const std::u16string t(text), c(caption);
    return MessageBoxW(dialog_, win32::wz(t), caption.empty() ? nullptr : win32::wz(c), flags);
}

void Win32DialogView::endDialog(int result) {
    if (dialog_) EndDialog(dialog_, result);
}

void Win32DialogView::markPageChanged() {
    if (dialog_) SendMessageW(GetParent(dialog_), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog_), 0);
}

}  // namespace wren::ui
