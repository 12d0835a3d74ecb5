#include "render_device.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

#include "common/settings/record_text.h"
#include "ps/job/job_start.h"
#include "ps/overlay/overlay_emission.h"
#include "ps/watermark/watermark_emission.h"

namespace wren::test {
namespace {

std::string sourceFile(const char* name) {
    std::ifstream in(std::string(WREN_SOURCE_DIR) + "/src/ps/resources/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::u16string widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// The plug-in's handlers for the parts other modules own, as its shell wires them.
class DeviceExtras : public InjectionExtras {
public:
    explicit DeviceExtras(const TemplateSource& templates) : templates_(templates) {}
    void overlayProcedureSets(RenderContext& ctx) override { writeOverlayProcedureSets(ctx); }
    void overlayFormDictionary(RenderContext& ctx) override { writeOverlayFormDictionary(ctx); }
    bool watermarkDefinition(RenderContext& ctx) override { return writeWatermarkDefinition(ctx, templates_); }
    bool watermarkPage(RenderContext& ctx) override { return writeWatermarkPage(ctx, templates_); }

private:
    const TemplateSource& templates_;
};

class SharedFile : public ReadableFile {
public:
    explicit SharedFile(const std::string& bytes) : bytes_(bytes) {}
    std::optional<std::size_t> read(void* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, bytes_.size() - at_);
        std::memcpy(buffer, bytes_.data() + at_, n);
        at_ += n;
        return n;
    }

private:
    const std::string& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

const char* kindName(JobKind kind) {
    switch (kind) {
    case JobKind::Plain: return "plain";
    case JobKind::Encrypted: return "encrypted";
    case JobKind::Watermark: return "watermark";
    case JobKind::Overlay: return "overlay";
    }
    return "?";
}

ResourceTemplates::ResourceTemplates()
    : stored_{{PostScriptTemplate::WatermarkDefinition, sourceFile("watermark_definition.ps")},
              {PostScriptTemplate::WatermarkBackground, sourceFile("watermark_background.ps")},
              {PostScriptTemplate::WatermarkForeground, sourceFile("watermark_foreground.ps")}} {}

std::optional<std::string_view> ResourceTemplates::bytes(PostScriptTemplate id) const {
    auto it = stored_.find(id);
    if (it == stored_.end() || it->second.empty()) return std::nullopt;
    return std::string_view(it->second);
}

std::unique_ptr<ReadableFile> SharedDataFiles::openShared(std::u16string_view path) const {
    auto it = files_.find(std::u16string(path));
    if (it == files_.end()) return nullptr;
    return std::make_unique<SharedFile>(it->second);
}

RenderDevice::RenderDevice(JobKind kind, int number, SharedProcess& process)
    : kind_(kind),
      number_(number),
      marker_("MARKER-" + std::to_string(number) + "-" + kindName(kind)),
      printerName_("Wren Device " + std::to_string(number)),
      key_("key-of-device-" + std::to_string(number)),
      process_(process),
      printer_(reinterpret_cast<PrinterHandle>(static_cast<std::uintptr_t>(0x100 + number))),
      jobId_(static_cast<std::uint32_t>(40 + number)),
      ports_{spooler_, profile_, process.loader, codePage_, nullptr, &process.applicationNames, &process.files},
      ctx_{ports_, printer_, record_, devmode_, settings_, buffer_, job_},
      blockSizes_(static_cast<std::uint32_t>(7919 * number + 1)) {
    configure();
}

void RenderDevice::configure() {
    FakePrinter& printer = spooler_.printers[printer_];
    printer.dependentFiles = FakeSpooler::list(
        {u"C:\\drv\\3\\wrenps.dll", u"C:\\drv\\3\\wren.ini", u"C:\\drv\\3\\wren.cap", u"C:\\drv\\3\\wren.ver"});
    printer.details.printerName = widen(printerName_);
    printer.jobDocuments[jobId_] = u"Report of device " + widen(std::to_string(number_));
    const std::string n = std::to_string(number_);
    profile_.addFile(u"C:\\drv\\3\\wren.ini",
                     "[OEMFiles]\nOEMConfigFile1=wrenui.dll\n"
                     "[DependentFiles]\nHALFTONE=wrengam.dat\nPROCSET_JP=zeproc.ps\nOVERLAY_JP=zeovl.ps\n"
                     "[Overlay_Info 0]\nForm_Num=2\nForm_Name 0=FORM" + n + "A\nForm_Name 1=FORM" + n +
                     "B\nPageMode=4\nCustomPage=1," + n + "-\n");
    profile_.addFile(u"C:\\drv\\3\\wren.cap",
                     "[Capability]\nWren ZE Colour PS=WrenC5\n[WrenC5]\nCompression=0x0500\n"
                     "CryptoDll=zecipher.dll\nCARD_DLL=zeiccard.dll\nJobInfoDLL=zejobinfo.dll\n");
    profile_.addFile(u"C:\\drv\\3\\wren.ver", "[Version]\nDriverVer=06/21/2012,1.0.3.0\n");
    profile_.addFile(u"C:\\drivers\\x64\\3\\wrengam.dat",
                     "[PSGamma]\nSettingNum=2\nPSGammaCommand1={0.9 exp} settransfer\n");

    record_.dwSize = kRecordSize;
    record_.dwSignature = kRecordSignature;
    record_.whiteAdjust = 100;
    record_.noSpecialColorSpace = 1;
    for (int i = 0; i < 5; ++i) record_.duplexScaleX[i] = record_.duplexScaleY[i] = 10000;
    record_.cryptTimeLimit = 0x00020000;
    for (auto& id : record_.overlayIds) id = 255;
    devmode_.dmColor = 2;
    devmode_.dmDuplex = 1;
    devmode_.dmNup = 1;
    settings_.features["ZEJob_Type"] = "Normal";

    switch (kind_) {
    case JobKind::Plain:
        break;
    case JobKind::Encrypted: {
        settings_.features["ZEJob_Type"] = "Secure_Chip";
        const std::vector<std::uint8_t> stored = storedPassword(key_);
        std::memcpy(record_.cryptPassword, stored.data(), stored.size());
        record_.cryptPasswordLength = static_cast<std::uint32_t>(stored.size());
        break;
    }
    case JobKind::Watermark:
        record_.watermarkIndex = 1;
        writeField(record_.wmText, u"WATERMARK OF DEVICE " + widen(std::to_string(number_)));
        writeField(record_.wmFontName, u"Helvetica-Bold");
        writeField(record_.wmColorText, "0.75 0.75 0.75");
        record_.wmSize = 40 + number_;
        record_.wmAngle = 45;
        record_.wmPosition = 3;
        record_.fitToPaper = 1;
        record_.fitScale = 707;
        break;
    case JobKind::Overlay:
        settings_.features["ZEOverlay"] = "Use";
        record_.overlayIds[0] = 0;
        break;
    }
}

void RenderDevice::composeStage(int stage) {
    DeviceExtras extras(process_.templates);
    auto inject = [&](std::uint32_t point) { failed_ |= !runInjection(ctx_, point, extras); };
    if (stage == 0) {
        // The core driver's start of document, then the first bytes it writes.
        blockSizes_.seed(static_cast<std::uint32_t>(7919 * number_ + 1));
        buffer_.composed.clear();
        onStartDoc(ports_, printer_, jobId_, job_);
        inject(kBeginStream);
    } else if (stage == 1) {
        write("%!PS-Adobe-3.0\n%%Title: " + marker_ + "\n%%BeginProlog\n");
        inject(kBeginProlog);
        write("%%EndProlog\n%%BeginSetup\n");
        inject(kBeginSetup);
        inject(kEndSetup);
        write("%%EndSetup\n");
    } else if (stage < kStages - 1) {
        const std::string page = std::to_string(stage - 1);
        write("%%Page: " + page + " " + page + "\n%%BeginPageSetup\n");
        inject(kEndPageSetup);
        write("%%EndPageSetup\n");
        for (int line = 0; line < 40; ++line)
            write("72 " + std::to_string(700 - line * 15) + " moveto (" + marker_ + " page " + page + " line " +
                  std::to_string(line) + ") show\n");
        write("showpage\n");
    } else {
        write("%%Trailer\n");
        inject(kEndStream);
    }
}

void RenderDevice::sendBlock() {
    std::string& pending = buffer_.pending;
    const std::size_t size = std::min<std::size_t>(pending.size(), 1 + blockSizes_() % 1500);
    std::uint32_t written = 0;
    if (writeBlock(ctx_, pending.data(), static_cast<std::uint32_t>(size), &written) != BlockResult::Sent)
        failed_ = true;
    pending.erase(0, size);
}

bool RenderDevice::step() {
    if (!buffer_.pending.empty()) {
        sendBlock();
        return true;
    }
    if (nextStage_ < kStages) {
        composeStage(nextStage_++);
        return true;
    }
    if (nextStage_ == kStages) {
        // The core driver's end of document, after its last block.
        failed_ |= !endStream(ctx_);
        ++nextStage_;
        return true;
    }
    return false;
}

std::string RenderDevice::printJob() {
    while (step()) {
    }
    return takeOutput();
}

std::string RenderDevice::takeOutput() {
    std::string out = std::exchange(spooler_.written, std::string());
    nextStage_ = 0;
    // A refused injection or block shows in the output, as the printer
    // would show a broken job.
    return std::exchange(failed_, false) ? "failed: " + out : out;
}

}  // namespace wren::test
