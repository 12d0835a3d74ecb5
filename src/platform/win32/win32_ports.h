// The platform ports implemented with the Win32 API.
#pragma once

#include "platform/codepage.h"
#include "platform/file_source.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/spooler.h"

namespace wren::win32 {

class Win32Profile final : public Profile {
public:
    std::u16string readString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                              std::size_t bufferChars, std::u16string_view fallback) const override;
    int readInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                int fallback) const override;
    bool writeString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) const override;
    std::vector<std::u16string> keyNames(std::u16string_view file, std::u16string_view section,
                                         std::size_t bufferChars) const override;
    bool deleteSection(std::u16string_view file, std::u16string_view section) const override;
};

class Win32Spooler final : public Spooler {
public:
    std::optional<std::u16string> dependentFiles(PrinterHandle printer) const override;
    std::optional<std::u16string> driverName(PrinterHandle printer) const override;
    std::optional<std::u16string> printerDriverDirectory(std::size_t bufferBytes) const override;
    std::vector<PaperSize> papers(std::u16string_view deviceName) const override;
    std::vector<NamedPaper> namedPapers(std::u16string_view deviceName) const override;
    std::optional<PrinterDetails> printerDetails(PrinterHandle printer) const override;
    std::optional<std::uint32_t> printerDword(PrinterHandle printer, std::u16string_view name) const override;
    bool setPrinterDword(PrinterHandle printer, std::u16string_view name, std::uint32_t value) const override;
    std::optional<std::u16string> jobDocument(PrinterHandle printer, std::uint32_t jobId) const override;
    bool write(PrinterHandle printer, const void* data, std::uint32_t size, std::uint32_t* written) const override;
    void cancelJob(PrinterHandle printer, std::uint32_t jobId) const override;
};

class Win32LibraryLoader final : public LibraryLoader {
public:
    std::unique_ptr<Library> load(std::u16string_view path) const override;
};

class Win32CodePage final : public CodePage {
public:
    std::string toAnsi(std::u16string_view text, std::size_t maxBytes) const override;
    std::string toLocale(std::u16string_view text, std::size_t maxBytes) const override;
    std::u16string fromAnsi(std::string_view text, std::size_t maxChars) const override;
    std::u16string fromUserLocale(std::string_view text, std::size_t maxChars) const override;
    std::string toUserLocale(std::u16string_view text, std::size_t maxBytes) const override;
    bool isLeadByte(std::uint8_t byte) const override;
    bool isValidPair(std::uint8_t lead, std::uint8_t trail) const override;
};

class Win32FileSource final : public FileSource {
public:
    std::unique_ptr<ReadableFile> openShared(std::u16string_view path) const override;
};

// One set of ports per process: they hold no state. Constant-initialised,
// so that the plug-ins' own module-wide objects may refer to them while
// they are made, in any order.
struct Win32Ports {
    Win32Profile profile;
    Win32Spooler spooler;
    Win32LibraryLoader loader;
    Win32CodePage codePage;
    Win32FileSource files;
};
inline constinit Win32Ports processPorts{};
inline Win32Ports& ports() { return processPorts; }

}  // namespace wren::win32
