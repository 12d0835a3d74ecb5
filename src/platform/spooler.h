// Port: what the plug-ins ask the print spooler about a printer, its driver
// and its jobs, and the spooler calls that send or cancel a job's bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wren {

using PrinterHandle = void*;

struct PaperSize {
    std::int16_t code = 0;       // DMPAPER code
    std::int32_t width = 0;      // tenths of a millimetre
    std::int32_t length = 0;
};

struct NamedPaper {
    std::u16string name;         // DC_PAPERNAMES entry, at most 63 characters
    PaperSize size;
};

struct PrinterDetails {          // PRINTER_INFO_2, the parts we use
    std::u16string printerName;
    std::u16string driverName;
    std::uint32_t attributes = 0;
};

inline constexpr std::uint32_t kPrinterAttributeShared = 0x00000008;
inline constexpr std::uint32_t kPrinterAttributeNetwork = 0x00000010;

class Spooler {
public:
    virtual ~Spooler() = default;
    // The driver's dependent files (DRIVER_INFO_3) as the spooler gives them:
    // full paths, each NUL-terminated, the list closed by a second NUL.
    virtual std::optional<std::u16string> dependentFiles(PrinterHandle printer) const = 0;
    // DRIVER_INFO_1.pName.
    virtual std::optional<std::u16string> driverName(PrinterHandle printer) const = 0;
    // The local printer-driver directory for the current environment, or
    // nothing when it does not fit a buffer of `bufferBytes` or the call fails.
    virtual std::optional<std::u16string> printerDriverDirectory(std::size_t bufferBytes) const = 0;
    // DC_PAPERS with DC_PAPERSIZE; empty when the printer reports none.
    virtual std::vector<PaperSize> papers(std::u16string_view deviceName) const = 0;
    // DC_PAPERS with DC_PAPERNAMES and DC_PAPERSIZE, in the printer's order;
    // empty when the printer reports none or the three lists disagree.
    virtual std::vector<NamedPaper> namedPapers(std::u16string_view deviceName) const = 0;
    virtual std::optional<PrinterDetails> printerDetails(PrinterHandle printer) const = 0;
    // SetPrinterDataW with a REG_DWORD value; false when the spooler refuses.
    virtual bool setPrinterDword(PrinterHandle printer, std::u16string_view name, std::uint32_t value) const = 0;
    // GetPrinterDataW of a 4-byte value; nothing when it is absent or of
    // another size.
    virtual std::optional<std::uint32_t> printerDword(PrinterHandle printer, std::u16string_view name) const = 0;
    // JOB_INFO_2.pDocument; nothing when the job cannot be read.
    virtual std::optional<std::u16string> jobDocument(PrinterHandle printer, std::uint32_t jobId) const = 0;
    // WritePrinter: false when the spooler call fails.
    virtual bool write(PrinterHandle printer, const void* data, std::uint32_t size,
                       std::uint32_t* written) const = 0;
    virtual void cancelJob(PrinterHandle printer, std::uint32_t jobId) const = 0;
};

}  // namespace wren
