#include "ps/encrypt/header_collector.h"

#include <algorithm>
#include <cstdio>

#include "ps/encrypt/bmh_search.h"
#include "ps/encrypt/end_detector.h"

namespace wren {
namespace {

constexpr std::size_t npos = BmhPattern::npos;

struct HeaderPattern {
    std::string_view text;
    bool cardOnly;
};

// In slot order.
constexpr HeaderPattern kHeaderPatterns[HeaderCollector::kSlots] = {
    {"@PJL JOB NAME", false},
    {"@PJL ZELAUXJOBINFO DATA=\"ComputerName=", false},
    {"@PJL ZELAUXJOBINFO DATA=\"UserName=", false},
    {"@PJL ZELAUXJOBINFO DATA=\"ReceptionTime=", false},
    {"@PJL COMMENT Device Name", true},
    {"@PJL COMMENT Version", true},
};

// Where the header ends: a language switch or PostScript header (the job
// gives up its header there), or the end of the job itself, which must not
// wait in the collector for bytes that never come.
constexpr std::string_view kStopPatterns[] = {"@PJL ENTER LANGUAGE", "%%!PS-Adobe", kEndOfJobPattern,
                                              kEndOfFilePattern};

// Made when the library loads, not as function-local statics: their
// thread-safe guard would leave a TLS slot behind at every unload.
const std::vector<BmhPattern> kHeaderSearches = [] {
    std::vector<BmhPattern> v;
    for (const HeaderPattern& p : kHeaderPatterns) v.emplace_back(p.text);
    return v;
}();
const std::vector<BmhPattern> kStopSearches(std::begin(kStopPatterns), std::end(kStopPatterns));

const std::vector<BmhPattern>& headerSearches() { return kHeaderSearches; }
const std::vector<BmhPattern>& stopSearches() { return kStopSearches; }

constexpr std::string_view kUniversalExit = "\x1B%-12345X";

bool endsLine(std::uint8_t c) { return c == '\r' || c == '\n' || c == '\0'; }

// Where a search for a pattern of `length` bytes starts so that a match cut
// by the previous block boundary is still seen.
std::size_t overlapStart(std::size_t oldSize, std::size_t length) {
    return oldSize >= length - 1 ? oldSize - (length - 1) : 0;
}

}  // namespace

HeaderCollector::HeaderCollector(std::uint32_t keepingTime, bool icCard)
    : keepingTime_(keepingTime), icCard_(icCard), stopAt_(npos) {
    copy_.reserve(kCopyLimit);
}

std::size_t HeaderCollector::append(const std::uint8_t* data, std::size_t size) {
    if (state_ != State::Collecting || size == 0) return 0;
    const std::size_t oldSize = copy_.size();
    const std::size_t take = std::min(size, kCopyLimit - oldSize);
    copy_.insert(copy_.end(), data, data + take);
    findStop(oldSize);
    findPatterns(oldSize);
    state_ = decide();
    return take;
}

void HeaderCollector::findStop(std::size_t oldSize) {
    for (const BmhPattern& stop : stopSearches()) {
        const std::size_t from = overlapStart(oldSize, stop.size());
        const std::size_t hit = stop.find(copy_.data() + from, copy_.size() - from);
        if (hit != npos) stopAt_ = std::min(stopAt_, from + hit);
    }
}

void HeaderCollector::findPatterns(std::size_t oldSize) {
    const std::vector<BmhPattern>& searches = headerSearches();
    for (std::size_t i = 0; i < kSlots; ++i) {
        Capture& slot = slots_[i];
        if (kHeaderPatterns[i].cardOnly && !icCard_) continue;
        // A match that starts in the document is none.
        if (slot.status != Status::NotFound && stopAt_ != npos && slot.matchAt >= stopAt_) slot = Capture{};
        if (slot.status != Status::NotFound) continue;
        const BmhPattern& search = searches[i];
        const std::size_t from = overlapStart(oldSize, search.size());
        std::size_t to = copy_.size();
        if (stopAt_ != npos) to = std::min(to, stopAt_ + search.size() - 1);
        if (to <= from) continue;
        const std::size_t hit = search.find(copy_.data() + from, to - from);
        if (hit == npos) continue;
        slot.status = Status::Pending;
        slot.matchAt = from + hit;
    }
    const bool final = stopAt_ != npos || copy_.size() >= kCopyLimit;
    for (Capture& slot : slots_)
        if (slot.status == Status::Pending) capture(slot, final);
}

// The line from the match up to its CR, LF or NUL. A line that has not
// ended within 256 bytes, or within the header, is captured empty; one that
// is merely not complete yet waits for the next block.
void HeaderCollector::capture(Capture& slot, bool final) {
    std::size_t limit = std::min(copy_.size(), slot.matchAt + kLineLimit);
    if (stopAt_ != npos) limit = std::min(limit, stopAt_);
    for (std::size_t i = slot.matchAt; i < limit; ++i) {
        if (!endsLine(copy_[i])) continue;
        slot.line.assign(reinterpret_cast<const char*>(copy_.data() + slot.matchAt), i - slot.matchAt);
        slot.status = Status::Captured;
        return;
    }
    if (final || limit == slot.matchAt + kLineLimit) {
        slot.line.clear();
        slot.status = Status::Captured;
    }
}

bool HeaderCollector::pending() const {
    return std::any_of(slots_.begin(), slots_.end(), [](const Capture& c) { return c.status == Status::Pending; });
}

bool HeaderCollector::jobInformationFound() const {
    return found(kComputerLine) && found(kUserLine) && found(kReceptionLine);
}

HeaderCollector::State HeaderCollector::decide() {
    if (pending()) return State::Collecting;  // only while more may come
    if (jobInformationFound()) return State::Ready;
    if (stopAt_ != npos || copy_.size() >= kCopyLimit) return State::GiveUp;
    return State::Collecting;
}

std::string HeaderCollector::rebuiltHeader() const {
    std::string header(kUniversalExit);
    auto add = [&header](std::string_view line) {
        header += line;
        header += "\r\n";
    };
    add(line(kJobLine).empty() ? std::string_view("@PJL JOB") : std::string_view(line(kJobLine)));
    if (icCard_) {
        add(line(kDeviceLine));
        add(line(kVersionLine));
    }
    add(line(kComputerLine));
    add(line(kUserLine));
    add(line(kReceptionLine));
    char keeping[64];
    std::snprintf(keeping, sizeof keeping, "@PJL ZELAUXJOBINFO DATA=\"KeepingTime=%02u:%02u\"",
                  static_cast<unsigned>(keepingTime_ >> 16), static_cast<unsigned>(keepingTime_ & 0xFFFF));
    add(keeping);
    return header;
}

}  // namespace wren
