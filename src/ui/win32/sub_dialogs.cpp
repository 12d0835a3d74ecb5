#include "ui/win32/sub_dialogs.h"

#include "platform/win32/win32_ports.h"
#include "ui/dialogs/warning_store.h"
#include "ui/pages/advanced_dialog.h"
#include "ui/pages/job_pin_dialog.h"
#include "ui/resources/resource_ids.h"
#include "ui/win32/dialog_warning.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/page_shell.h"

namespace wren::ui {
namespace {

bool sharedOrNetwork(PageShell& page) {
    auto details = win32::ports().spooler.printerDetails(page.services().config.printer());
    return details && (details->attributes & (kPrinterAttributeShared | kPrinterAttributeNetwork)) != 0;
}

}  // namespace

int RunJobPinDialog(HWND owner, PageShell& page) {
    const bool shared = sharedOrNetwork(page);
    UiState& state = page.services().state;
    ModalDialog<JobPinDialog> dialog(state, [&page, &state, shared](DialogView& view) {
        HWND window = static_cast<HWND>(view.ownerWindow());
        auto warn = [&page, &state, window] {
            ShowWarningOnce(page.services().profile, page.sheet().context.pluginIni,
                            [&state, window] { return RunWarningDialog(window, IDD_WARNING_301, state); });
        };
        return std::make_unique<JobPinDialog>(view, page.services().record, page.strings(), state, shared, warn);
    });
    return dialog.run(IDD_JOB_PIN, owner);
}

int RunAdvancedDialog(HWND owner, PageShell& page) {
    ModalDialog<AdvancedDialog> dialog(page.services().state, [&page](DialogView& view) {
        PageServices& s = page.services();
        const int compression = s.config.modelInt(s.capabilityFile, u"Compression", 0);
        return std::make_unique<AdvancedDialog>(view, s.context, s.record, s.strings, page.page().hardDisk(),
                                                compression);
    });
    return dialog.run(IDD_ADVANCED, owner);
}

}  // namespace wren::ui
