// The printer tree's callback in the real wrenui.dll, over an OPTITEM array
// as the core driver builds it: the query button asks the network
// option-library stand-in (zenetopt.dll, installed in the system directory)
// and sets the installable options through DrvUpdateUISetting in printer mode.
#include "wine_fixture.h"

#include <memory>
#include <string>
#include <vector>

namespace wren::wine_test {
namespace {

struct Update {
    std::string keyword;
    LONG sel;
    DWORD previous, mode;
};
std::vector<Update>* gUpdates = nullptr;

BOOL APIENTRY recordUpdate(PVOID, PVOID item, DWORD previous, DWORD mode) {
    const auto* it = static_cast<const OPTITEM*>(item);
    const auto* user = reinterpret_cast<const USERDATA*>(it->UserData);
    gUpdates->push_back({user && user->pKeyWordName ? user->pKeyWordName : "", it->Sel, previous, mode});
    return TRUE;
}

struct Feature {
    USERDATA user{};
    std::string keyword;
    std::vector<std::wstring> names;
    std::vector<OPTPARAM> params;
    OPTTYPE type{};
};

class PrinterTreeCallback : public UiPluginTest {
protected:
    void SetUp() override {
        UiPluginTest::SetUp();
        gUpdates = &updates_;
        heap_ = HeapCreate(0, 0, 0);
        add("ZEHDD", {L"Installed", L"Not Installed"}, 1);
        add("ZEOptionDuplex", {L"Installed", L"Not Installed"}, 1);
        add("InstalledMemory", {L"256 MB", L"512 MB", L"1024 MB"}, 1);
        add("ZEJobLimit", {L"On", L"Off"}, 0);
        add("ZESpecialTonerInstalled", {L"Not Installed", L"White Toner", L"Clear Toner"}, 0);
        param_.cbSize = sizeof param_;
        param_.poemuiobj = &uiobj_;
        param_.hPrinter = printer_;
        param_.pPrinterName = const_cast<wchar_t*>(kPrinterName);
        param_.hModule = library_.module();
        param_.hOEMHeap = heap_;
        param_.pDrvOptItems = items_.data();
        param_.cDrvOptItems = static_cast<DWORD>(items_.size());
        ASSERT_EQ(plugin_->CommonUIProp(OEMCUIP_PRNPROP, &param_), S_OK);
        own_.assign(param_.cOEMOptItems, OPTITEM{});
        ASSERT_EQ(own_.size(), 1u);
        param_.pOEMOptItems = own_.data();
        ASSERT_EQ(plugin_->CommonUIProp(OEMCUIP_PRNPROP, &param_), S_OK);
        ASSERT_NE(param_.OEMCUIPCallback, nullptr);
    }
    void TearDown() override {
        UiPluginTest::TearDown();
        HeapDestroy(heap_);
        gUpdates = nullptr;
    }
    void add(const char* keyword, std::vector<std::wstring> names, LONG sel) {
        auto f = std::make_unique<Feature>();
        f->keyword = keyword;
        f->user.dwSize = sizeof(USERDATA);
        f->user.pKeyWordName = f->keyword.data();
        f->names = std::move(names);
        for (auto& n : f->names) {
            OPTPARAM p{};
            p.cbSize = sizeof p;
            p.pData = n.data();
            f->params.push_back(p);
        }
        f->type.cbSize = sizeof(OPTTYPE);
        f->type.Type = TVOT_LISTBOX;
        f->type.Count = static_cast<WORD>(f->params.size());
        f->type.pOptParam = f->params.data();
        OPTITEM item{};
        item.cbSize = sizeof item;
        item.UserData = reinterpret_cast<ULONG_PTR>(&f->user);
        item.pName = const_cast<wchar_t*>(L"item");
        item.Sel = sel;
        item.pOptType = &f->type;
        items_.push_back(item);
        features_.push_back(std::move(f));
    }
    LONG callback(WORD reason, OPTITEM* current) {
        CPSUICBPARAM cb{};
        cb.cbSize = sizeof cb;
        cb.Reason = reason;
        cb.pCurItem = current;
        cb.pOptItem = items_.data();
        cb.cOptItem = static_cast<WORD>(items_.size());
        return param_.OEMCUIPCallback(&cb, &param_);
    }
    LONG sel(const char* keyword) const {
        for (std::size_t i = 0; i < features_.size(); ++i)
            if (features_[i]->keyword == keyword) return items_[i].Sel;
        return -1;
    }

    std::vector<std::unique_ptr<Feature>> features_;
    std::vector<OPTITEM> items_;
    std::vector<OPTITEM> own_;
    std::vector<Update> updates_;
    OEMUIPROCS procs_{nullptr, &recordUpdate};
    OEMUIOBJ uiobj_{sizeof(OEMUIOBJ), &procs_};
    OEMCUIPPARAM param_{};
    HANDLE heap_ = nullptr;
};

TEST_F(PrinterTreeCallback, TheButtonFillsTheInstallableOptionsFromThePrinter) {
    EXPECT_FALSE(own_[0].Flags & OPTIF_HIDE);
    EXPECT_EQ(callback(CPSUICB_REASON_SEL_CHANGED, &own_[0]), CPSUICB_ACTION_OPTIF_CHANGED);
    // zenetopt.ini [Report]: duplex, hard disk, 256 MB, clear toner; job
    // limitation asked, but off on this system.
    EXPECT_EQ(sel("ZEHDD"), 0);
    EXPECT_EQ(sel("ZEOptionDuplex"), 0);
    EXPECT_EQ(sel("InstalledMemory"), 0);
    EXPECT_EQ(sel("ZEJobLimit"), 1);
    EXPECT_EQ(sel("ZESpecialTonerInstalled"), 2);
    ASSERT_EQ(updates_.size(), 5u);
    const std::vector<std::string> order{"ZEHDD", "ZEOptionDuplex", "InstalledMemory", "ZEJobLimit",
                                         "ZESpecialTonerInstalled"};
    for (std::size_t i = 0; i < updates_.size(); ++i) {
        EXPECT_EQ(updates_[i].keyword, order[i]);
        EXPECT_EQ(updates_[i].mode, static_cast<DWORD>(OEMCUIP_PRNPROP));
    }
    EXPECT_EQ(updates_[0].previous, 1u);
}

TEST_F(PrinterTreeCallback, JobLimitSnapsBack) {
    items_[3].Sel = 0;
    EXPECT_EQ(callback(CPSUICB_REASON_SEL_CHANGED, &items_[3]), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(items_[3].Sel, 1);
    ASSERT_EQ(updates_.size(), 1u);
    EXPECT_EQ(updates_[0].keyword, "ZEJobLimit");
}

TEST_F(PrinterTreeCallback, ApplyKeepsTheNextActivationFromAskingAgain) {
    own_[0].Sel = 5;
    EXPECT_EQ(callback(CPSUICB_REASON_APPLYNOW, &items_[0]), CPSUICB_ACTION_NONE);
    DWORD type = 0, value = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer_, const_cast<wchar_t*>(L"OEMUI_VALUE"), &type, reinterpret_cast<BYTE*>(&value),
                              sizeof value, &needed),
              static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(callback(CPSUICB_REASON_SETACTIVE, &items_[0]), CPSUICB_ACTION_NONE);
    EXPECT_TRUE(updates_.empty());
    // The next activation asks the printer (port FILE: takes the network library).
    EXPECT_EQ(callback(CPSUICB_REASON_SETACTIVE, &items_[0]), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(updates_.size(), 5u);
}

TEST_F(PrinterTreeCallback, FocusEnablesTheButtonForAPortTheLibraryCanAsk) {
    own_[0].Flags |= OPTIF_DISABLED;
    EXPECT_EQ(callback(CPSUICB_REASON_OPTITEM_SETFOCUS, &own_[0]), CPSUICB_ACTION_NONE);
    EXPECT_FALSE(own_[0].Flags & OPTIF_DISABLED);
    EXPECT_TRUE(own_[0].Flags & OPTIF_CHANGED);
}

}  // namespace
}  // namespace wren::wine_test
