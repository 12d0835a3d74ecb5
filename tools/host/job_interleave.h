// Several devices' jobs on one thread, interleaved as a spooler serving
// several queues may run them: each job's stream is recorded first (the DSC
// splitter's bytes and injection points), then the jobs take one step each
// in turn: an injection point, or at most one block's worth of bytes, so
// that every turn hands each device at most one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dsc_stream.h"

namespace wren::host {

class RecordedStream final : public StreamSink {
public:
    // `target` is the job's own sink: it answers what the core driver writes
    // itself while the stream is recorded, hears the splitter's notes, and
    // receives the steps when they are played.
    RecordedStream(StreamSink& target, std::size_t stepSize);

    void bytes(std::string_view data) override;
    void inject(std::uint32_t point) override;
    void note(std::string_view text) override { target_.note(text); }
    std::string documentProlog() override { return target_.documentProlog(); }
    std::string documentSetup() override { return target_.documentSetup(); }
    std::string pageSetup() override { return target_.pageSetup(); }

    bool done() const { return next_ == steps_.size(); }
    // Plays the next step into the target (nothing once done).
    void playStep();

private:
    struct Step {
        bool injection;
        std::uint32_t point;       // an injection's
        std::size_t offset, size;  // bytes' in bytes_
    };
    StreamSink& target_;
    std::size_t stepSize_;
    std::string bytes_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

}  // namespace wren::host
