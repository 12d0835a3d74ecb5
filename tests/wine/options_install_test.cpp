// What installing the sample package did to the printer (wrenhost install
// raises PrinterEvent(PRINTER_EVENT_INITIALIZE) through wrenui, as the
// spooler does), the installer's two exports, and the file-security port
// on a real file.
#include "wine_fixture.h"

#include <shlobj.h>
#include <winspool.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_install_ports.h"

namespace wren::wine_test {
namespace {

using namespace std::string_literals;

std::vector<BYTE> printerData(HANDLE printer, const wchar_t* name) {
    DWORD type = 0, needed = 0;
    GetPrinterDataW(printer, const_cast<wchar_t*>(name), &type, nullptr, 0, &needed);
    std::vector<BYTE> bytes(needed);
    if (needed == 0 || GetPrinterDataW(printer, const_cast<wchar_t*>(name), &type, bytes.data(), needed, &needed) !=
                           ERROR_SUCCESS)
        return {};
    return bytes;
}

// The global default DEVMODE (level 8), else the printer's own.
std::vector<BYTE> defaultDevmode(HANDLE printer, DWORD level) {
    DWORD needed = 0;
    GetPrinterW(printer, level, nullptr, 0, &needed);
    std::vector<BYTE> block(needed);
    if (needed == 0 || !GetPrinterW(printer, level, block.data(), needed, &needed)) return {};
    const DEVMODEW* dm = level == 8 ? reinterpret_cast<PRINTER_INFO_8W*>(block.data())->pDevMode
                                    : reinterpret_cast<PRINTER_INFO_9W*>(block.data())->pDevMode;
    if (!dm) return {};
    const auto* bytes = reinterpret_cast<const BYTE*>(dm);
    return std::vector<BYTE>(bytes, bytes + dm->dmSize + dm->dmDriverExtra);
}

const DEVMODEW& asDevmode(const std::vector<BYTE>& bytes) { return *reinterpret_cast<const DEVMODEW*>(bytes.data()); }

using PrinterInitialisation = UiPluginTest;

TEST_F(PrinterInitialisation, TheNewPrinterNamesTheUserModeDriver) {
    const std::vector<BYTE> value = printerData(printer_, L"SPLUserModePrinterDriver");
    ASSERT_FALSE(value.empty());
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(value.data()), L"PSCRIPT5.DLL");
}

TEST_F(PrinterInitialisation, TheStoredInstallableOptionsComeFromTheMachineOptionFile) {
    const std::vector<BYTE> list = printerData(printer_, L"FeatureKeyword");
    const std::string text(list.begin(), list.end());
    // zelopt.dat [Wren Test]: duplex unit, hard disk, 1024 MB, white toner;
    // the job limit is off on this system whatever the file says.
    EXPECT_NE(text.find("ZEHDD\0True\0\n"s), std::string::npos) << text;
    EXPECT_NE(text.find("ZEOptionDuplex\0True\0\n"s), std::string::npos);
    EXPECT_NE(text.find("InstalledMemory\0" "1024MB\0\n"s), std::string::npos);
    EXPECT_NE(text.find("ZEJobLimit\0False\0\n"s), std::string::npos);
    EXPECT_NE(text.find("ZESpecialTonerInstalled\0White\0\n"s), std::string::npos);
    // Features the file says nothing about keep the PPD's defaults.
    EXPECT_NE(text.find("ZEOutputManagement\0False\0\n"s), std::string::npos);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\0\0"s);
    const std::vector<BYTE> size = printerData(printer_, L"FeatureKeywordSize");
    ASSERT_EQ(size.size(), sizeof(DWORD));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(size.data()), list.size());
}

// Wine's PostScript driver writes its own default DEVMODE again when it first
// serves a printer (DeviceCapabilitiesW, a DC), so the event is raised here
// once more, as the spooler does, and its result read right after.
TEST_F(PrinterInitialisation, TheDefaultDevmodeTakesTheModelsDefaultsAndTheDuplexUnit) {
    ASSERT_EQ(plugin_->PrinterEvent(const_cast<wchar_t*>(kPrinterName), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
    ASSERT_EQ(plugin_->PrinterEvent(const_cast<wchar_t*>(L"Wren Info"), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
    const std::vector<BYTE> test = defaultDevmode(printer_, 8);
    ASSERT_GE(test.size(), sizeof(DEVMODEW) - 8 * sizeof(DWORD));
    EXPECT_EQ(asDevmode(test).dmDuplex, 2);  // zelopt.dat: DrvInst_DuplexPrinting=2

    HANDLE info = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(L"Wren Info"), &info, nullptr)) << "\"Wren Info\" is not installed";
    const std::vector<BYTE> bytes = defaultDevmode(info, 8);
    ClosePrinter(info);
    ASSERT_FALSE(bytes.empty());
    const DEVMODEW& dm = asDevmode(bytes);
    EXPECT_EQ(dm.dmPaperSize, DMPAPER_LETTER);      // DEFAULT_PAPER_SIZE=1 of its model
    EXPECT_EQ(dm.dmDefaultSource, DMBIN_AUTO);      // DEFAULT_PAPER_SOURCE=7
    EXPECT_NE(dm.dmDuplex, 2);                      // its section has no DrvInst_DuplexPrinting
}

class InstallerExports : public UiPluginTest {
protected:
    using NotifyFn = DWORD(WINAPI*)(HANDLE, const char*);
    using ConfigFn = DWORD(WINAPI*)(HANDLE);
    void SetUp() override {
        UiPluginTest::SetUp();
        notify_ = reinterpret_cast<NotifyFn>(
            reinterpret_cast<void*>(GetProcAddress(library_.module(), "NotifyDrvInstToPrinter")));
        config_ = reinterpret_cast<ConfigFn>(
            reinterpret_cast<void*>(GetProcAddress(library_.module(), "ConfigDeviceOptionExp")));
        ASSERT_TRUE(notify_ && config_);
        wchar_t folder[MAX_PATH] = {};
        ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE));
        usbData_ = std::wstring(folder) + L"\\zeusbopt.dat";
        DeleteFileW(usbData_.c_str());
    }
    void TearDown() override {
        DeleteFileW(usbData_.c_str());
        UiPluginTest::TearDown();
    }
    NotifyFn notify_ = nullptr;
    ConfigFn config_ = nullptr;
    std::wstring usbData_;
};

TEST_F(InstallerExports, ReturnCodesFollowTheLastLookupAndTheUsbDataFile) {
    // No lookup in this process yet: the capability file is unknown, so is
    // the data file.
    std::ofstream(usbData_.c_str()) << "[Wren Test]\nDrvInst_DuplexPrinting=2\n";
    EXPECT_EQ(notify_(printer_, "Wren Test"), 1u);
    // A printer on a port that is not USB: nothing is read; the lookup ran.
    EXPECT_EQ(config_(printer_), 0u);
    EXPECT_EQ(notify_(printer_, "Wren Test"), 0u);
    const std::vector<BYTE> dm = defaultDevmode(printer_, 8);
    ASSERT_FALSE(dm.empty());
    EXPECT_EQ(asDevmode(dm).dmDuplex, 2);
    DeleteFileW(usbData_.c_str());
    EXPECT_EQ(notify_(printer_, "Wren Test"), 1u);
}

TEST_F(InstallerExports, AUsbPrinterIsAskedThroughTheUsbLibrary) {
    // A second printer of the installed driver on a USB port, added here as
    // the family's installer would before calling the exports.
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(L"Wren USB Test");
    info.pPortName = const_cast<wchar_t*>(L"USB001");
    info.pDriverName = const_cast<wchar_t*>(kDriverName);
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE usb = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!usb) {
        ASSERT_TRUE(OpenPrinterW(info.pPrinterName, &usb, nullptr));
    }
    const std::string text = "ZEHDD\0False\0\nZEOptionDuplex\0False\0\n\0\0"s;
    SetPrinterDataW(usb, const_cast<wchar_t*>(L"FeatureKeyword"), REG_BINARY,
                    reinterpret_cast<BYTE*>(const_cast<char*>(text.data())), DWORD(text.size()));
    // zeusbopt.ini [Report]: hard disk (bit 7) and duplex unit; the library
    // writes the data file into the application data.
    EXPECT_EQ(config_(usb), 1u);
    const std::vector<BYTE> list = printerData(usb, L"FeatureKeyword");
    EXPECT_EQ(std::string(list.begin(), list.end()), "ZEHDD\0True\0\nZEOptionDuplex\0True\0\n\0\0"s);
    EXPECT_NE(GetFileAttributesW(usbData_.c_str()), INVALID_FILE_ATTRIBUTES);
    // The lookup of ConfigDeviceOptionExp serves NotifyDrvInstToPrinter; the
    // data file says duplex printing by default.
    EXPECT_EQ(notify_(usb, "Wren USB Test"), 0u);
    const std::vector<BYTE> dm = defaultDevmode(usb, 8);
    ASSERT_FALSE(dm.empty());
    EXPECT_EQ(asDevmode(dm).dmDuplex, 2);
    DeletePrinter(usb);
    ClosePrinter(usb);
}

TEST(FileSecurityPort, OpensUpAReadOnlyFile) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"wren-security-test.ini";
    std::ofstream(path.c_str()) << "[x]\n";
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    win32::Win32FileSecurity security;
    const std::u16string file(path.begin(), path.end());
    EXPECT_TRUE(security.grantEveryone(file));
    security.ownByAdministrators(file);  // Wine may refuse; the plug-in goes on either way
    security.takeOwnershipPrivilege(true);
    security.takeOwnershipPrivilege(false);
    EXPECT_TRUE(security.clearReadOnly(file));
    EXPECT_FALSE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(WritePrivateProfileStringW(L"x", L"k", L"v", path.c_str()));
    DeleteFileW(path.c_str());
}

// Files copied from read-only media keep that attribute; the new printer's
// initialisation makes its INI file, PPD and colour-correction file writable.
TEST_F(PrinterInitialisation, InitialisationMakesTheInstalledFilesWritable) {
    const std::wstring folder = installedFolder();
    const std::vector<std::wstring> files{folder + L"wren.ini", folder + L"wren.PPD", folder + L"wrenccm.dat"};
    // The tests that follow need the files writable, whatever happens here.
    struct Writable {
        const std::vector<std::wstring>& files;
        ~Writable() {
            for (const std::wstring& f : files) SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    } writable{files};
    for (const std::wstring& f : files) ASSERT_TRUE(SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY)) << f.c_str();
    ASSERT_EQ(plugin_->PrinterEvent(const_cast<wchar_t*>(kPrinterName), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
    for (const std::wstring& f : files) {
        const DWORD attributes = GetFileAttributesW(f.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << f.c_str();
        EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << f.c_str();
    }
}

}  // namespace
}  // namespace wren::wine_test
