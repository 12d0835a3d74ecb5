#include "ps/plugin/job_name_prompt.h"

#include <windows.h>

#include <optional>

#include "platform/win32/com_boundary.h"
#include "platform/win32/localized_resources.h"
#include "platform/win32/win32_dialog_view.h"
#include "ps/dialogs/job_name_dialog.h"
#include "ps/plugin/ps_module.h"

namespace wren::ps {
namespace {

// One open prompt: the procedure finds it through DWLP_USER.
struct PromptSession {
    PrivateRecord& record;
    ui::Win32Strings strings;
    std::optional<ui::Win32DialogView> view;
    std::optional<JobNameDialog> dialog;
};

// In the middle of the desktop, above every other window: nobody owns the
// prompt, and an application waiting for its job must not hide it. The
// template sits at the origin, so its right and bottom edges are its size.
void placeOnTop(HWND dialog) {
    RECT desktop{}, box{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &box);
    SetWindowPos(dialog, HWND_TOPMOST, desktop.right / 2 - box.right / 2, desktop.bottom / 2 - box.bottom / 2, 0, 0,
                 SWP_NOSIZE);
}

INT_PTR initialize(HWND dialog, LPARAM parameter) {
    auto* session = reinterpret_cast<PromptSession*>(parameter);
    SetWindowLongPtrW(dialog, DWLP_USER, parameter);
    session->view.emplace(dialog);
    session->dialog.emplace(*session->view, session->strings, session->record);
    session->dialog->initialize();
    placeOnTop(dialog);
    return TRUE;
}

// The system calls this through C: no exception may leave it. A prompt that
// cannot set itself up closes unconfirmed rather than wait for an OK that
// nothing would answer, with the print job held behind it.
INT_PTR CALLBACK promptProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (message == WM_INITDIALOG)
        return win32::win32Guarded<INT_PTR>(
            FALSE, [&] { return initialize(dialog, lparam); }, [&]() noexcept { EndDialog(dialog, 0); });
    if (message != WM_COMMAND) return FALSE;
    return win32::win32Guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        auto* session = reinterpret_cast<PromptSession*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!session || !session->dialog) return FALSE;
        // There is no cancel: Esc and the close box (IDCANCEL) are ignored.
        session->dialog->command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    });
}

}  // namespace

bool Win32JobNamePrompt::ask(PrivateRecord& record) {
    HMODULE module = psModule().module;
    PromptSession session{record, ui::Win32Strings(module), std::nullopt, std::nullopt};
    const INT_PTR result = ui::ShowLocalizedDialog(module, kJobNameDialogTemplate, nullptr, &promptProcedure,
                                                   reinterpret_cast<LPARAM>(&session));
    return result == 1;
}

}  // namespace wren::ps
