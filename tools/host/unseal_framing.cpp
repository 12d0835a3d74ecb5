#include "unseal_framing.h"

#include <cstdint>

namespace wren::host {
namespace {

constexpr std::string_view kAnyResourceWrite = "@PJL ZELRESOURCEWRITE";
constexpr std::size_t kMaxSizeDigits = 10;  // sizes are 32-bit

class Reader {
public:
    Reader(std::string_view job, FramingError& error) : job_(job), error_(error) {}

    bool startsWith(std::string_view text) const { return job_.substr(at_).starts_with(text); }
    bool atEnd() const { return at_ == job_.size(); }
    std::size_t offset() const { return at_; }
    void seek(std::size_t at) { at_ = at; }

    bool fail(std::string message) {
        error_.offset = at_;
        error_.message = std::move(message);
        return false;
    }

    bool expect(std::string_view text, const char* what) {
        if (!startsWith(text)) return fail(std::string("expected ") + what);
        at_ += text.size();
        return true;
    }

    // "<line>SIZE=n\n", n bytes, the universal exit language.
    bool chunk(std::string_view line, const char* name, std::string_view& payload) {
        if (!expect(line, name)) return false;
        const std::size_t digitsAt = at_;
        std::uint64_t size = 0;
        while (at_ < job_.size() && job_[at_] >= '0' && job_[at_] <= '9' && at_ - digitsAt <= kMaxSizeDigits)
            size = size * 10 + std::uint64_t(job_[at_++] - '0');
        const std::size_t digits = at_ - digitsAt;
        if (digits == 0) return fail(std::string("the ") + name + " size has no digits");
        if (digits > kMaxSizeDigits || size > 0xFFFFFFFFu)
            return fail(std::string("the ") + name + " size does not fit 32 bits");
        if (digits > 1 && job_[digitsAt] == '0') return fail(std::string("the ") + name + " size has a leading zero");
        if (!expect("\n", "a line feed after the size")) return false;
        if (job_.size() - at_ < size)
            return fail(std::string("the ") + name + " chunk claims " + std::to_string(size) + " bytes, " +
                        std::to_string(job_.size() - at_) + " remain");
        payload = job_.substr(at_, std::size_t(size));
        at_ += std::size_t(size);
        return expect(kUniversalExit, "the universal exit language after a chunk");
    }

private:
    std::string_view job_;
    FramingError& error_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<SealedFrames> parseSealedFrames(std::string_view job, FramingError& error) {
    Reader reader(job, error);
    SealedFrames frames;
    const std::size_t start = job.find(kWriteStartLine);
    if (start == std::string_view::npos) {
        reader.fail("no write_start line: the job is not encrypted or was cancelled before it started");
        return std::nullopt;
    }
    frames.plainHeader = job.substr(0, start);
    if (std::size_t other = frames.plainHeader.find(kAnyResourceWrite); other != std::string_view::npos) {
        reader.seek(other);
        reader.fail("a resource write before write_start");
        return std::nullopt;
    }
    reader.seek(start);
    if (!reader.chunk(kWriteStartLine, "write_start", frames.start)) return std::nullopt;
    for (;;) {
        std::string_view payload;
        if (reader.startsWith(kWriteLine)) {
            if (!reader.chunk(kWriteLine, "write", payload)) return std::nullopt;
            frames.writes.push_back(payload);
        } else if (reader.startsWith(kWriteEndLine)) {
            if (!reader.chunk(kWriteEndLine, "write_end", frames.end)) return std::nullopt;
            break;
        } else if (reader.atEnd()) {
            reader.fail("the job ends without write_end: it was cut short");
            return std::nullopt;
        } else {
            reader.fail("expected a write or write_end line");
            return std::nullopt;
        }
    }
    if (!reader.expect(kJobEndLine, "the job end line after write_end")) return std::nullopt;
    if (!reader.atEnd()) {
        reader.fail("bytes after the job end");
        return std::nullopt;
    }
    return frames;
}

}  // namespace wren::host
