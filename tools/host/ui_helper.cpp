#include "ui_helper.h"

#include <cstring>

#include "preferences_output.h"

namespace wren::host {
namespace {

HostUiHelper* helperOf(PVOID pci) {
    // OEMUIOBJ is the first member of HostUiObject.
    return pci ? reinterpret_cast<HostUiObject*>(pci)->helper : nullptr;
}

BOOL APIENTRY procGetDriverSetting(PVOID pci, PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                   PDWORD optionsReturned) {
    HostUiHelper* helper = helperOf(pci);
    return helper && helper->getSetting(feature, output, size, needed, optionsReturned);
}

BOOL APIENTRY procUpdateUISetting(PVOID pci, PVOID optItem, DWORD, DWORD mode) {
    HostUiHelper* helper = helperOf(pci);
    return helper && helper->updateSetting(optItem, mode);
}

std::string narrowName(const TreeItem& item) {
    if (item.nameResource) return std::string("#").append(std::to_string(item.nameResource));
    std::string s;
    for (char16_t c : item.name) s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return s;
}

}  // namespace

HostUiHelper::HostUiHelper(const PpdFile& ppd, const Ticket& ticket, OptionTreeStorage& tree,
                           std::vector<TreeItem>& model)
    : ppd_(ppd), ticket_(ticket), tree_(tree), model_(model) {
    procs_.DrvGetDriverSetting = procGetDriverSetting;
    procs_.DrvUpdateUISetting = procUpdateUISetting;
    object_.obj.cbSize = sizeof(OEMUIOBJ);
    object_.obj.pOemUIProcs = &procs_;
    object_.helper = this;
}

HRESULT HostUiHelper::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemDriverUI)) {
        *ppv = static_cast<IPrintOemDriverUI*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

BOOL HostUiHelper::getSetting(PCSTR feature, PVOID output, DWORD size, PDWORD needed, PDWORD optionsReturned) {
    // The predefined settings (small integers) are the rendering side's.
    if (reinterpret_cast<ULONG_PTR>(feature) < 0x10000) return FALSE;
    tree_.readBack(model_);
    const std::string option = settingOf(model_, ppd_, ticket_, feature);
    if (option.empty()) return FALSE;
    if (needed) *needed = static_cast<DWORD>(option.size() + 2);
    if (!output || size < option.size() + 2) return FALSE;
    // An option list: NUL-terminated keywords, closed by a second NUL.
    std::memcpy(output, option.c_str(), option.size() + 1);
    static_cast<char*>(output)[option.size() + 1] = '\0';
    if (optionsReturned) *optionsReturned = 1;
    return TRUE;
}

BOOL HostUiHelper::updateSetting(PVOID optItem, DWORD mode) {
    const int index = tree_.indexOf(optItem);
    if (index < 0) {
        printSheetLine(outputPrefix_, "update refused: not an item of the tree mode=%lu",
                       static_cast<unsigned long>(mode));
        return FALSE;
    }
    const LONG sel = static_cast<OPTITEM*>(optItem)->Sel;
    TreeItem& item = model_[static_cast<std::size_t>(index)];
    if (!tree_.validSel(static_cast<std::size_t>(index), sel) ||
        (item.isFeature() && static_cast<std::size_t>(sel) >= item.optionKeywords.size())) {
        printSheetLine(outputPrefix_, "update refused: %s option %ld mode=%lu",
                       item.keyword.empty() ? narrowName(item).c_str() : item.keyword.c_str(), static_cast<long>(sel),
                       static_cast<unsigned long>(mode));
        return FALSE;
    }
    item.sel = sel;
    std::string line = item.isFeature() ? item.keyword + "=" + item.selectedKeyword()
                                        : narrowName(item) + "=" + std::to_string(sel);
    line += " mode=" + std::to_string(mode);
    updates_.push_back(line);
    printSheetLine(outputPrefix_, "update %s", line.c_str());
    return TRUE;
}

HRESULT HostUiHelper::DrvGetDriverSetting(PVOID, PCSTR feature, PVOID output, DWORD size, PDWORD needed,
                                          PDWORD optionsReturned) {
    return getSetting(feature, output, size, needed, optionsReturned) ? S_OK : E_FAIL;
}

HRESULT HostUiHelper::DrvUpdateUISetting(PVOID, PVOID optItem, DWORD, DWORD mode) {
    return updateSetting(optItem, mode) ? S_OK : E_FAIL;
}

}  // namespace wren::host
