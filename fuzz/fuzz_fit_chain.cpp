// Fit to paper from the DEVMODE a document brings to the metrics the core
// driver receives: the paper capture and the merge of the rendering plug-in,
// then the scale at EnablePDEV, over arbitrary paper codes, sizes, printer
// paper lists, orientations and resolutions.
//
// Invariants: a scaled device reports positive metrics within range and a
// positive scale; an unscaled one keeps every metric it had and reports the
// unscaled value.
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

#include "common/settings/render_devmode.h"
#include "fakes.h"
#include "ps/job/fit_to_paper.h"

using namespace wren;

namespace {

constexpr std::int64_t kInt32Max = 0x7FFFFFFF;

void check(bool invariant) {
    if (!invariant) std::abort();
}

void checkScaled(const DeviceMetrics& m, const PrivateRecord& record) {
    check(m.logPixelsX > 0 && m.logPixelsX <= kInt32Max && m.logPixelsY == m.logPixelsX);
    check(m.physWidth > 0 && m.physHeight > 0);
    check(m.horzRes > 0 && m.horzRes <= static_cast<std::uint32_t>(m.physWidth));
    check(m.vertRes > 0 && m.vertRes <= static_cast<std::uint32_t>(m.physHeight));
    check(m.offsetX >= 0 && m.offsetX == m.offsetY);
    // Millimetres of a paper within the fit range.
    check(m.horzSize > 0 && m.horzSize <= kFitMaxPaperTenths / 10);
    check(m.vertSize > 0 && m.vertSize <= kFitMaxPaperTenths / 10);
    // The document's paper at the scaled resolution, with a pixel of slack
    // for the truncations.
    const std::int64_t longest = static_cast<std::int64_t>(m.logPixelsX) * kFitMaxPaperTenths / 254 + 1;
    check(m.physWidth <= longest && m.physHeight <= longest);
    check(record.fitScale > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fuzz(data, size);
    test::FakeSpooler spooler;
    const std::size_t paperCount = fuzz.ConsumeIntegralInRange<std::size_t>(0, 6);
    for (std::size_t i = 0; i < paperCount; ++i)
        spooler.paperList.push_back(
            {fuzz.ConsumeIntegral<std::int16_t>(), fuzz.ConsumeIntegral<std::int32_t>(), fuzz.ConsumeIntegral<std::int32_t>()});

    PublicDevmode publicIn{}, publicOut{};
    publicIn.dmPaperSize = fuzz.ConsumeIntegral<std::int16_t>();
    publicIn.dmPaperWidth = fuzz.ConsumeIntegral<std::int16_t>();
    publicIn.dmPaperLength = fuzz.ConsumeIntegral<std::int16_t>();
    publicIn.dmOrientation = fuzz.ConsumeIntegral<std::int16_t>();
    publicOut = publicIn;

    PrivateRecord in{}, out{};
    in.dwSignature = out.dwSignature = kRecordSignature;
    in.dwSize = out.dwSize = fuzz.ConsumeBool() ? kRecordSize : fuzz.ConsumeIntegral<std::uint32_t>();
    in.fitToPaper = fuzz.ConsumeIntegralInRange<std::uint32_t>(0, 2);
    in.outputPaperSize = fuzz.ConsumeIntegral<std::uint32_t>();
    // What an earlier writer left in the paper fields.
    in.documentPaperWidth = fuzz.ConsumeIntegral<std::uint32_t>();
    in.documentPaperLength = fuzz.ConsumeIntegral<std::uint32_t>();
    in.fitScale = fuzz.ConsumeIntegral<std::uint32_t>();

    paperCapture(&publicIn, &publicOut, &in, &out, spooler);
    renderMerge(&in, &out);

    // The core driver gives the output paper its dimensions, or leaves the
    // DEVMODE's own.
    if (fuzz.ConsumeBool()) {
        publicOut.dmPaperWidth = fuzz.ConsumeIntegral<std::int16_t>();
        publicOut.dmPaperLength = fuzz.ConsumeIntegral<std::int16_t>();
    }
    DeviceMetrics metrics;
    metrics.logPixelsX = fuzz.ConsumeIntegral<std::uint32_t>();
    metrics.logPixelsY = fuzz.ConsumeBool() ? metrics.logPixelsX : fuzz.ConsumeIntegral<std::uint32_t>();
    metrics.physWidth = fuzz.ConsumeIntegral<std::int32_t>();
    metrics.physHeight = fuzz.ConsumeIntegral<std::int32_t>();
    metrics.horzSize = fuzz.ConsumeIntegral<std::uint32_t>();
    metrics.vertSize = fuzz.ConsumeIntegral<std::uint32_t>();
    metrics.offsetX = metrics.offsetY = fuzz.ConsumeIntegral<std::int32_t>();
    metrics.horzRes = fuzz.ConsumeIntegral<std::uint32_t>();
    metrics.vertRes = fuzz.ConsumeIntegral<std::uint32_t>();
    const DeviceMetrics before = metrics;

    if (fitDeviceToPaper(out, publicOut, metrics)) {
        checkScaled(metrics, out);
    } else {
        check(metrics == before);
        check(out.fitScale == kUnscaled);
    }
    return 0;
}
