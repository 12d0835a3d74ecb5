// What the Colour page's three detail dialogs share: the sheet's working
// options, the core driver's items (for the option names of the lists),
// whether the user may change the settings, and the page's Apply button.
#pragma once

#include <functional>

#include "ui/dialogs/dialog_view.h"
#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"

namespace wren::ui {

struct ColourDetails {
    SheetContext& context;
    OptionTree& tree;
    bool noPermission = false;
    std::function<void()> markPageChanged;

    bool greyscale() const;
    void pageChanged() const {
        if (markPageChanged) markPageChanged();
    }
};

// The display names of the feature's options, in order, so that a list
// position is the option index; the list stays empty without the feature.
void FillFeatureList(DialogView& view, int listId, const ColourDetails& details, Feature feature);

}  // namespace wren::ui
