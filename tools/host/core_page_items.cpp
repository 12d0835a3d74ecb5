#include "core_page_items.h"

#include <cstdio>
#include <string>

#include "host_files.h"

namespace wren::host {
namespace {

const char* reasonName(WORD reason) {
    switch (reason) {
    case CPSUICB_REASON_SEL_CHANGED: return "SEL_CHANGED";
    case CPSUICB_REASON_APPLYNOW: return "APPLYNOW";
    case CPSUICB_REASON_OPTITEM_SETFOCUS: return "OPTITEM_SETFOCUS";
    case CPSUICB_REASON_SETACTIVE: return "SETACTIVE";
    case CPSUICB_REASON_KILLACTIVE: return "KILLACTIVE";
    default: return "OTHER";
    }
}

// Items whose options are names to choose from; the others (numbers, the
// plug-in's button) are not offered in the lists.
bool hasOptions(const OPTITEM& item) {
    if (!item.pOptType || !item.pOptType->pOptParam || item.pOptType->Count == 0) return false;
    switch (item.pOptType->Type) {
    case TVOT_2STATES:
    case TVOT_3STATES:
    case TVOT_LISTBOX:
    case TVOT_COMBOBOX: return true;
    default: return false;
    }
}

// A name of the tree: text, or the number of a standard string of the
// common property sheet, which the host does not have.
std::wstring nameOf(const void* name) {
    if (!name) return L"";
    if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name));
    return static_cast<const wchar_t*>(name);
}

// An item's name as the log shows it: the feature keyword when it has one.
// Only the core driver's own items carry its USERDATA.
std::string itemLabel(const OPTITEM& item, bool coreItem) {
    if (!coreItem) return narrow(nameOf(item.pName));
    const auto* user = reinterpret_cast<const USERDATA*>(item.UserData);
    if (user && user->dwSize >= sizeof(USERDATA) && user->pKeyWordName) return user->pKeyWordName;
    return narrow(nameOf(item.pName));
}

}  // namespace

CorePageItems::CorePageItems(OEMCUIPPARAM* tree, std::function<std::wstring()> describe)
    : tree_(tree), describe_(std::move(describe)) {}

void CorePageItems::fill(HWND page) {
    choosable_.clear();
    button_ = nullptr;
    if (tree_) {
        for (DWORD i = 0; i < tree_->cDrvOptItems; ++i) {
            OPTITEM& item = tree_->pDrvOptItems[i];
            if (hasOptions(item) && !(item.Flags & OPTIF_HIDE)) choosable_.push_back(&item);
        }
        for (DWORD i = 0; tree_->pOEMOptItems && i < tree_->cOEMOptItems; ++i) {
            OPTITEM& item = tree_->pOEMOptItems[i];
            if (item.pOptType && item.pOptType->Type == TVOT_PUSHBUTTON) button_ = &item;
        }
    }
    if (button_) {
        SetDlgItemTextW(page, kPluginButton, nameOf(button_->pName).c_str());
        const bool hidden = (button_->Flags & OPTIF_HIDE) != 0;
        std::printf("plug-in button %s: %s\n", hidden ? "hidden" : "shown", narrow(nameOf(button_->pName)).c_str());
        std::fflush(stdout);
        // Its item is listed too: choosing it is what focusing it in the
        // tree view is, and the button follows what the plug-in answers.
        if (!hidden) choosable_.push_back(button_);
    }
    HWND list = GetDlgItem(page, kItemChoice);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (OPTITEM* item : choosable_)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(nameOf(item->pName).c_str()));
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    fillOptions(page);
    showItems(page);
}

OPTITEM* CorePageItems::chosenItem(HWND page) const {
    const LRESULT at = SendDlgItemMessageW(page, kItemChoice, CB_GETCURSEL, 0, 0);
    return at >= 0 && static_cast<std::size_t>(at) < choosable_.size() ? choosable_[static_cast<std::size_t>(at)]
                                                                        : nullptr;
}

// The chosen item's options that are not hidden; each entry's data is the
// option's position, which is what the item's selection counts.
void CorePageItems::fillOptions(HWND page) {
    HWND list = GetDlgItem(page, kOptionChoice);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    const OPTITEM* item = chosenItem(page);
    if (!item || !hasOptions(*item)) return;
    for (WORD i = 0; i < item->pOptType->Count; ++i) {
        const OPTPARAM& option = item->pOptType->pOptParam[i];
        if (option.Flags & OPTPF_HIDE) continue;
        const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(nameOf(option.pData).c_str()));
        if (at >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), i);
    }
}

void CorePageItems::showItems(HWND page) {
    SetDlgItemTextW(page, kItemsEdit, describe_ ? describe_().c_str() : L"");
    HWND options = GetDlgItem(page, kOptionChoice);
    const OPTITEM* item = chosenItem(page);
    LRESULT shownOption = -1;
    for (LRESULT i = 0; item && i < SendMessageW(options, CB_GETCOUNT, 0, 0); ++i)
        if (SendMessageW(options, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == item->Sel) shownOption = i;
    SendMessageW(options, CB_SETCURSEL, static_cast<WPARAM>(shownOption), 0);
    EnableWindow(options, item && !(item->Flags & OPTIF_DISABLED));

    HWND button = GetDlgItem(page, kPluginButton);
    const bool shown = button_ && !(button_->Flags & OPTIF_HIDE);
    const bool enabled = shown && !(button_->Flags & OPTIF_DISABLED);
    // A control that is disabled while it has the focus leaves the keyboard
    // nowhere: the focus goes to the item list first.
    if (!enabled && GetFocus() == button) SetFocus(GetDlgItem(page, kItemChoice));
    ShowWindow(button, shown ? SW_SHOWNA : SW_HIDE);
    EnableWindow(button, enabled);
}

LONG CorePageItems::notify(HWND page, WORD reason, OPTITEM* current) {
    if (!tree_ || !tree_->OEMCUIPCallback) return CPSUICB_ACTION_NONE;
    CPSUICBPARAM param{};
    param.cbSize = sizeof param;
    param.Reason = reason;
    param.hDlg = page;
    param.pOptItem = tree_->pDrvOptItems;
    param.cOptItem = static_cast<WORD>(tree_->cDrvOptItems);
    param.pCurItem = current ? current : tree_->pDrvOptItems;
    param.UserData = reinterpret_cast<ULONG_PTR>(tree_->pOEMUserData);
    const LONG action = tree_->OEMCUIPCallback(&param, tree_);
    std::printf("tree callback %s%s%s -> %ld\n", reasonName(reason), current ? " " : "",
                current ? itemLabel(*current, current != button_).c_str() : "", static_cast<long>(action));
    std::fflush(stdout);
    showItems(page);
    return action;
}

void CorePageItems::command(HWND page, WORD id, WORD code) {
    switch (id) {
    case kItemChoice:
        if (code != CBN_SELCHANGE) return;
        fillOptions(page);
        if (OPTITEM* item = chosenItem(page)) notify(page, CPSUICB_REASON_OPTITEM_SETFOCUS, item);
        return;
    case kOptionChoice: {
        OPTITEM* item = chosenItem(page);
        const LRESULT at = SendDlgItemMessageW(page, kOptionChoice, CB_GETCURSEL, 0, 0);
        if (code != CBN_SELCHANGE || !item || at < 0 || (item->Flags & OPTIF_DISABLED)) return;
        const LONG option = static_cast<LONG>(SendDlgItemMessageW(page, kOptionChoice, CB_GETITEMDATA, at, 0));
        if (option == item->Sel) return;
        // The tree view changes the item, then tells the plug-in.
        item->Sel = option;
        item->Flags |= OPTIF_CHANGED;
        notify(page, CPSUICB_REASON_SEL_CHANGED, item);
        return;
    }
    case kPluginButton:
        // The core driver reports a press of the plug-in's button as a
        // selection change of that item.
        if (button_ && code == BN_CLICKED) notify(page, CPSUICB_REASON_SEL_CHANGED, button_);
        return;
    default:
        return;
    }
}

}  // namespace wren::host
