// The JOB PIN dialog of secure and stored jobs: the job name, the
// request-at-print flag and the four-digit PIN, written into the settings
// record only when OK finds them valid.
#pragma once

#include <functional>

#include "common/settings/private_record.h"
#include "ui/dialogs/dialog_view.h"
#include "ui/dialogs/ui_state.h"
#include "ui/dialogs/ui_strings.h"
#include "ui/dialogs/modal_controller.h"

namespace wren::ui {

inline constexpr int kJobNameChars = 16;
inline constexpr int kPinChars = 4;

class JobPinDialog : public ModalController {
public:
    // `showSharingWarning` shows the silenceable warning about asking for a
    // job name on a machine with several signed-in users.
    JobPinDialog(DialogView& view, PrivateRecord& record, const UiStrings& strings, const UiState& state,
                 bool sharedOrNetwork, std::function<void()> showSharingWarning);

    void initialize();
    void command(int id, int notification);

private:
    void filterEdit(int id, bool (*keep)(char16_t));
    void confirm() override;

    DialogView& view_;
    PrivateRecord& record_;
    const UiStrings& strings_;
    const UiState& state_;
    bool sharedOrNetwork_;
    std::function<void()> showSharingWarning_;
};

}  // namespace wren::ui
