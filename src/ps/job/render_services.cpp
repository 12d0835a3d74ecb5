#include "ps/job/render_services.h"

#include "common/family/family_libraries.h"

namespace wren {
namespace {

constexpr std::uint32_t kPostScriptOutputOption = 2;
constexpr std::uint8_t kEpsOutput = 2;

std::string keywordOf(const SettingBuffer& buffer) {
    std::size_t n = 0;
    while (n < buffer.size() && buffer[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(buffer.data()), n);
}

}  // namespace

bool writeToStream(RenderContext& ctx, std::string_view text) {
    if (text.empty()) return true;
    auto size = static_cast<std::uint32_t>(text.size());
    return ctx.stream.write(text.data(), size) == size;
}

std::string optionOf(const RenderContext& ctx, const char* feature) {
    SettingBuffer buffer{};
    if (!ctx.settings.feature(feature, buffer)) return {};
    return keywordOf(buffer);
}

bool isEpsOutput(const RenderContext& ctx) {
    SettingBuffer buffer{};
    ctx.settings.predefined(kPostScriptOutputOption, buffer);
    return buffer[0] == kEpsOutput;
}

int nupCount(std::uint8_t nupCode) {
    switch (nupCode) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 6;
    case 4: return 9;
    case 5: return 16;
    case 6: return 2;
    default: return 1;
    }
}

DriverConfig driverConfigOf(const RenderContext& ctx) {
    return DriverConfig(ctx.ports.spooler, ctx.ports.profile, ctx.printer);
}

std::u16string driverFilePath(const RenderContext& ctx, std::u16string_view name) {
    return driverConfigOf(ctx).driverFilePath(name);
}

bool jobLimitActive(const RenderContext& ctx) {
    if (optionOf(ctx, "ZEJobLimit") != "True") return false;
    return !driverConfigOf(ctx).modelKey(ctx.job.capabilityFile, kCipherKey).empty();
}

bool icCardDriverPresent(const RenderContext& ctx) {
    DriverConfig config = driverConfigOf(ctx);
    IcCardLibrary library(loadFamilyLibrary(config, ctx.ports.loader, ctx.job.capabilityFile, kIcCardKey));
    if (!library.loaded()) return false;
    const std::optional<std::u16string>& driver = config.driverName();
    return library.cardDriverPresent(ctx.ports.codePage, driver.value_or(u""), ctx.job.capabilityFile);
}

bool userAuthLibraryPresent(const RenderContext& ctx) {
    DriverConfig config = driverConfigOf(ctx);
    UserAuthLibrary library(loadFamilyLibrary(config, ctx.ports.loader, ctx.job.capabilityFile, kUserAuthKey));
    return library.hasUserAuthDialog();
}

std::string effectiveJobType(const RenderContext& ctx, bool icCardPresent) {
    std::string type = optionOf(ctx, "ZEJob_Type");
    if (jobLimitActive(ctx)) return std::string(kJobSecureChip);
    if (type != kJobNormal && icCardPresent) return std::string(kJobSecureChip);
    return type;
}

void settleJob(RenderContext& ctx) {
    ctx.job.icCardPresent = icCardDriverPresent(ctx);
    ctx.job.effectiveJobType = effectiveJobType(ctx, ctx.job.icCardPresent);
    ctx.job.settled = true;
}

}  // namespace wren
