// What the two overlay dialogs reach beyond their controls, for one opening
// of the Overlays dialog: the sheet's store session and the list it loaded,
// the core driver's items (the overlay mode), the settings record (the
// active overlays), and the overlay that Define Overlays works on.
#pragma once

#include <cstddef>
#include <functional>

#include "common/overlay/overlay_session.h"
#include "common/settings/private_record.h"
#include "ui/dialogs/ui_state.h"
#include "ui/dialogs/ui_strings.h"
#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"

namespace wren::ui {

struct OverlayEnvironment {
    const UiStrings& strings;
    SheetContext& context;
    OptionTree& tree;
    PrivateRecord& record;
    UiState& state;
    overlay::OverlaySession& session;
    // The core driver forbids changing the document's settings.
    bool noPermission = false;
    // Runs Define Overlays on this environment; its result.
    std::function<int(int templateId)> runDialog = {};
    // The Job Options page's Apply button.
    std::function<void()> markPageChanged = {};

    // Set while the Overlays dialog is open.
    overlay::OverlayList* list = nullptr;
    // The overlay Define Overlays edits, and its number (the defined count
    // for a new one): OK takes it into the list, Cancel drops it.
    overlay::OverlayRecord editing = {};
    std::size_t editedNumber = 0;

    int run(int templateId) const { return runDialog ? runDialog(templateId) : 0; }
    void changed() const {
        if (markPageChanged) markPageChanged();
    }
};

}  // namespace wren::ui
