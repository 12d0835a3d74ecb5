// Checks wrenui.dll's resources under Wine (or Windows).
//
//   resource_check <dll> check              every template and string block in
//                                           all ten languages, same control ids
//   resource_check <dll> strings <lang>     the string table of one language as
//                                           UTF-8, one "id<TAB>text" line each,
//                                           \r \n \\ escaped
//   resource_check <dll> texts <id> <lang>  caption and control texts of one
//                                           template, escaped as above
//   resource_check <dll> fit-all            fit for every template in all ten
//                                           languages
//   resource_check <dll> fit <id> <lang>    creates the template, prints every
//                                           text's measure and reports
//                                           texts wider (with a margin) or
//                                           taller than their control,
//                                           characters the dialog font cannot
//                                           draw, a dialog font that is not
//                                           the one the template names, and
//                                           overlapping controls
//   resource_check <dll> shot <id> <lang> <file.bmp>
//                                           as fit, then saves a screenshot
//
// Templates are taken by language explicitly (FindResourceExW), as the
// plug-in does; the thread language would be ignored under Wine.
// Built by tests/resources/CMakeLists.txt; by hand:
//   x86_64-w64-mingw32-g++-posix -std=c++20 -municode -static -O1 -Isrc resource_check.cpp text_fit.cpp
//       -lcomctl32 -lgdi32 -lmsimg32  (one command line)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resource_text.h"
#include "text_fit.h"
#include "ui/resources/resource_ids.h"
#include "ui/colour/colour_ids.h"

namespace {

const WORD kLanguages[] = {1024, 1028, 1031, 1036, 1040, 1041, 1042, 1046, 2052, 3082};
const WORD kTemplates[] = {IDD_JOB_OPTIONS, IDD_JOB_PIN, IDD_ADVANCED, IDD_WARNING_300,
                           IDD_WARNING_301, IDD_WARNING_302, IDD_WARNING_303,
                           IDD_WATERMARK, IDD_WATERMARK_EDITOR, IDD_WATERMARK_FONT,
                           IDD_OVERLAYS, IDD_DEFINE_OVERLAYS,
                           IDD_COLOUR_PAGE, IDD_HALVANE, IDD_QUILLON, IDD_COLOUR_ADVANCED, IDD_ABOUT_DIALOG};
const WORD kStringIds[] = {6001, 6002, 6003, 6004, 7001, 7010, 8000, 8001, 8040,
                           10041, 10042, 10050, 10054, 10056,
                           // The watermark dialogs: "None", the default font,
                           // the custom-colour section, positions, sizes,
                           // styles, the seventeenth-watermark message.
                           8050, 8052, 8053, 8054, 8055, 8056, 8057, 8058, 8059, 8060,
                           8061, 8062, 8063, 8064, 8065, 8066, 8067, 8068, 8069, 8070,
                           8071, 8072, 8073, 8074, 8075, 8076, 8077, 8078, 8079, 8080, 10040,
                           // The overlay dialogs: columns, maxima, page modes,
                           // the new overlay's name, the messages and their caption.
                           8010, 8011, 8012, 8030, 8031, 8032, 8033, 8034, 8035,
                           10020, 10021, 10022, 10023, 10024, 30010,
                           // The Colour page's swatch message and its caption.
                           10060, 10061};

HMODULE g_module;

const void* findResource(LPCWSTR type, WORD id, WORD language, DWORD* size = nullptr) {
    HRSRC found = FindResourceExW(g_module, type, MAKEINTRESOURCEW(id), language);
    if (!found) return nullptr;
    if (size) *size = SizeofResource(g_module, found);
    HGLOBAL loaded = LoadResource(g_module, found);
    return loaded ? LockResource(loaded) : nullptr;
}

// --- DLGTEMPLATEEX reading -------------------------------------------------

struct Reader {
    const BYTE* p;
    WORD word() { WORD v; std::memcpy(&v, p, 2); p += 2; return v; }
    DWORD dword() { DWORD v; std::memcpy(&v, p, 4); p += 4; return v; }
    void align() { p = reinterpret_cast<const BYTE*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3)); }
    std::wstring sz_or_ord() {
        WORD first = word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(word());
        std::wstring text;
        for (WORD c = first; c != 0; c = word()) text += wchar_t(c);
        return text;
    }
};

struct ControlInfo { DWORD id; std::wstring cls; std::wstring text; };

std::vector<ControlInfo> templateControls(const void* data, std::wstring* caption = nullptr,
                                         std::wstring* fontFace = nullptr) {
    Reader r{static_cast<const BYTE*>(data)};
    r.word(); r.word();             // dlgVer, signature (0xFFFF)
    r.dword(); r.dword(); r.dword(); // helpID, exStyle, style
    WORD count = r.word();
    r.word(); r.word(); r.word(); r.word();
    r.sz_or_ord(); r.sz_or_ord();    // menu, class
    std::wstring title = r.sz_or_ord();
    if (caption) *caption = title;
    r.word(); r.word(); r.word();    // font: size, weight, italic+charset
    std::wstring face = r.sz_or_ord();
    if (fontFace) *fontFace = face;
    std::vector<ControlInfo> controls;
    for (WORD i = 0; i < count; ++i) {
        r.align();
        r.dword(); r.dword(); r.dword(); // helpID, exStyle, style
        r.word(); r.word(); r.word(); r.word();
        DWORD id = r.dword();
        std::wstring cls = r.sz_or_ord();
        std::wstring text = r.sz_or_ord();
        WORD extra = r.word();
        r.p += extra;
        controls.push_back({id, cls, text});
    }
    return controls;
}

// --- check -----------------------------------------------------------------

int checkAll() {
    int faults = 0;
    for (WORD id : kTemplates) {
        std::vector<DWORD> reference;
        for (WORD language : kLanguages) {
            const void* data = findResource(RT_DIALOG, id, language);
            if (!data) { std::printf("MISSING dialog %u language %u\n", id, language); ++faults; continue; }
            std::vector<DWORD> ids;
            for (const auto& c : templateControls(data)) {
                // The Japanese layout of the Colour page has no logo.
                if (id == IDD_COLOUR_PAGE && c.id == IDC_LOGO) continue;
                ids.push_back(c.id);
            }
            if (language == kLanguages[0]) reference = ids;
            else if (ids != reference) {
                std::printf("DIFFERENT control ids: dialog %u language %u\n", id, language);
                ++faults;
            }
        }
        std::printf("dialog %u: %zu controls, ids:", id, reference.size());
        for (DWORD c : reference) std::printf(" %d", int(c));
        std::printf("\n");
    }
    for (WORD language : kLanguages) {
        int present = 0;
        for (WORD id : kStringIds) {
            wchar_t buffer[512];
            // LoadStringW ignores the language; read the block of this language.
            DWORD size = 0;
            const WORD* block = static_cast<const WORD*>(findResource(RT_STRING, WORD(id / 16 + 1), language, &size));
            if (!block) { std::printf("MISSING string block %u language %u\n", id / 16 + 1, language); ++faults; continue; }
            for (int skip = id % 16; skip > 0; --skip) block += 1 + *block;
            if (*block == 0) { std::printf("EMPTY string %u language %u\n", id, language); ++faults; continue; }
            (void)buffer;
            ++present;
        }
        std::printf("language %u: %d of %zu strings\n", language, present, sizeof kStringIds / sizeof kStringIds[0]);
    }
    const WORD bitmaps[] = {IDB_FIT_PICTURE, IDB_LOGO, IDB_QUALITY_FINE, IDB_QUALITY_NORMAL, IDB_QUALITY_DRAFT,
                            IDB_WM_STRIP_VERTICAL, IDB_WM_STRIP_HORIZONTAL, IDB_WM_SHADOW_VERTICAL,
                            IDB_WM_SHADOW_HORIZONTAL, IDB_CL_AUTOMATIC, IDB_CL_HALVANE, IDB_CL_QUILLON,
                            IDB_CL_NO_MATCHING, IDB_CL_GREYSCALE, IDB_QL_INPUT, IDB_QL_SIMULATION, IDB_QL_LINK,
                            IDB_ABOUT, IDB_HV_COLOUR, IDB_HV_GREYSCALE};
    for (WORD id : bitmaps) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(g_module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        BITMAP info{};
        if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) { std::printf("MISSING bitmap %u\n", id); ++faults; continue; }
        std::printf("bitmap %u: %ldx%ld %u-bit\n", id, info.bmWidth, info.bmHeight, info.bmBitsPixel);
        DeleteObject(bitmap);
    }
    // The watermark preview recolours palette entry 253 of its strips and
    // treats it as transparent in the shadow: the pictures must keep their
    // size, 8 bits and a magenta entry 253.
    const struct { WORD id; LONG width, height; } preview[] = {
        {IDB_WM_STRIP_VERTICAL, 4, 180}, {IDB_WM_STRIP_HORIZONTAL, 180, 4},
        {IDB_WM_SHADOW_VERTICAL, 2, 193}, {IDB_WM_SHADOW_HORIZONTAL, 193, 2}};
    for (const auto& want : preview) {
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(g_module, MAKEINTRESOURCEW(want.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        BITMAP info{};
        RGBQUAD entry{};
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = bitmap && dc ? SelectObject(dc, bitmap) : nullptr;
        const bool read = old && GetDIBColorTable(dc, 253, 1, &entry) == 1;
        if (old) SelectObject(dc, old);
        if (dc) DeleteDC(dc);
        if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || info.bmWidth != want.width ||
            info.bmHeight != want.height || info.bmBitsPixel != 8 || !read || entry.rgbRed != 255 ||
            entry.rgbGreen != 0 || entry.rgbBlue != 255) {
            std::printf("WRONG preview bitmap %u: %ldx%ld %u-bit, entry 253 %u,%u,%u\n", want.id, info.bmWidth,
                        info.bmHeight, info.bmBitsPixel, entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
            ++faults;
        }
        if (bitmap) DeleteObject(bitmap);
    }
    const WORD icons[] = {IDI_WARNING_SIGN, IDI_SPECIAL_NONE, IDI_SPECIAL_MIRROR, IDI_SPECIAL_NEGATIVE, IDI_SPECIAL_BOTH};
    for (WORD id : icons) {
        HICON icon = LoadIconW(g_module, MAKEINTRESOURCEW(id));
        if (!icon) { std::printf("MISSING icon %u\n", id); ++faults; continue; }
        std::printf("icon %u: loaded\n", id);
    }
    std::printf(faults ? "FAULTS %d\n" : "OK\n", faults);
    return faults ? 1 : 0;
}

int dumpStrings(WORD language) {
    for (WORD blockId = 1; blockId < 4096; ++blockId) {
        DWORD size = 0;
        const WORD* p = static_cast<const WORD*>(findResource(RT_STRING, blockId, language, &size));
        if (!p) continue;
        for (int i = 0; i < 16; ++i) {
            WORD length = *p++;
            if (length) std::printf("%u\t%s\n", (blockId - 1) * 16 + i, escaped(std::wstring(reinterpret_cast<const wchar_t*>(p), length)).c_str());
            p += length;
        }
    }
    return 0;
}

int dumpTexts(WORD id, WORD language) {
    const void* data = findResource(RT_DIALOG, id, language);
    if (!data) { std::printf("MISSING dialog %u language %u\n", id, language); return 1; }
    std::wstring caption;
    auto controls = templateControls(data, &caption);
    std::printf("caption\t%s\n", escaped(caption).c_str());
    for (const auto& c : controls) std::printf("%d\t%s\n", int(c.id), escaped(c.text).c_str());
    return 0;
}

// --- fit and shot ----------------------------------------------------------

void drawFramedDib(HDC dc, HWND dialog, int placeholder, WORD resource) {
    RECT r; GetWindowRect(GetDlgItem(dialog, placeholder), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(g_module, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info; GetObjectW(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, r.left + 2, r.top + 2, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old); DeleteDC(memory); DeleteObject(bitmap);
    RECT frame{r.left, r.top, r.left + info.bmWidth + 4, r.top + info.bmHeight + 4};
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
}

void drawTransparent(HDC dc, HWND dialog, int placeholder, WORD resource) {
    RECT r; GetWindowRect(GetDlgItem(dialog, placeholder), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(g_module, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info; GetObjectW(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    TransparentBlt(dc, r.left, r.top, info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth, info.bmHeight, RGB(255, 0, 255));
    SelectObject(memory, old); DeleteDC(memory); DeleteObject(bitmap);
}

void fillSample(HWND dialog) {
    auto add = [&](int id, const wchar_t* text) { SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, LPARAM(text)); SendDlgItemMessageW(dialog, id, CB_SETCURSEL, 0, 0); };
    add(IDC_TONER_LIST, L"Off"); add(IDC_GAMMA_LIST, L"Photo"); add(IDC_FIT_LIST, L"A4");
    SetDlgItemTextW(dialog, IDC_SCALE_RANGE, L"( 1-1000 % )");
    SetDlgItemTextW(dialog, IDC_FIT_DOCUMENT_PAPER, L"Letter");
    SetDlgItemTextW(dialog, IDC_LINK_TEXT, L"www.example.com");
    SendDlgItemMessageW(dialog, IDC_COPIES_UPDOWN, UDM_SETRANGE32, 1, 999);
    SendDlgItemMessageW(dialog, IDC_COPIES_UPDOWN, UDM_SETPOS32, 0, 1);
    SendDlgItemMessageW(dialog, IDC_SCALE_UPDOWN, UDM_SETRANGE32, 25, 400);
    SendDlgItemMessageW(dialog, IDC_SCALE_UPDOWN, UDM_SETPOS32, 0, 100);
    CheckDlgButton(dialog, IDC_QUALITY_NORMAL, BST_CHECKED);
    CheckDlgButton(dialog, IDC_JOBTYPE_NORMAL, BST_CHECKED);
    CheckDlgButton(dialog, IDC_ADV_FINE_LINES, BST_CHECKED);
    CheckDlgButton(dialog, IDC_WARN_SHOW_AGAIN, BST_CHECKED);
    HICON warning = LoadIconW(g_module, MAKEINTRESOURCEW(IDI_WARNING_SIGN));
    SendDlgItemMessageW(dialog, IDC_WARN_ICON, STM_SETICON, WPARAM(warning), 0);
}

INT_PTR CALLBACK sampleProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) { fillSample(dialog); return TRUE; }
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        HDC dc = GetDC(dialog);
        if (item->CtlID == IDC_QUALITY_PICTURE) drawFramedDib(dc, dialog, IDC_QUALITY_PICTURE, IDB_QUALITY_NORMAL);
        if (item->CtlID == IDC_FIT_PICTURE) drawTransparent(dc, dialog, IDC_FIT_PICTURE, IDB_FIT_PICTURE);
        if (item->CtlID == IDC_LOGO) drawTransparent(dc, dialog, IDC_LOGO, IDB_LOGO);
        ReleaseDC(dialog, dc);
        return TRUE;
    }
    return FALSE;
}

void pump(int milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) { TranslateMessage(&message); DispatchMessageW(&message); }
        Sleep(10);
    }
}

bool saveScreen(HWND window, const char* path) {
    RECT r; GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD rowSize = (w * 3 + 3) & ~3u, imageSize = rowSize * h;
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize), 0, 0,
                          DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    info.bmiHeader.biSizeImage = imageSize;
    FILE* out = std::fopen(path, "wb");
    bool ok = out && std::fwrite(&file, sizeof file, 1, out) && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) &&
              std::fwrite(bits, imageSize, 1, out);
    if (out) std::fclose(out);
    SelectObject(memory, old); DeleteDC(memory); DeleteObject(dib); ReleaseDC(nullptr, screen);
    return ok;
}

// Controls that share a place, of which the dialog shows one set at a time:
// the template is measured once per set, with the other sets hidden.
struct ShownSet {
    WORD dialog;
    std::vector<int> hidden;
};
const ShownSet kShownSets[] = {
    // Quillon Details, method 0 with a link profile: the CMYK lists.
    {IDD_QUILLON, {IDC_QL_SIM_LABEL, IDC_QL_SIMULATION, IDC_QL_PICTURE_SIM, IDC_QL_PICTURE_RGB}},
    // Quillon Details, method 1: the simulation target.
    {IDD_QUILLON, {IDC_QL_CMYK_INPUT, IDC_QL_USE_INPUT, IDC_QL_USE_LINK, IDC_QL_CMYK_LINK, IDC_QL_PICTURE_INPUT,
                   IDC_QL_PICTURE_LINK}},
};

int reportFitOfEachSet(WORD id, HWND page, const std::wstring& face, bool verbose) {
    int faults = 0;
    bool measured = false;
    for (const auto& set : kShownSets) {
        if (set.dialog != id) continue;
        for (int control : set.hidden) ShowWindow(GetDlgItem(page, control), SW_HIDE);
        faults += reportFit(page, face, verbose);
        for (int control : set.hidden) ShowWindow(GetDlgItem(page, control), SW_SHOWNA);
        measured = true;
    }
    return measured ? faults : reportFit(page, face, verbose);
}

int showTemplate(WORD id, WORD language, const char* shotPath, bool verbose = false) {
    DWORD size = 0;
    const void* data = findResource(RT_DIALOG, id, language, &size);
    if (!data) { std::printf("MISSING dialog %u language %u\n", id, language); return 1; }
    HWND window = nullptr, page = nullptr;
    if (id == IDD_JOB_OPTIONS || id == IDD_COLOUR_PAGE) {
        // A one-page modeless sheet: the page as the core driver's sheet shows it.
        PROPSHEETPAGEW sheetPage{};
        sheetPage.dwSize = sizeof sheetPage;
        sheetPage.dwFlags = PSP_DLGINDIRECT;
        sheetPage.hInstance = g_module;
        sheetPage.pResource = static_cast<LPCDLGTEMPLATEW>(data);
        sheetPage.pfnDlgProc = sampleProc;
        HPROPSHEETPAGE pages[] = {CreatePropertySheetPageW(&sheetPage)};
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
        header.pszCaption = L"Document Properties";
        header.nPages = 1;
        header.phpage = pages;
        window = reinterpret_cast<HWND>(PropertySheetW(&header));
        page = window ? PropSheet_GetCurrentPageHwnd(window) : nullptr;
    } else {
        window = page = CreateDialogIndirectParamW(g_module, static_cast<LPCDLGTEMPLATEW>(data), nullptr, sampleProc, 0);
    }
    if (!window || !page) { std::printf("CREATE FAILED dialog %u language %u (error %lu)\n", id, language, GetLastError()); return 1; }
    // Shown only for a screenshot: measuring needs no window on screen, and
    // showing and hiding one costs Wine seconds on a display without a
    // window manager.
    if (shotPath) {
        SetWindowPos(window, HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        pump(400);
    }
    std::wstring face;
    templateControls(data, nullptr, &face);
    int faults = reportFitOfEachSet(id, page, face, verbose);
    std::printf("dialog %u language %u: %d layout faults\n", id, language, faults);
    if (shotPath && !saveScreen(window, shotPath)) { std::printf("SHOT FAILED\n"); faults++; }
    DestroyWindow(window);
    return faults ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) { std::printf("usage: resource_check <dll> check|strings|fit|shot ...\n"); return 2; }
    g_module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_module) { std::printf("cannot load %s (error %lu)\n", utf8(argv[1]).c_str(), GetLastError()); return 2; }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    std::wstring command = argv[2];
    if (command == L"check") return checkAll();
    if (command == L"strings" && argc >= 4) return dumpStrings(WORD(_wtoi(argv[3])));
    if (command == L"texts" && argc >= 5) return dumpTexts(WORD(_wtoi(argv[3])), WORD(_wtoi(argv[4])));
    if (command == L"fit-all") {
        // All ten languages: the test prefix links a CJK font to the dialog
        // font (tools/wine-env.sh), and a text it cannot draw is a fault.
        int failed = 0;
        for (WORD id : kTemplates)
            for (WORD language : kLanguages) failed += showTemplate(id, language, nullptr);
        return failed ? 1 : 0;
    }
    if ((command == L"fit" || command == L"shot") && argc >= 5) {
        std::string shot = command == L"shot" && argc >= 6 ? utf8(argv[5]) : std::string();
        return showTemplate(WORD(_wtoi(argv[3])), WORD(_wtoi(argv[4])), shot.empty() ? nullptr : shot.c_str(),
                            command == L"fit");
    }
    std::printf("bad arguments\n");
    return 2;
}
