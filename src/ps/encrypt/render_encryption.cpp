#include "ps/encrypt/render_encryption.h"

#include "common/family/family_libraries.h"
#include "ps/encrypt/encryption_ports.h"
#include "ps/job/render_services.h"

namespace wren {
namespace {

class DevicePorts : public EncryptionPorts {
public:
    explicit DevicePorts(RenderContext& ctx) : ctx_(ctx) {}

    std::unique_ptr<Library> cipherLibrary() override {
        return loadFamilyLibrary(driverConfigOf(ctx_), ctx_.ports.loader, ctx_.job.capabilityFile, kCipherKey);
    }

    std::optional<std::vector<std::uint8_t>> cardData(std::uint32_t size) override {
        DriverConfig config = driverConfigOf(ctx_);
        IcCardLibrary library(loadFamilyLibrary(config, ctx_.ports.loader, ctx_.job.capabilityFile, kIcCardKey));
        if (!library.loaded()) return std::nullopt;
        return library.cardData(ctx_.ports.codePage, config.driverName().value_or(u""), ctx_.job.capabilityFile,
                                size);
    }

    bool send(const void* data, std::uint32_t size) override {
        std::uint32_t count = 0;
        // A short write would leave the printer a frame it cannot parse.
        return ctx_.ports.spooler.write(ctx_.printer, data, size, &count) && count == size;
    }

private:
    RenderContext& ctx_;
};

}  // namespace

bool encryptEndOfStream(RenderContext& ctx) {
    DevicePorts ports(ctx);
    std::uint32_t written = 0;
    return ctx.job.encryption.endOfStream(ports, ctx.record, ctx.job.icCardPresent, written);
}

bool encryptBlock(RenderContext& ctx, const void* data, std::uint32_t size, std::uint32_t& written) {
    DevicePorts ports(ctx);
    return ctx.job.encryption.writeBlock(ports, ctx.record, ctx.job.icCardPresent,
                                         static_cast<const std::uint8_t*>(data), size, written);
}

}  // namespace wren
