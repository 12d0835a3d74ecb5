#include "ui/dialogs/control_ranges.h"

#include <algorithm>

namespace wren::ui {
namespace {

// Wider ranges than this walk the controls the view lists, when it lists
// them; a page has fewer, and a short range costs less looked up number by
// number.
constexpr long long kLookedUpRange = 64;

// Each control of the range in ascending order, whether the view lists its
// controls or every number of the range is looked up. The list is taken
// before the first action, and each control is looked up again when its
// turn comes: an action may destroy controls.
template <typename Action>
void forEachControl(DialogView& dialog, int first, int last, Action action) {
    std::optional<std::vector<int>> ids;
    if (static_cast<long long>(last) - first >= kLookedUpRange) ids = dialog.controlIds();
    if (ids) {
        std::sort(ids->begin(), ids->end());
        ids->erase(std::unique(ids->begin(), ids->end()), ids->end());
        for (int id : *ids)
            if (id >= first && id <= last && dialog.exists(id)) action(id);
        return;
    }
    // Counting in a wider type: a range ending at INT_MAX must still end.
    for (long long id = first; id <= last; ++id)
        if (dialog.exists(int(id))) action(int(id));
}

}  // namespace

void EnableControlRange(DialogView& dialog, int first, int last, bool enable) {
    forEachControl(dialog, first, last, [&](int id) { dialog.enable(id, enable); });
}

void RestrictControlRange(DialogView& dialog, int first, int last, bool enable) {
    forEachControl(dialog, first, last, [&](int id) { dialog.enable(id, enable && dialog.enabled(id)); });
}

void ShowControlRange(DialogView& dialog, int first, int last, bool show) {
    forEachControl(dialog, first, last, [&](int id) {
        dialog.show(id, show);
        dialog.enable(id, show);
    });
}

void DestroyControlRange(DialogView& dialog, int first, int last) {
    forEachControl(dialog, first, last, [&](int id) { dialog.destroy(id); });
}

}  // namespace wren::ui
