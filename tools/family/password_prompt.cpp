#include "password_prompt.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace wren::stand_in {
namespace {

constexpr int kMaxPasswordBytes = 32;

// DLGTEMPLATE and DLGITEMTEMPLATE records, laid out as DialogBoxIndirect
// reads them: WORD-aligned, items DWORD-aligned.
class Template {
public:
    void dialog(const wchar_t* title, short cx, short cy, WORD items) {
        dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        dword(0);
        word(items);
        word(0), word(0), word(WORD(cx)), word(WORD(cy));
        word(0), word(0);  // no menu, default class
        text(title);
        word(8);
        text(L"MS Shell Dlg");
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* caption) {
        while (bytes_.size() % 4) bytes_.push_back(0);
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        word(WORD(x)), word(WORD(y)), word(WORD(cx)), word(WORD(cy));
        word(id);
        word(0xFFFF), word(classAtom);
        text(caption);
        word(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void word(WORD w) { bytes_.push_back(BYTE(w)), bytes_.push_back(BYTE(w >> 8)); }
    void dword(DWORD d) { word(WORD(d)), word(WORD(d >> 16)); }
    void text(const wchar_t* s) {
        do word(WORD(*s)); while (*s++);
    }
    std::vector<BYTE> bytes_;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;

struct Answer {
    std::optional<std::string> password;
};

INT_PTR CALLBACK promptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SendDlgItemMessageW(dialog, kPasswordFieldId, EM_LIMITTEXT, kMaxPasswordBytes, 0);
        SetForegroundWindow(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* answer = reinterpret_cast<Answer*>(GetWindowLongPtrW(dialog, DWLP_USER));
            char text[kMaxPasswordBytes * 2 + 1] = {};
            GetDlgItemTextA(dialog, kPasswordFieldId, text, sizeof text);
            answer->password = std::string(text, strnlen(text, kMaxPasswordBytes));
            SecureZeroMemory(text, sizeof text);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&promptProc), &module);
    return module;
}

}  // namespace

std::optional<std::string> askPassword() {
    Template t;
    t.dialog(kPasswordPromptTitle, 180, 62, 4);
    t.item(SS_LEFT, 7, 9, 166, 8, 0xFFFF, kStatic, L"Password for this encrypted job:");
    t.item(ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 166, 12, kPasswordFieldId, kEdit, L"");
    t.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 69, 41, 50, 14, IDOK, kButton, L"OK");
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 123, 41, 50, 14, IDCANCEL, kButton, L"Cancel");
    Answer answer;
    INT_PTR result = DialogBoxIndirectParamW(thisModule(), t.get(), GetActiveWindow(), promptProc,
                                             reinterpret_cast<LPARAM>(&answer));
    if (result != IDOK) return std::nullopt;
    return answer.password;
}

}  // namespace wren::stand_in
