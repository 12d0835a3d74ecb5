#include "ps/job/job_start.h"

#include "common/config/driver_config.h"
#include "common/family/family_libraries.h"
#include "ps/job/document_name.h"

namespace wren {
namespace {

constexpr std::size_t kJobInfoLibraryChars = 64;
// PRINTER_INFO_2's driver name is taken up to this many characters.
constexpr std::size_t kDriverNameChars = 260;
constexpr std::size_t kNameChars = 64;

void collectJobFacts(const RenderPorts& ports, PrinterHandle printer, std::uint32_t jobId, JobState& job) {
    job.jobId = jobId;
    std::optional<PrinterDetails> details = ports.spooler.printerDetails(printer);
    if (!details) return;
    // The model section is found by PRINTER_INFO_2's driver name here.
    const DriverConfig config(ports.spooler, ports.profile, printer);
    const std::u16string section = config.modelSectionOf(
        job.capabilityFile, std::u16string_view(details->driverName).substr(0, kDriverNameChars));
    if (!section.empty()) {
        std::u16string library = ports.profile.readString(job.capabilityFile, section, kJobInfoKey, kJobInfoLibraryChars);
        if (!library.empty()) job.jobInfoLibrary = library;
    }
    job.printerName = ports.codePage.toAnsi(std::u16string_view(details->printerName).substr(0, kNameChars), kNameChars * 2 + 1);
    job.capabilityFileAnsi =
        ports.codePage.toAnsi(std::u16string_view(job.capabilityFile).substr(0, kNameChars), kNameChars * 2 + 1);
    if (std::optional<std::u16string> document = ports.spooler.jobDocument(printer, jobId))
        job.documentName = cleanDocumentName(ports.codePage.toAnsi(*document, kDocumentNameBytes), ports.codePage);
}

}  // namespace

bool locateConfiguration(const RenderPorts& ports, PrinterHandle printer, JobState& job) {
    job.capabilityFile.clear();
    ConfigFiles files = DriverConfig(ports.spooler, ports.profile, printer).locate(kRenderOemConfigChars);
    job.capabilityFile = files.capabilityFile;
    if (files.pluginIni) job.pluginIniFile = *files.pluginIni;
    return files.found;
}

void onStartDoc(const RenderPorts& ports, PrinterHandle printer, std::uint32_t jobId, JobState& job) {
    if (job.collectAtStartDoc) {
        if (locateConfiguration(ports, printer, job)) collectJobFacts(ports, printer, jobId, job);
        job.collectAtStartDoc = false;
    }
    job.jobId = jobId;
}

}  // namespace wren
