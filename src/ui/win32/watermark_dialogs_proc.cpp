// The list ("Watermarks", 112) that the Job Options page opens, the editor
// ("Watermark", 114) that the list opens and its font chooser ("Font",
// 115): the session of one opening, and thin procedures over the portable
// controllers.
#include <type_traits>

#include "platform/win32/win32_ports.h"
#include "ui/watermark/watermark_editor.h"
#include "ui/watermark/watermark_font_dialog.h"
#include "ui/watermark/watermark_ids.h"
#include "ui/watermark/watermark_list_dialog.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/watermark_dialog_proc.h"
#include "ui/win32/page_shell.h"
#include "ui/win32/watermark_preview_draw.h"

namespace wren::ui {
namespace {

std::u16string documentFormName(const DocumentSheet& sheet) {
    const DEVMODEW* dm = sheet.cuiParam ? sheet.cuiParam->pPublicDM : nullptr;
    if (!dm || !(dm->dmFields & DM_FORMNAME)) return {};
    std::u16string name;
    for (std::size_t i = 0; i < CCHFORMNAME && dm->dmFormName[i]; ++i) name.push_back(char16_t(dm->dmFormName[i]));
    return name;
}

// Each dialog is owned by the one in front of the session and hands the
// front back when it ends; the list and the editor draw the preview box.
template <typename Controller>
int runInSession(WatermarkSession& session, int templateId) {
    HWND owner = session.front;
    ModalDialog<Controller> dialog(
        session.state, [&session](DialogView& view) {
            if constexpr (std::is_same_v<Controller, WatermarkListDialog>)
                return std::make_unique<Controller>(session.env, view, session.record);
            else
                return std::make_unique<Controller>(session.env, view);
        },
        {.prepare = [&session](HWND dialog) { session.front = dialog; },
         .drawItem = [&session](const DRAWITEMSTRUCT& item) {
             if (item.CtlID != static_cast<UINT>(wm::kPreview)) return false;
             DrawSessionPreview(item, session);
             return true;
         }});
    const int result = dialog.run(templateId, owner);
    session.front = owner;
    return result;
}

}  // namespace

void DrawSessionPreview(const DRAWITEMSTRUCT& item, const WatermarkSession& session) {
    const WatermarkRecord& working = session.env.list.working;
    drawWatermarkPreview(item, uiModule().module, working, WatermarkPreviewPaper{session.formName, session.orientation},
                         session.env.fonts().entry(working.fontIndex));
}

int RunWatermarkListDialog(HWND owner, PageShell& page) {
    PageServices& s = page.services();
    SheetContext& context = page.sheet().context;
    page.takeDocumentFacts();  // the paper may have changed on another page
    WatermarkSession session{
        WatermarkEnvironment{s.profile, s.strings, context.watermarks, s.state.customColours, context.pluginIni,
                             WatermarkFontFilePath(s.profile, s.config, context.pluginIni), s.threadLocale, {}},
        s.record, s.state, documentFormName(page.sheet()), page.services().document.orientation, owner};
    session.env.runDialog = [&session](int templateId) {
        switch (templateId) {
        case wm::kEditorDialog: return RunWatermarkEditorDialog(session);
        case wm::kFontDialog: return RunWatermarkFontDialog(session);
        default: return 0;
        }
    };
    return runInSession<WatermarkListDialog>(session, wm::kListDialog);
}

int RunWatermarkEditorDialog(WatermarkSession& session) {
    return runInSession<WatermarkEditor>(session, wm::kEditorDialog);
}

int RunWatermarkFontDialog(WatermarkSession& session) {
    return runInSession<WatermarkFontDialog>(session, wm::kFontDialog);
}

}  // namespace wren::ui
