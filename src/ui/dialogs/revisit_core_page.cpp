#include "ui/dialogs/revisit_core_page.h"

namespace wren::ui {

bool ShouldRevisitCorePage(UiState& state) {
    if (state.corePageRevisited || state.settingsWritable || state.coreVisited || !state.pluginChanged) return false;
    state.corePageRevisited = true;
    state.coreVisited = true;
    return true;
}

void RevisitCorePage(UiState& state, PageSelector& sheet) {
    if (!ShouldRevisitCorePage(state)) return;
    const int current = sheet.currentPageIndex();
    sheet.selectPage(kCorePageIndex);
    sheet.selectPage(current);
}

}  // namespace wren::ui
