// Measures a created dialog's texts against their controls. See text_fit.h.
#include "text_fit.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "resource_text.h"

namespace {

// Pixels a text must leave free in its control beyond the box or frame the
// control keeps for itself. Wine measures with its own Tahoma and a linked
// fallback font for CJK; Windows draws the same texts with Microsoft's
// Tahoma and the language's own CJK font (MS UI Gothic, Gulim, SimSun,
// PMingLiU), whose advances differ by a pixel here and there over a label,
// and ClearType rounds every glyph's advance on its own. The Italian CMYK
// link radio button, which Wine's fallback font measured as fitting, was cut
// by about 4 px on Windows; 4 px absorbs that difference on the label
// lengths of these dialogs (up to about 200 px) without asking for room no
// font needs.
constexpr int kFitMarginPixels = 4;

bool isClass(HWND control, const wchar_t* name) {
    wchar_t cls[32];
    GetClassNameW(control, cls, 32);
    return lstrcmpiW(cls, name) == 0;
}

// Space a button-class control keeps for its box or frame.
int reservedWidth(HWND control, LONG style) {
    if (!isClass(control, L"Button")) return 0;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE:
        return GetSystemMetrics(SM_CXMENUCHECK) + 4;
    case BS_GROUPBOX: return 16;
    default: return 6;  // 2-pixel edge and 1 pixel of air on each side
    }
}

// Characters that CJK fonts draw a full em wide: Hangul Jamo, the CJK,
// Kana and Bopomofo blocks up to the Hangul syllables, the compatibility
// ideographs and the full-width forms.
bool isFullWidth(wchar_t c) {
    return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF01 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// A font with no glyph for a character, and no linked font that has one,
// draws its narrow missing-glyph box: such a text's width means nothing.
// A full-width character narrower than three quarters of the em is one.
std::wstring missingGlyphs(HDC dc, const wchar_t* text, int length) {
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const LONG em = metrics.tmHeight - metrics.tmInternalLeading;
    std::wstring missing;
    for (int i = 0; i < length; ++i) {
        SIZE size{};
        if (!isFullWidth(text[i]) || missing.find(text[i]) != std::wstring::npos) continue;
        if (GetTextExtentPoint32W(dc, &text[i], 1, &size) && size.cx * 4 < em * 3) missing += text[i];
    }
    return missing;
}

std::wstring fontSubstitute(const std::wstring& face) {
    wchar_t value[LF_FACESIZE] = L"";
    DWORD size = sizeof value;
    RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                 face.c_str(), RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

// The family of the font file GDI actually chose: GetTextFaceW repeats the
// requested name even when Wine fell back to another font.
std::wstring chosenFamily(HDC dc) {
    UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size == 0) return L"(a bitmap font)";
    std::vector<BYTE> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (!GetOutlineTextMetricsW(dc, size, metrics)) return L"(unknown)";
    return reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<ULONG_PTR>(metrics->otmpFamilyName));
}

// The dialog must be measured in the font its template names, or the face
// that name stands for (DS_SHELLFONT turns "MS Shell Dlg" into "MS Shell
// Dlg 2"): a prefix without that font gives a fallback font, other widths.
int reportDialogFont(HWND dialog, const std::wstring& templateFace) {
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    const std::wstring family = chosenFamily(dc);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    std::vector<std::wstring> accepted{templateFace, fontSubstitute(templateFace)};
    if (lstrcmpiW(templateFace.c_str(), L"MS Shell Dlg") == 0) {
        accepted.push_back(L"MS Shell Dlg 2");
        accepted.push_back(fontSubstitute(L"MS Shell Dlg 2"));
    }
    for (const auto& face : accepted)
        if (!face.empty() && lstrcmpiW(face.c_str(), family.c_str()) == 0) return 0;
    std::printf("FONT the template names %s, the dialog got %s (the prefix lacks the font: see wine_add_dialog_fonts)\n",
                escaped(templateFace).c_str(), escaped(family).c_str());
    return 1;
}

// Whether the control shows a text of its own that can be measured.
bool hasMeasurableText(HWND control, LONG style) {
    if (isClass(control, L"Button")) return (style & BS_TYPEMASK) != BS_OWNERDRAW;
    return isClass(control, L"Static") && (style & SS_TYPEMASK) <= SS_RIGHT;
}

int reportText(HWND control, bool verbose) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    wchar_t text[1024];
    const int length = GetWindowTextW(control, text, 1024);
    if (length == 0 || !hasMeasurableText(control, style)) return 0;
    const int id = GetDlgCtrlID(control);
    const bool group = isClass(control, L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX;
    const bool wraps = isClass(control, L"Static") || (style & BS_MULTILINE);
    RECT client;
    GetClientRect(control, &client);
    const int available = client.right - reservedWidth(control, style) - kFitMarginPixels;
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring missing = missingGlyphs(dc, text, length);
    RECT need{0, 0, available, 0};
    DrawTextW(dc, text, length, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (verbose)
        std::printf("id %d: needs %ldx%ld, has %dx%ld beside a %d px margin: %s\n", id, need.right, need.bottom,
                    available, client.bottom, kFitMarginPixels, escaped(text).c_str());
    int faults = 0;
    if (!missing.empty()) {
        std::printf("NO GLYPH id %d: the dialog font draws boxes for %s\n", id, escaped(missing).c_str());
        ++faults;
    }
    if (need.right > available || (!group && need.bottom > client.bottom)) {
        std::printf("OVERFLOW id %d: needs %ldx%ld, has %dx%ld beside a %d px margin: %s\n", id, need.right,
                    need.bottom, available, client.bottom, kFitMarginPixels, escaped(text).c_str());
        ++faults;
    }
    return faults;
}

// An up-down with UDS_ALIGNRIGHT sits on its buddy's right edge.
bool isBuddyPair(HWND upDown, HWND other) {
    return isClass(upDown, UPDOWN_CLASSW) && HWND(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)) == other;
}

int reportOverlaps(const std::vector<std::pair<HWND, RECT>>& boxes) {
    int faults = 0;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            RECT overlap;
            const bool pair = isBuddyPair(boxes[i].first, boxes[j].first) || isBuddyPair(boxes[j].first, boxes[i].first);
            if (!pair && IntersectRect(&overlap, &boxes[i].second, &boxes[j].second)) {
                std::printf("OVERLAP ids %d and %d\n", GetDlgCtrlID(boxes[i].first), GetDlgCtrlID(boxes[j].first));
                ++faults;
            }
        }
    return faults;
}

}  // namespace

int reportFit(HWND dialog, const std::wstring& templateFace, bool verbose) {
    int faults = reportDialogFont(dialog, templateFace);
    std::vector<std::pair<HWND, RECT>> boxes;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // The dialog itself is never shown: its children's own style tells
        // which ones it shows.
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        RECT window;
        GetWindowRect(child, &window);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&window), 2);
        if (!(isClass(child, L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX)) boxes.push_back({child, window});
        faults += reportText(child, verbose);
    }
    return faults + reportOverlaps(boxes);
}
