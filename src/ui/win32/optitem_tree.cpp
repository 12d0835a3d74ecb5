#include "ui/win32/optitem_tree.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/win32/wide_text.h"

namespace wren::ui {
namespace {

// Printer-description keywords are at most 40 bytes; anything without a
// terminator within this many bytes is not a keyword we could match.
constexpr std::size_t kMaxKeywordBytes = 256;
// Longer than any option name the core driver writes; bounds a read of a
// name whose terminator is missing.
constexpr std::size_t kMaxOptionNameChars = 1024;

// A copy of `text` from the heap, NUL-terminated, in a buffer of
// `bufferChars` characters (text.size() + 1 when 0); longer text is cut.
wchar_t* HeapText(HANDLE heap, std::u16string_view text, std::size_t bufferChars = 0) {
    if (bufferChars == 0) bufferChars = text.size() + 1;
    const std::size_t chars = std::min(text.size(), bufferChars - 1);
    auto* copy = static_cast<wchar_t*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, bufferChars * sizeof(wchar_t)));
    if (copy) std::memcpy(copy, text.data(), chars * sizeof(wchar_t));
    return copy;
}

// Option names that are resource numbers have no text of ours to read.
const wchar_t* OptionText(const OPTPARAM* option) {
    if (!option || IS_INTRESOURCE(option->pData)) return nullptr;
    return option->pData;
}

}  // namespace

POIEXT MakeHelpExtension(HANDLE heap, std::u16string_view helpFile) {
    if (!heap) return nullptr;
    auto* ext = static_cast<POIEXT>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(OIEXT)));
    if (!ext) return nullptr;
    wchar_t* file = HeapText(heap, helpFile);
    if (!file) {
        HeapFree(heap, 0, ext);
        return nullptr;
    }
    ext->cbSize = sizeof(OIEXT);
    ext->Flags = 0;  // wide help file name: OIEXTF_ANSI_STRING stays off
    ext->pHelpFile = file;
    return ext;
}

OPTITEM* OptItemTree::at(std::size_t item) const {
    if (!param_ || !param_->pDrvOptItems || item >= param_->cDrvOptItems) return nullptr;
    return &param_->pDrvOptItems[item];
}

OPTPARAM* OptItemTree::optionAt(std::size_t item, std::size_t option) const {
    const OPTITEM* it = at(item);
    if (!it || !it->pOptType || !it->pOptType->pOptParam || option >= it->pOptType->Count) return nullptr;
    return &it->pOptType->pOptParam[option];
}

OPTPARAM* OptItemTree::boundsOf(std::size_t item) const {
    const OPTITEM* it = at(item);
    if (!it || !it->pOptType || it->pOptType->Type != TVOT_UDARROW) return nullptr;
    return optionAt(item, 1);
}

std::size_t OptItemTree::size() const { return param_ && param_->pDrvOptItems ? param_->cDrvOptItems : 0; }

std::uint8_t OptItemTree::dmPubId(std::size_t item) const {
    const OPTITEM* it = at(item);
    return it ? it->DMPubID : 0;
}

std::optional<std::uint32_t> OptItemTree::nameResource(std::size_t item) const {
    const OPTITEM* it = at(item);
    if (!it || !it->pName || !IS_INTRESOURCE(it->pName)) return std::nullopt;
    return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(it->pName));
}

std::string_view OptItemTree::keyword(std::size_t item) const {
    const OPTITEM* it = at(item);
    if (!it || !it->UserData) return {};
    const auto* data = reinterpret_cast<const USERDATA*>(it->UserData);
    if (!data->pKeyWordName) return {};
    return std::string_view(data->pKeyWordName, strnlen(data->pKeyWordName, kMaxKeywordBytes));
}

std::optional<std::uintptr_t> OptItemTree::featureNumber(std::size_t item) const {
    const OPTITEM* it = at(item);
    if (!it || !it->UserData) return std::nullopt;
    return reinterpret_cast<const USERDATA*>(it->UserData)->dwItemID;
}

std::int32_t OptItemTree::sel(std::size_t item) const {
    const OPTITEM* it = at(item);
    return it ? it->Sel : 0;
}

void OptItemTree::setSel(std::size_t item, std::int32_t sel) {
    if (OPTITEM* it = at(item)) it->Sel = sel;
}

std::uint32_t OptItemTree::flags(std::size_t item) const {
    const OPTITEM* it = at(item);
    return it ? it->Flags : 0;
}

void OptItemTree::setFlags(std::size_t item, std::uint32_t flags) {
    if (OPTITEM* it = at(item)) it->Flags = flags;
}

void OptItemTree::setUserItemId(std::size_t item, std::uint8_t id) {
    if (OPTITEM* it = at(item)) it->UserItemID = id;
}

bool OptItemTree::makeHelpExtension(std::u16string_view helpFile) {
    help_ = MakeHelpExtension(param_ ? param_->hOEMHeap : nullptr, helpFile);
    return help_ != nullptr;
}

void OptItemTree::attachHelp(std::size_t item, std::uint32_t topic) {
    OPTITEM* it = at(item);
    if (!it || !help_) return;
    it->pOIExt = help_;
    it->HelpIndex = topic;
    it->Flags |= kItemPolymorphic;  // OPTIF_HAS_POLYMORPHIC, absent from MinGW's compstui.h
}

std::size_t OptItemTree::optionCount(std::size_t item) const {
    const OPTITEM* it = at(item);
    return it && it->pOptType && it->pOptType->pOptParam ? it->pOptType->Count : 0;
}

std::u16string OptItemTree::optionName(std::size_t item, std::size_t option) const {
    const wchar_t* text = OptionText(optionAt(item, option));
    return text ? win32::fromWide(text, wcsnlen(text, kMaxOptionNameChars)) : std::u16string();
}

void OptItemTree::setOptionName(std::size_t item, std::size_t option, std::u16string_view name) {
    OPTPARAM* param = optionAt(item, option);
    const wchar_t* text = OptionText(param);
    if (!text) return;
    const std::size_t room = wcsnlen(text, kMaxOptionNameChars);
    const std::size_t chars = std::min(name.size(), room);
    std::memcpy(param->pData, name.data(), chars * sizeof(wchar_t));
    param->pData[chars] = L'\0';
}

std::uint8_t OptItemTree::optionFlags(std::size_t item, std::size_t option) const {
    const OPTPARAM* param = optionAt(item, option);
    return param ? param->Flags : 0;
}

void OptItemTree::setOptionFlags(std::size_t item, std::size_t option, std::uint8_t flags) {
    if (OPTPARAM* param = optionAt(item, option)) param->Flags = flags;
}

std::int32_t OptItemTree::lowerBound(std::size_t item) const {
    const OPTPARAM* bounds = boundsOf(item);
    return bounds ? static_cast<std::int32_t>(bounds->IconID) : 0;
}

std::int32_t OptItemTree::upperBound(std::size_t item) const {
    const OPTPARAM* bounds = boundsOf(item);
    return bounds ? static_cast<std::int32_t>(bounds->lParam) : 0;
}

void OptItemTree::setUpperBound(std::size_t item, std::int32_t upper) {
    if (OPTPARAM* bounds = boundsOf(item)) bounds->lParam = upper;
}

std::uint32_t OptItemTree::updateSetting(std::size_t item, std::int32_t previousSel, std::uint32_t mode) {
    OPTITEM* it = at(item);
    if (!it) return 0;
    POEMUIOBJ uiobj = param_->poemuiobj;
    const auto previous = static_cast<DWORD>(previousSel);
    if (uiobj && uiobj->pOemUIProcs && uiobj->pOemUIProcs->DrvUpdateUISetting)
        return uiobj->pOemUIProcs->DrvUpdateUISetting(uiobj, it, previous, mode) ? 1 : 0;
    // The helper answers with an HRESULT, where S_OK is 0: translated, so
    // that a success is not taken for a refusal.
    if (helper_) return SUCCEEDED(helper_->DrvUpdateUISetting(uiobj, it, previous, mode)) ? 1 : 0;
    return 0;
}

bool BuildOptionQueryItem(POEMCUIPPARAM param, std::u16string_view name, std::u16string_view helpFile,
                          bool networkOptionLibraryAvailable) {
    if (!param) return false;
    HANDLE heap = param->hOEMHeap;
    if (!heap || !param->pOEMOptItems || param->cOEMOptItems < 1) return false;

    wchar_t* text = HeapText(heap, name, kQueryButtonNameChars);
    auto* type = static_cast<POPTTYPE>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(OPTTYPE)));
    auto* options = static_cast<POPTPARAM>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 2 * sizeof(OPTPARAM)));
    if (!text || !type || !options) {
        for (void* block : {static_cast<void*>(text), static_cast<void*>(type), static_cast<void*>(options)})
            if (block) HeapFree(heap, 0, block);
        return false;
    }
    // Both OPTPARAMs stay zero-filled; the second carries the button's mark.
    options[1].lParam = kQueryButtonParam;

    type->cbSize = sizeof(OPTTYPE);
    type->Type = TVOT_PUSHBUTTON;
    type->Count = 1;
    type->BegCtrlID = 1;
    type->Style = OTS_PUSH_INCL_SETUP_TITLE | OTS_PUSH_NO_DOT_DOT_DOT | OTS_PUSH_ENABLE_ALWAYS;
    type->pOptParam = options;

    OPTITEM& item = param->pOEMOptItems[0];
    std::memset(&item, 0, sizeof(item));
    item.cbSize = sizeof(OPTITEM);
    item.Level = 2;
    item.DlgPageIdx = 0;
    item.Flags = OPTIF_CALLBACK;
    item.pName = text;
    item.UserItemID = kQueryButtonItemId;
    item.pOptType = type;
    item.DMPubID = 0;
    if (POIEXT help = MakeHelpExtension(heap, helpFile)) {
        item.pOIExt = help;
        item.HelpIndex = kQueryButtonHelpTopic;
        item.Flags |= kItemPolymorphic;  // OPTIF_HAS_POLYMORPHIC, absent from MinGW's compstui.h
    }
    if (!networkOptionLibraryAvailable) item.Flags |= OPTIF_HIDE;
    return true;
}

}  // namespace wren::ui
