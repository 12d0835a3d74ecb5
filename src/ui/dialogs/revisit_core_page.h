// When the user may not write the printer's settings, the core driver's
// page must be visited once before the sheet is applied, so that it takes
// in the selections the plug-in pages wrote back. The plug-in pages do that
// for the user when they are left, once per process.
#pragma once

#include "ui/dialogs/ui_state.h"

namespace wren::ui {

// The sheet operations the revisit needs (PSM_GETCURRENTPAGEHWND with
// PSM_HWNDTOINDEX, and PSM_SETCURSEL).
class PageSelector {
public:
    virtual ~PageSelector() = default;
    virtual int currentPageIndex() = 0;
    virtual void selectPage(int index) = 0;
};

inline constexpr int kCorePageIndex = 2;

// The decision alone: true (and the flags noted, so it never repeats) when
// settings are not writable, the core page was not visited yet and a
// plug-in page changed something.
bool ShouldRevisitCorePage(UiState& state);

// The decision and the visit: the core page, then the current page again.
void RevisitCorePage(UiState& state, PageSelector& sheet);

}  // namespace wren::ui
