// wrenui's settings trees and property sheets as the core driver builds
// them: CommonUIProp over a small OPTITEM array, the pages added through the
// sheet function, and the printer sheet's answers.
#include "wine_fixture.h"

#include <prsht.h>

#include <vector>

namespace wren::wine_test {
namespace {

// The core driver's items: what UserData points to, and the options.
struct TreeItem {
    USERDATA user{};
    std::string keyword;
    std::vector<std::wstring> names;
    std::vector<OPTPARAM> params;
    OPTTYPE type{};
};

class Tree {
public:
    OPTITEM& add(BYTE dmPub, const char* keyword, std::vector<std::wstring> names, LONG sel = 0) {
        auto data = std::make_unique<TreeItem>();
        data->keyword = keyword ? keyword : "";
        data->user.dwSize = sizeof(USERDATA);
        data->user.dwItemID = data_.size() + 1;
        data->user.pKeyWordName = keyword ? data->keyword.data() : nullptr;
        data->names = std::move(names);
        for (auto& n : data->names) {
            OPTPARAM p{};
            p.cbSize = sizeof p;
            p.pData = n.data();
            data->params.push_back(p);
        }
        data->type.cbSize = sizeof(OPTTYPE);
        data->type.Type = TVOT_LISTBOX;
        data->type.Count = static_cast<WORD>(data->params.size());
        data->type.pOptParam = data->params.data();
        OPTITEM item{};
        item.cbSize = sizeof item;
        item.UserData = reinterpret_cast<ULONG_PTR>(&data->user);
        item.pName = const_cast<wchar_t*>(L"item");
        item.Sel = sel;
        item.pOptType = &data->type;
        item.DMPubID = dmPub;
        items_.push_back(item);
        data_.push_back(std::move(data));
        return items_.back();
    }
    std::vector<OPTITEM>& items() { return items_; }

private:
    std::vector<std::unique_ptr<TreeItem>> data_;
    std::vector<OPTITEM> items_;
};

// The core driver's sheet function: it collects the pages it is given.
struct SheetRecorder {
    std::vector<PROPSHEETPAGEW> pages;
    std::vector<std::pair<LPARAM, LPARAM>> results;
};
SheetRecorder* gSheet = nullptr;

LONG_PTR CALLBACK sheetFunction(HANDLE, UINT function, LPARAM first, LPARAM second) {
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        gSheet->pages.push_back(*reinterpret_cast<const PROPSHEETPAGEW*>(first));
        return static_cast<LONG_PTR>(gSheet->pages.size());
    }
    if (function == CPSFUNC_SET_RESULT) gSheet->results.emplace_back(first, second);
    return 0;
}

class UiSheets : public UiPluginTest {
protected:
    void SetUp() override {
        UiPluginTest::SetUp();
        heap_ = HeapCreate(0, 0, 0);
        record_ = ourRecord();
        devmode_ = publicDevmode(DMPAPER_A4, 0, 0);
        gSheet = &sheet_;
    }
    void TearDown() override {
        UiPluginTest::TearDown();  // the plug-in frees its contexts from the heap first
        HeapDestroy(heap_);
        gSheet = nullptr;
    }
    OEMCUIPPARAM treeParam(std::vector<OPTITEM>& items) {
        OEMCUIPPARAM param{};
        param.cbSize = sizeof param;
        param.poemuiobj = &uiobj_;
        param.hPrinter = printer_;
        param.pPrinterName = const_cast<wchar_t*>(kPrinterName);
        param.hModule = library_.module();
        param.hOEMHeap = heap_;
        param.pPublicDM = &devmode_;
        param.pOEMDM = &record_;
        param.pDrvOptItems = items.data();
        param.cDrvOptItems = static_cast<DWORD>(items.size());
        return param;
    }
    // Both calls of the core driver: how many items, then the items.
    HRESULT buildTree(DWORD mode, OEMCUIPPARAM& param, std::vector<OPTITEM>& own) {
        HRESULT hr = plugin_->CommonUIProp(mode, &param);
        if (FAILED(hr)) return hr;
        // The core driver's own array goes on with ours: an address even for none.
        own.assign(param.cOEMOptItems, OPTITEM{});
        param.pOEMOptItems = own.empty() ? &spare_ : own.data();
        return plugin_->CommonUIProp(mode, &param);
    }

    HANDLE heap_ = nullptr;
    OEMUIOBJ uiobj_{sizeof(OEMUIOBJ), nullptr};
    PrivateRecord record_{};
    DEVMODEW devmode_{};
    SheetRecorder sheet_;
    OPTITEM spare_{};
};

TEST_F(UiSheets, DocumentTreeHidesWhatThePagesEditAndAddsNoItems) {
    Tree tree;
    tree.add(DMPUB_COPIES_COLLATE, nullptr, {L"copies"}, 1);
    tree.add(0, "ZEJob_Type", {L"Normal", L"Secure"});
    tree.add(0, "ZEMediaType", {L"Plain"});
    tree.add(DMPUB_ORIENTATION, nullptr, {L"Portrait", L"Landscape"});
    OEMCUIPPARAM param = treeParam(tree.items());
    std::vector<OPTITEM> own;
    ASSERT_EQ(buildTree(OEMCUIP_DOCPROP, param, own), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 0u);
    EXPECT_TRUE(tree.items()[0].Flags & OPTIF_HIDE);
    EXPECT_TRUE(tree.items()[1].Flags & OPTIF_HIDE);
    EXPECT_FALSE(tree.items()[2].Flags & OPTIF_HIDE);
    EXPECT_EQ(tree.items()[2].HelpIndex, 877u);
    EXPECT_FALSE(tree.items()[3].Flags & OPTIF_HIDE);
    EXPECT_NE(param.OEMCUIPCallback, nullptr);
    // The probe that tells whether this user may write printer settings.
    DWORD type = 0, value = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer_, const_cast<wchar_t*>(L"W_TEST"), &type, reinterpret_cast<BYTE*>(&value),
                              sizeof value, &needed),
              static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(UiSheets, DocumentSheetAddsTheJobOptionsPage) {
    Tree tree;
    tree.add(0, "ZEJob_Type", {L"Normal", L"Secure"});
    OEMCUIPPARAM param = treeParam(tree.items());
    std::vector<OPTITEM> own;
    ASSERT_EQ(buildTree(OEMCUIP_DOCPROP, param, own), S_OK);

    OEMUIPSPARAM ps{};
    ps.cbSize = sizeof ps;
    ps.hPrinter = printer_;
    ps.pPrinterName = const_cast<wchar_t*>(kPrinterName);
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Flags = PSUIINFO_UNICODE;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = reinterpret_cast<HANDLE>(0x77);
    info.pfnComPropSheet = &sheetFunction;
    info.lParamInit = reinterpret_cast<LPARAM>(&ps);
    EXPECT_EQ(plugin_->DocumentPropertySheets(&info, 0), 1);
    EXPECT_EQ(info.Result, 1u);
    // No colour page without its feature; no support page without its library.
    ASSERT_EQ(sheet_.pages.size(), 1u);
    EXPECT_NE(sheet_.pages[0].pfnDlgProc, nullptr);
    EXPECT_NE(sheet_.pages[0].lParam, 0);

    SETRESULT_INFO result{};
    result.cbSize = sizeof result;
    result.Result = 5;
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    EXPECT_EQ(plugin_->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&result)), 5);
    EXPECT_EQ(info.Result, 5u);

    info.Version = 0x0200;
    SetLastError(0);
    EXPECT_EQ(plugin_->DocumentPropertySheets(&info, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(UiSheets, PrinterTreeAddsTheQueryButtonAndTheSheetItsHeader) {
    Tree tree;
    tree.add(0, "ZEHDD", {L"False", L"True"}, 1);
    OEMCUIPPARAM param = treeParam(tree.items());
    std::vector<OPTITEM> own;
    ASSERT_EQ(buildTree(OEMCUIP_PRNPROP, param, own), S_OK);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].UserItemID, 2);
    EXPECT_EQ(own[0].pOptType->Type, TVOT_PUSHBUTTON);
    // The sample names a network option library that can ask this printer.
    EXPECT_FALSE(own[0].Flags & OPTIF_HIDE);
    EXPECT_EQ(tree.items()[0].UserItemID, 3);
    EXPECT_EQ(tree.items()[0].HelpIndex, 2205u);

    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    EXPECT_EQ(plugin_->DevicePropertySheets(&info, reinterpret_cast<LPARAM>(&header)), S_OK);
    ASSERT_NE(header.pTitle, nullptr);
    EXPECT_STREQ(header.pTitle, L"OEM UI Page");
    info.Reason = PROPSHEETUI_REASON_GET_ICON;
    EXPECT_EQ(plugin_->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 0u);
}

TEST_F(UiSheets, TreeWithoutItemsAnswersTheItemCount) {
    std::vector<OPTITEM> none;
    OEMCUIPPARAM doc = treeParam(none);
    EXPECT_EQ(plugin_->CommonUIProp(OEMCUIP_DOCPROP, &doc), S_OK);
    EXPECT_EQ(doc.cOEMOptItems, 0u);
    OEMCUIPPARAM prn = treeParam(none);
    EXPECT_EQ(plugin_->CommonUIProp(OEMCUIP_PRNPROP, &prn), S_OK);
    EXPECT_EQ(prn.cOEMOptItems, 1u);
    SetLastError(0);
    EXPECT_EQ(plugin_->CommonUIProp(3, &doc), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(UiSheets, DocumentCallbackCopiesLayoutIntoTheRecordOnApply) {
    Tree tree;
    tree.add(DMPUB_NUP, nullptr, {L"1", L"2", L"4"}, 2);
    tree.add(DMPUB_ORIENTATION, nullptr, {L"Portrait", L"Landscape"}, 1);
    OEMCUIPPARAM param = treeParam(tree.items());
    std::vector<OPTITEM> own;
    ASSERT_EQ(buildTree(OEMCUIP_DOCPROP, param, own), S_OK);
    CPSUICBPARAM callback{};
    callback.cbSize = sizeof callback;
    callback.Reason = CPSUICB_REASON_APPLYNOW;
    EXPECT_EQ(param.OEMCUIPCallback(&callback, &param), CPSUICB_ACTION_NONE);
    EXPECT_EQ(record_.nupCode, 2);
    EXPECT_EQ(record_.orientation, 1);
    EXPECT_EQ(record_.noSpecialColorSpace, 1u);  // no special toner control: selection 0
}

}  // namespace
}  // namespace wren::wine_test
