#include "ui/colour/colour_details.h"

namespace wren::ui {

bool ColourDetails::greyscale() const { return context[Feature::ZEControl].sel == 4; }

void FillFeatureList(DialogView& view, int listId, const ColourDetails& details, Feature feature) {
    view.listClear(listId);
    if (!details.context.has(feature)) return;
    const std::size_t item = details.context[feature].index;
    for (std::size_t k = 0; k < details.tree.optionCount(item); ++k)
        view.listAdd(listId, details.tree.optionName(item, k), static_cast<std::intptr_t>(k));
}

}  // namespace wren::ui
