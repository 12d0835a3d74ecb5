// The Job Name dialog shown at print time for a secure or stored job whose
// name the user chose to enter when printing. Portable: it reaches the
// dialog through DialogView and its message through the string table.
#pragma once

#include <cstddef>

#include "common/settings/private_record.h"
#include "ui/dialogs/dialog_view.h"
#include "ui/dialogs/ui_strings.h"

namespace wren::ps {

inline constexpr int kJobNameDialogTemplate = 103;
inline constexpr int kJobNameEdit = 1006;
inline constexpr int kStringInputJobName = 8001;  // "Input Job Name"
inline constexpr std::size_t kJobNameDialogChars = 16;
inline constexpr std::size_t kJobNameMessageChars = 600;

// The copy of the template in the user's language is picked by
// ui::FindBestDialogLanguage, the rule the UI plug-in's templates follow.

class JobNameDialog {
public:
    JobNameDialog(ui::DialogView& view, const ui::UiStrings& strings, PrivateRecord& record);

    void initialize();
    // WM_COMMAND from a control, its notification code unchanged.
    void command(int id, int notification);

private:
    void filterName();
    void confirm();

    ui::DialogView& view_;
    const ui::UiStrings& strings_;
    PrivateRecord& record_;
};

}  // namespace wren::ps
