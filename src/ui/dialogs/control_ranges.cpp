#include "ui/dialogs/control_ranges.h"

namespace wren::ui {
namespace {

template <typename Action>
void forEachControl(DialogView& dialog, int first, int last, Action action) {
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
