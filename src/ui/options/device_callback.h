// The printer tree's callback: the query button, the job-limit item that
// snaps back, Apply, the button's focus and the page's activation. The
// decisions are here; the platform side hands over the reason, the current
// item and what the sheet can do.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/features/option_tree.h"
#include "ui/features/sheet_context.h"
#include "ui/options/installed_options.h"

namespace wren::ui {

// CPSUICB_REASON_* codes the callback tells apart.
inline constexpr std::uint32_t kReasonSelChanged = 0;
inline constexpr std::uint32_t kReasonApplyNow = 6;
inline constexpr std::uint32_t kReasonOptItemSetFocus = 7;
inline constexpr std::uint32_t kReasonSetActive = 10;

// CPSUICB_ACTION_*.
inline constexpr std::int32_t kActionNone = 0;
inline constexpr std::int32_t kActionOptionsChanged = 1;

inline constexpr std::uint8_t kQueryButtonUserItemId = 2;
inline constexpr std::uint8_t kJobLimitUserItemId = 11;
inline constexpr std::uint32_t kItemDisabled = 0x0020;  // OPTIF_DISABLED

// Module-wide: an Apply keeps the next page activation from asking the
// printer again (it would undo what the user just applied).
struct DeviceCallbackState {
    bool applyPending = false;
};

// What the callback needs from the platform.
class DeviceCallbackServices {
public:
    virtual ~DeviceCallbackServices() = default;
    virtual std::optional<InstalledOptions> queryFromButton() = 0;
    virtual std::optional<InstalledOptions> queryOnActivation() = 0;
    virtual bool portIsQueryable() = 0;
    // Printer data "OEMUI_VALUE" (REG_DWORD).
    virtual void storeButtonValue(std::uint32_t value) = 0;
};

// The plug-in's own button item (not in the core tree).
struct QueryButton {
    std::int32_t sel = 0;
    std::uint32_t flags = 0;
};

struct DeviceCallbackCall {
    std::uint32_t reason = 0;
    std::uint8_t currentUserItemId = 0;  // of the item the callback is about
    bool standardUiAsked = false;
    bool newerOs = false;
};

// Sets every printer-tree item the selections name (mode 2).
void ApplyOptionSelections(const InstalledOptions& options, DeviceContext& context, OptionTree& tree, bool newerOs);

std::int32_t RunDeviceCallback(const DeviceCallbackCall& call, QueryButton& button, DeviceContext& context,
                               OptionTree& tree, DeviceCallbackServices& services, DeviceCallbackState& state);

}  // namespace wren::ui
