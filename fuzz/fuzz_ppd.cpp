// The host's printer-description reader over arbitrary bytes; an accepted
// description must hold only what its bounds allow, and the trees built
// from it must keep every selection within its options.
#include "ppd_reader.h"
#include "preferences_model.h"

using namespace wren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    host::PpdError error;
    auto ppd = host::parsePpd(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!ppd) {
        if (error.message.empty()) __builtin_trap();
        return 0;
    }
    if (ppd->features.size() > host::kPpdMaxFeatures) __builtin_trap();
    for (const host::PpdFeature& f : ppd->features) {
        if (f.options.empty() || f.options.size() > host::kPpdMaxOptions) __builtin_trap();
        if (f.keyword.empty() || f.keyword.size() > host::kPpdMaxKeyword || f.defaultIndex() >= f.options.size())
            __builtin_trap();
    }
    auto check = [](const std::vector<host::TreeItem>& items) {
        for (const host::TreeItem& item : items) {
            if (item.control == host::ItemControl::UpDown) {
                if (item.sel < item.lower || item.sel > item.upper) __builtin_trap();
            } else if (item.sel < 0 || static_cast<std::size_t>(item.sel) >= item.options.size()) {
                __builtin_trap();
            }
        }
    };
    host::Ticket ticket;
    PublicDevmode dm{};
    check(host::buildDocumentItems(*ppd, ticket, dm));
    check(host::buildPrinterItems(*ppd, ticket));
    return 0;
}
