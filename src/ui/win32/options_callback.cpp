#include "ui/win32/options_callback.h"

#include <memory>
#include <optional>
#include <string>

#include "common/config/driver_config.h"
#include "platform/win32/com_boundary.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ports.h"
#include "ui/options/device_callback.h"
#include "ui/options/option_query.h"
#include "ui/options/query_target.h"
#include "ui/plugin/ui_module.h"
#include "ui/plugin/ui_plugin.h"
#include "ui/win32/options_ports.h"

namespace wren::ui {
namespace {

OptionQueryPorts queryPorts() {
    InstallerPorts& p = installerPorts();
    return OptionQueryPorts{p.loader, p.profile, p.codePage};
}

std::u16string printerNameOf(POEMCUIPPARAM param) {
    return param && param->pPrinterName ? win32::fromWide(param->pPrinterName) : std::u16string();
}

std::optional<OptionQueryTarget> queryTarget(POEMCUIPPARAM param, HWND window, LookupState& files, bool lookup) {
    return FindQueryTarget(installerPorts(), lastLookup(), printerNameOf(param), window, files, lookup);
}

class SheetServices final : public DeviceCallbackServices {
public:
    SheetServices(POEMCUIPPARAM param, HWND window, LookupState& files)
        : param_(param), window_(window), files_(files) {}
    std::optional<InstalledOptions> queryFromButton() override {
        const std::optional<OptionQueryTarget> target = queryTarget(param_, window_, files_, false);
        return target ? QueryFromButton(queryPorts(), *target) : std::nullopt;
    }
    std::optional<InstalledOptions> queryOnActivation() override {
        const std::optional<OptionQueryTarget> target = queryTarget(param_, window_, files_, true);
        return target ? QueryOnActivation(queryPorts(), *target) : std::nullopt;
    }
    bool portIsQueryable() override {
        const std::optional<OptionQueryTarget> target = queryTarget(param_, window_, files_, false);
        return target && PortIsQueryable(queryPorts(), *target);
    }
    void storeButtonValue(std::uint32_t value) override {
        win32::ports().spooler.setPrinterDword(param_->hPrinter, u"OEMUI_VALUE", value);
    }

private:
    POEMCUIPPARAM param_;
    HWND window_;
    LookupState& files_;
};

}  // namespace

LONG APIENTRY DeviceOptionsCallback(PCPSUICBPARAM callback, POEMCUIPPARAM param) noexcept {
    return win32::win32Guarded<LONG>(CPSUICB_ACTION_NONE, [&]() -> LONG {
        if (!callback || !param) return CPSUICB_ACTION_NONE;
        auto* plugin = static_cast<UiPlugin*>(param->pOEMUserData);
        DeviceSheet* sheet = plugin ? plugin->deviceSheet() : nullptr;
        if (!sheet || !sheet->tree) return CPSUICB_ACTION_NONE;
        OPTITEM* buttonItem = param->pOEMOptItems && param->cOEMOptItems > 0 ? &param->pOEMOptItems[0] : nullptr;
        QueryButton button;
        if (buttonItem) button = QueryButton{buttonItem->Sel, buttonItem->Flags};

        DeviceCallbackCall call;
        call.reason = callback->Reason;
        call.currentUserItemId = callback->pCurItem ? callback->pCurItem->UserItemID : 0;
        const DocumentSheet* flags = plugin->documentSheet();
        call.standardUiAsked = flags && flags->context.standardUiAsked;
        call.newerOs = osVersion().newer();
        SheetServices services(param, callback->hDlg, sheet->files);
        const std::int32_t action =
            RunDeviceCallback(call, button, sheet->context, *sheet->tree, services, sheet->callbackState);
        if (buttonItem) buttonItem->Flags = button.flags;
        return action;
    });
}

bool OptionQueryAvailable(POEMCUIPPARAM param, LookupState& files) {
    const std::optional<OptionQueryTarget> target = queryTarget(param, nullptr, files, false);
    return target && PrinterSupportsQuery(queryPorts(), *target);
}

}  // namespace wren::ui
