#include "job_interleave.h"

#include <algorithm>

namespace wren::host {

RecordedStream::RecordedStream(StreamSink& target, std::size_t stepSize)
    : target_(target), stepSize_(stepSize == 0 ? 1 : stepSize) {}

void RecordedStream::bytes(std::string_view data) {
    while (!data.empty()) {
        // Bytes that follow bytes fill the last step up before a new one
        // starts: the splitter's pieces do not decide where turns change.
        if (steps_.empty() || steps_.back().injection || steps_.back().size == stepSize_)
            steps_.push_back(Step{false, 0, bytes_.size(), 0});
        Step& step = steps_.back();
        const std::size_t take = std::min(data.size(), stepSize_ - step.size);
        bytes_.append(data.substr(0, take));
        step.size += take;
        data.remove_prefix(take);
    }
}

void RecordedStream::inject(std::uint32_t point) { steps_.push_back(Step{true, point, 0, 0}); }

void RecordedStream::playStep() {
    if (done()) return;
    const Step& step = steps_[next_++];
    if (step.injection) target_.inject(step.point);
    else target_.bytes(std::string_view(bytes_).substr(step.offset, step.size));
}

}  // namespace wren::host
