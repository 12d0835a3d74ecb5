#include "unseal_job.h"

namespace wren::host {

UnsealResult unsealJob(std::string_view job, std::string_view keyMaterial, const stand_in::KeyDerivation& derive,
                       std::string& plain) {
    UnsealResult result;
    plain.clear();
    if (keyMaterial.empty() || keyMaterial.size() > stand_in::kKeyMaterialBytes) {
        result.message = "the key must be 1 to " + std::to_string(stand_in::kKeyMaterialBytes) + " bytes";
        return result;
    }
    FramingError error;
    std::optional<SealedFrames> frames = parseSealedFrames(job, error);
    if (!frames) {
        result.message = "framing: " + error.message + " (at byte " + std::to_string(error.offset) + ")";
        return result;
    }
    result.plainHeader = frames->plainHeader;
    result.chunks = frames->writes.size();
    auto bytes = [](std::string_view v) { return stand_in::Bytes(v.begin(), v.end()); };
    stand_in::Bytes records;
    for (std::string_view w : frames->writes) records.insert(records.end(), w.begin(), w.end());
    stand_in::Bytes opened;
    stand_in::OpenResult open = stand_in::openJob(
        bytes(frames->start), records, bytes(frames->end), reinterpret_cast<const unsigned char*>(keyMaterial.data()),
        keyMaterial.size(), derive, opened);
    result.records = open.records;
    if (open.failure != stand_in::OpenFailure::None) {
        result.message = open.message;
        return result;
    }
    plain.assign(opened.begin(), opened.end());
    result.ok = true;
    return result;
}

}  // namespace wren::host
