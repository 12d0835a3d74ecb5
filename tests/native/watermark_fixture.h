// The watermark dialogs' surroundings for the native tests: the plug-in INI
// file and the watermark font file in an in-memory profile, the string
// table, and fake views for the list, the editor and the font dialog, with
// nested dialogs run by a test's script.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "fake_dialog_view.h"
#include "fakes.h"
#include "ui/pages/control_events.h"
#include "ui/watermark/watermark_editor.h"
#include "ui/watermark/watermark_font_dialog.h"
#include "ui/watermark/watermark_ids.h"
#include "ui/watermark/watermark_list.h"
#include "ui/watermark/watermark_list_dialog.h"

namespace wren::test {

using namespace wren::ui;

inline const std::u16string kWmIni = u"C:\\drivers\\3\\wren.ini";
inline const std::u16string kWmFontFile = u"C:\\drivers\\3\\wmfont.ini";

// Two Western fonts, then Japanese ones from "DefaultNo" = 3 on.
inline constexpr const char* kWmFontText =
    "[PrinterFont]\n"
    "DefaultNo=3\n"
    "1=Times-Roman,Times-Italic,Times-Bold,Times-BoldItalic,Times New Roman\n"
    "2=Helvetica,Helvetica-Oblique,Helvetica-Bold,Helvetica-BoldOblique,Arial\n"
    "3=\xE6\x98\x8E\xE6\x9C\x9D,MS Mincho,Ryumin-Light-90ms-RKSJ-H,\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n"
    "4=\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF,MS Gothic,GothicBBB-Medium-90ms-RKSJ-H,"
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n";

inline FakeStrings WatermarkStrings() {
    FakeStrings s{{wm::kStringNone, u"None"},
                  {wm::kStringDefaultFontName, u"HeiseiMin-W3-90ms-RKSJ-H"},
                  {wm::kStringCustomColourSection, u"Custom Color"},
                  {wm::kStringTooMany, u"A maximum number of 16 watermarks can be saved."},
                  {wm::kStringWarning, u"Warning"}};
    const char16_t* positions[] = {u"Upper Left", u"Upper Center", u"Upper Right", u"Center",
                                   u"Lower Left", u"Lower Center", u"Lower Right"};
    for (int i = 0; i < 7; ++i) s.texts[wm::kStringFirstPosition + i] = positions[i];
    const char16_t* sizes[] = {u"8", u"9", u"10", u"11", u"12", u"14", u"16", u"18",
                               u"20", u"22", u"24", u"26", u"28", u"36", u"48", u"72"};
    for (int i = 0; i < 16; ++i) s.texts[wm::kStringFirstSize + i] = sizes[i];
    const char16_t* styles[] = {u"Regular", u"Italic", u"Bold", u"Bold Italic"};
    for (int i = 0; i < 4; ++i) s.texts[wm::kStringFirstStyle + i] = styles[i];
    return s;
}

inline std::unique_ptr<FakeDialogView> ListView() {
    auto v = std::make_unique<FakeDialogView>();
    v->add(wm::kEntryList, ControlKind::Combo);
    for (int id : {wm::kNewButton, wm::kEditButton, wm::kDeleteButton, 1, 2}) v->add(id, ControlKind::Button);
    v->add(wm::kPreview, ControlKind::Picture);
    v->add(wm::kFirstPageOnlyBox, ControlKind::Check);
    v->add(wm::kBackgroundBox, ControlKind::Check);
    return v;
}

inline std::unique_ptr<FakeDialogView> EditorView() {
    auto v = std::make_unique<FakeDialogView>();
    for (int id : {wm::kTextEdit, wm::kSizeEdit, wm::kAngleEdit}) v->add(id);
    for (int id : {wm::kSizeScroll, wm::kAngleScroll}) v->add(id, ControlKind::Static);
    v->buddy(wm::kOffsetXUpDown, wm::kOffsetXEdit);
    v->buddy(wm::kOffsetYUpDown, wm::kOffsetYEdit);
    v->addRange(wm::kBorderNone, wm::kBorderDoubleFrame, ControlKind::Radio);
    v->add(wm::kPositionList, ControlKind::Combo);
    for (int id : {wm::kFontButton, wm::kColourButton, 1, 2}) v->add(id, ControlKind::Button);
    v->add(wm::kPreview, ControlKind::Picture);
    return v;
}

inline std::unique_ptr<FakeDialogView> FontView() {
    auto v = std::make_unique<FakeDialogView>();
    for (int id : {wm::kFontList, wm::kStyleList, wm::kSizeList}) v->add(id, ControlKind::Combo);
    for (int id : {wm::kFontEdit, wm::kStyleEdit, wm::kFontSizeEdit}) v->add(id);
    for (int id : {1, 2}) v->add(id, ControlKind::Button);
    return v;
}

// Types into an edit as a user would: the text changes, then the edit
// reports its update and change.
template <typename Controller>
void Type(FakeDialogView& view, Controller& c, int id, std::u16string_view text) {
    view.setText(id, text);
    c.command(id, kEditUpdate);
    c.command(id, kEditChange);
}

struct WatermarkFixture {
    FakeProfile profile;
    FakeStrings strings = WatermarkStrings();
    WatermarkList list;
    CustomColourTable colours = InitialCustomColours();
    PrivateRecord record{};
    // What the nested editor and font dialogs do: the test's script gets the
    // fresh view and controller and ends the dialog; by default Cancel.
    std::function<void(FakeDialogView&, WatermarkEditor&)> editorScript;
    std::function<void(FakeDialogView&, WatermarkFontDialog&)> fontScript;
    std::vector<int> dialogsRun;
    std::unique_ptr<FakeDialogView> lastEditorView;

    WatermarkEnvironment env{profile, strings, list, colours, kWmIni, kWmFontFile, 1033,
                             [this](int id) { return runNested(id); }};

    WatermarkFixture() { profile.addFile(kWmFontFile, kWmFontText); }

    void setIni(std::string_view text) { profile.addFile(kWmIni, text); }

    int runNested(int id) {
        dialogsRun.push_back(id);
        if (id == wm::kEditorDialog) {
            lastEditorView = EditorView();
            WatermarkEditor editor(env, *lastEditorView);
            editor.initialize();
            if (editorScript) editorScript(*lastEditorView, editor);
            else editor.command(2, 0);
            return lastEditorView->endResult.value_or(0);
        }
        if (id == wm::kFontDialog) {
            auto view = FontView();
            WatermarkFontDialog dialog(env, *view);
            dialog.initialize();
            if (fontScript) fontScript(*view, dialog);
            else dialog.command(2, 0);
            return view->endResult.value_or(0);
        }
        return 0;
    }
};

}  // namespace wren::test
