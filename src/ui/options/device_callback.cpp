#include "ui/options/device_callback.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "ui/features/write_back.h"
#include "ui/options/installed_option_rules.h"

namespace wren::ui {
namespace {

using D = DeviceFeature;

// The job-limit option the item returns to: off.
constexpr std::int32_t kJobLimitOff = 1;

std::vector<std::u16string> memoryOptionNames(const DeviceContext& context, const OptionTree& tree) {
    std::vector<std::u16string> names;
    if (!context.has(D::InstalledMemory)) return names;
    const std::size_t item = context[D::InstalledMemory].index;
    if (item >= tree.size()) return names;
    for (std::size_t i = 0; i < tree.optionCount(item); ++i) names.push_back(tree.optionName(item, i));
    return names;
}

std::int32_t jobLimitChanged(const DeviceCallbackCall& call, DeviceContext& context, OptionTree& tree) {
    // On an older system, a sheet whose standard pages were asked away
    // lets the user choose.
    if (call.standardUiAsked && !call.newerOs) return kActionNone;
    if (context.has(D::ZEJobLimit)) {
        std::int32_t off = kJobLimitOff;
        SetCoreItemSelection(tree, context[D::ZEJobLimit].index, off, kPrinterMode);
    }
    return kActionOptionsChanged;
}

// The selections' positions whose items the tree holds, in the order of the
// tree's items: the core driver resolves its constraints at every update,
// so the updates must come as the tree lists its items.
std::vector<std::size_t> positionsInTreeOrder(const DeviceContext& context, const OptionTree& tree) {
    std::vector<std::size_t> positions;
    const auto rules = InstalledOptionRules();
    for (std::size_t position = 0; position < rules.size(); ++position) {
        const FeatureSlot& slot = context[rules[position].item];
        if (slot.present() && slot.index < tree.size()) positions.push_back(position);
    }
    std::sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
        return context[rules[a].item].index < context[rules[b].item].index;
    });
    return positions;
}

}  // namespace

void ApplyOptionSelections(const InstalledOptions& options, DeviceContext& context, OptionTree& tree, bool newerOs) {
    const std::vector<std::u16string> names = memoryOptionNames(context, tree);
    const OptionSelections selections = SelectionsFor(options, names, newerOs);
    for (std::size_t position : positionsInTreeOrder(context, tree)) {
        FeatureSlot& slot = context[InstalledOptionRules()[position].item];
        if (!selections[position]) continue;
        std::int32_t value = *selections[position];
        // An option the item does not have would point the core driver past
        // its option array.
        if (value < 0 || static_cast<std::size_t>(value) >= tree.optionCount(slot.index)) continue;
        SetCoreItemSelection(tree, slot.index, value, kPrinterMode);
        slot.sel = value;
    }
}

std::int32_t RunDeviceCallback(const DeviceCallbackCall& call, QueryButton& button, DeviceContext& context,
                               OptionTree& tree, DeviceCallbackServices& services, DeviceCallbackState& state) {
    switch (call.reason) {
    case kReasonSelChanged:
        if (call.currentUserItemId == kQueryButtonUserItemId) {
            if (const std::optional<InstalledOptions> options = services.queryFromButton())
                ApplyOptionSelections(*options, context, tree, call.newerOs);
            return kActionOptionsChanged;
        }
        if (call.currentUserItemId == kJobLimitUserItemId) return jobLimitChanged(call, context, tree);
        return kActionNone;
    case kReasonApplyNow:
        state.applyPending = true;
        services.storeButtonValue(static_cast<std::uint32_t>(button.sel));
        return kActionNone;
    case kReasonOptItemSetFocus:
        if (call.currentUserItemId != kQueryButtonUserItemId) return kActionNone;
        if (services.portIsQueryable()) button.flags &= ~kItemDisabled;
        else button.flags |= kItemDisabled;
        button.flags |= kItemChanged;
        return kActionNone;
    case kReasonSetActive: {
        std::int32_t action = kActionNone;
        if (!state.applyPending && call.newerOs) {
            if (const std::optional<InstalledOptions> options = services.queryOnActivation()) {
                ApplyOptionSelections(*options, context, tree, call.newerOs);
                action = kActionOptionsChanged;
            }
        }
        state.applyPending = false;
        return action;
    }
    default:
        return kActionNone;
    }
}

}  // namespace wren::ui
