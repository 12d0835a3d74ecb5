#include "common/settings/render_devmode.h"

#include "common/settings/devmode_dispatch.h"
#include "common/settings/record_copy.h"
#include "common/settings/record_text.h"

#include <algorithm>

namespace wren {
namespace {

// The paper list is searched over at most this many entries.
constexpr std::size_t kPaperSearchLimit = 999;

// Values are passed by copy: the record's fields may lie at any alignment.
template <typename T>
T within(T value, T low, T high, T fallback) {
    return (value < low || value > high) ? fallback : value;
}

void validate(PrivateRecord& r) {
    if (r.reserved8 != 0) {
        r.reserved9 = 0;
        r.reserved10 = 0;
    }
    if (r.watermarkIndex > 16) r.watermarkIndex = 0;
    const std::uint32_t ccm = r.ccmSetting;
    if ((ccm >> 16) > 1 || ((ccm >> 8) & 0xFF) > 1 || (ccm & 0xFF) > 59) r.ccmSetting = 0;
    // A count beyond its table's own bytes would make a reader run into the
    // next field: each table is checked against its true capacity.
    if (r.ccmTableNtCount > sizeof r.ccmTableNt) r.ccmTableNtCount = 0;
    if (r.ccmTableNvCount > sizeof r.ccmTableNv) r.ccmTableNvCount = 0;
    if (r.gammaOn > 1) {
        r.gammaOn = 0;
        r.gammaSettingId = 0;
    }
    if (r.nupCode > 6) r.nupCode = 0;
    if (r.orientation > 2) r.orientation = 0;
    if (r.cryptMode > 2) r.cryptMode = 0;
    if (r.cryptStrength > 3) r.cryptStrength = 0;
    const std::uint32_t limit = r.cryptTimeLimit;
    if (limit < 5 || (limit >> 16) > 23 || (limit & 0xFFFF) > 59) r.cryptTimeLimit = 0x20000;
    if (r.cryptPasswordLength == 0 || r.cryptPasswordLength > 255) {
        r.cryptPasswordLength = 0;
        r.cryptPassword[0] = 0;
    }
    if (r.compressionLevel > 3) r.compressionLevel = 0;
    r.colorRatioA = within<std::uint32_t>(r.colorRatioA, 9900, 10000, 10000);
    r.colorRatioB = within<std::uint32_t>(r.colorRatioB, 9900, 10000, 10000);
    for (int i = 0; i < 5; ++i) {
        r.duplexScaleX[i] = within<std::int32_t>(r.duplexScaleX[i], 9800, 10200, 10000);
        r.duplexScaleY[i] = within<std::int32_t>(r.duplexScaleY[i], 9800, 10200, 10000);
        r.duplexOffsetX[i] = within<std::int32_t>(r.duplexOffsetX[i], -20, 20, 0);
        r.duplexOffsetY[i] = within<std::int32_t>(r.duplexOffsetY[i], -20, 20, 0);
        r.duplexAdjust[i] = within<std::int32_t>(r.duplexAdjust[i], -50, 50, 0);
    }
    r.whiteAdjust = within<std::int32_t>(r.whiteAdjust, 0, 100, 100);
    r.cartridgeOff = within<std::int32_t>(r.cartridgeOff, 0, 1, 0);
}

}  // namespace

void renderMerge(const PrivateRecord* in, PrivateRecord* out) {
    if (!in || !out) return;
    if (in->dwSignature != out->dwSignature) {
        out->dwSize = kRecordSize;
        out->dwSignature = kRecordSignature;
        out->oemItemValue = 0;
    } else {
        out->oemItemValue = 0;
        copyRecordPrefix(*in, *out);
        validate(*out);
        out->dwSize = kRecordSize;
    }
    out->dwVersion = kRecordVersion;
}

void paperCapture(PublicDevmode* publicIn, PublicDevmode* publicOut, PrivateRecord* in, PrivateRecord* out,
                  const Spooler& spooler) {
    if (!publicIn || !publicOut || !in) return;
    // The paper fields lie near the end of the record: a record of another
    // writer, or one too short to hold them, has none to read or write.
    if (in->dwSignature != kRecordSignature || in->dwSize < offsetof(PrivateRecord, fitScale)) return;
    if (in->fitToPaper == 0 || publicIn->dmPaperSize == kCustomPaperSize) return;
    const std::int16_t documentPaper = publicIn->dmPaperSize;
    const std::int16_t outputPaper = static_cast<std::int16_t>(in->outputPaperSize & 0xFFFF);
    const auto documentCode = static_cast<std::uint32_t>(static_cast<std::int32_t>(documentPaper));
    const std::int16_t fallbackWidth = publicIn->dmPaperWidth;
    const std::int16_t fallbackLength = publicIn->dmPaperLength;
    const std::u16string device = readField(publicIn->dmDeviceName);
    in->documentPaperSize = documentCode;
    if (out) out->documentPaperSize = documentCode;
    publicOut->dmPaperSize = outputPaper;
    publicIn->dmPaperSize = outputPaper;

    std::vector<PaperSize> papers = spooler.papers(device);
    if (papers.empty()) return;
    std::uint32_t width = static_cast<std::uint32_t>(static_cast<std::int32_t>(fallbackWidth));
    std::uint32_t length = static_cast<std::uint32_t>(static_cast<std::int32_t>(fallbackLength));
    // Every reported paper takes part, the last one too: a printer that
    // lists the document's paper last still gets its real dimensions.
    const std::size_t searched = std::min(papers.size(), kPaperSearchLimit);
    for (std::size_t i = 0; i < searched; ++i) {
        if (static_cast<std::uint32_t>(static_cast<std::int32_t>(papers[i].code)) == documentCode) {
            width = static_cast<std::uint32_t>(papers[i].width);
            length = static_cast<std::uint32_t>(papers[i].length);
            break;
        }
    }
    in->documentPaperWidth = width;
    in->documentPaperLength = length;
    if (out) {
        out->documentPaperWidth = width;
        out->documentPaperLength = length;
    }
}

DevModeStatus renderDevMode(std::uint32_t mode, const DevModeRequest* request, const Spooler& spooler) {
    struct Operations : DevModeOperations {
        explicit Operations(const Spooler& s) : spooler(s) {}
        // The rendering side writes only what identifies the record; the
        // UI plug-in owns the defaults of the rest.
        void defaults(PrivateRecord* out, const DevModeRequest&) override {
            if (!out) return;
            writeHeader(*out);
            out->oemItemValue = 0;
        }
        void convert(PrivateRecord* in, PrivateRecord* out, const DevModeRequest&) override { renderMerge(in, out); }
        void merge(PrivateRecord* in, PrivateRecord* out, const DevModeRequest& request) override {
            paperCapture(request.publicIn, request.publicOut, in, out, spooler);
            renderMerge(in, out);
            defaults(out, request);
        }
        const Spooler& spooler;
    } operations(spooler);
    return dispatchDevMode(mode, request, operations);
}

}  // namespace wren
