// One property sheet's use of the overlay store. The Overlays dialog edits
// a list loaded from the store; OK keeps the edits in the pending copy, and
// only the sheet's apply moves them into the main sections, so a sheet that
// is cancelled leaves the overlays as they were. Without the right to change
// the printer's settings nothing is written at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/overlay/overlay_store.h"
#include "platform/profile.h"

namespace wren::overlay {

class OverlaySession {
public:
    OverlaySession(const Profile& profile, std::u16string iniFile, bool settingsWritable)
        : profile_(profile), iniFile_(std::move(iniFile)), writable_(settingsWritable) {}

    // The dialog opens: the list comes from the sections the state selects,
    // so that edits confirmed earlier in this sheet are seen again. The
    // active overlays are the job's, without empty slots and without numbers
    // that name no defined overlay.
    OverlayList& openDialog(const std::uint16_t (&overlayIds)[kMaxActive]);
    // OK: the active overlays become the job's (empty slots 255), and the
    // list goes into the pending copy.
    void confirmDialog(std::uint16_t (&overlayIds)[kMaxActive]);
    // Cancel: the state is put back as it was before the dialog opened.
    void cancelDialog();
    // The sheet's apply: confirmed edits move into the main sections.
    void applySheet();

    PendingState state() const { return state_; }
    // The open dialog's list; null while no dialog is open.
    OverlayList* list() { return list_ ? &*list_ : nullptr; }

private:
    const Profile& profile_;
    std::u16string iniFile_;
    bool writable_;
    PendingState state_ = PendingState::NotOpened;
    std::optional<OverlayList> list_;
};

}  // namespace wren::overlay
