#include "common/overlay/overlay_session.h"

namespace wren::overlay {

OverlayList& OverlaySession::openDialog(const std::uint16_t (&overlayIds)[kMaxActive]) {
    list_ = loadOverlayStore(profile_, iniFile_, state_);
    state_ = state_ == PendingState::EditsPending ? PendingState::Opened : PendingState::EditsPending;
    OverlayList& list = *list_;
    list.activeCount = 0;
    list.active.fill(kEmptySlot);
    // The job's overlays run up to the first empty slot: a fresh document
    // has only its first slot set, and what follows it means nothing.
    std::size_t named = 0;
    while (named < kMaxActive && overlayIds[named] != kEmptySlot) ++named;
    if (named > list.definedCount) {
        // More than there are definitions: the store was cut down since.
        for (std::size_t n = 0; n < list.definedCount; ++n) list.active[list.activeCount++] = std::uint16_t(n);
        return list;
    }
    for (std::size_t i = 0; i < named; ++i)
        if (overlayIds[i] < list.definedCount) list.active[list.activeCount++] = overlayIds[i];
    return list;
}

void OverlaySession::confirmDialog(std::uint16_t (&overlayIds)[kMaxActive]) {
    if (!list_) return;
    for (std::size_t i = 0; i < kMaxActive; ++i)
        overlayIds[i] = i < list_->activeCount ? list_->active[i] : kEmptySlot;
    state_ = PendingState::EditsPending;
    if (writable_) writeOverlayStore(profile_, iniFile_, state_, *list_);
    list_.reset();
}

void OverlaySession::cancelDialog() {
    if (!list_) return;
    state_ = state_ == PendingState::EditsPending ? PendingState::Opened : PendingState::EditsPending;
    list_.reset();
}

void OverlaySession::applySheet() {
    if (!writable_ || state_ != PendingState::EditsPending) return;
    const OverlayList pending = loadOverlayStore(profile_, iniFile_, PendingState::EditsPending);
    state_ = PendingState::Opened;
    writeOverlayStore(profile_, iniFile_, state_, pending);
}

}  // namespace wren::overlay
