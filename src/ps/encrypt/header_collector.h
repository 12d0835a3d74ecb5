// Collects the start of an encrypted job until the job-information lines of
// its PJL header are known, so that a short plain header can be rebuilt from
// them for the printer's job list; everything collected is then encrypted.
//
// The work stays bounded: the copy never grows past 32768 bytes (more than
// 32767 ends the collection), each block is searched only where it is new
// (plus the few bytes a pattern may share with the block before), and only
// for the patterns not found yet. The header is what precedes the first
// language switch, PostScript header or end of job: nothing after that is
// document, and nothing of the document may reach the plain header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wren {

class HeaderCollector {
public:
    enum class State : std::uint8_t { Collecting = 1, Ready = 4, GiveUp = 8 };
    enum Slot : std::size_t { kJobLine, kComputerLine, kUserLine, kReceptionLine, kDeviceLine, kVersionLine };
    static constexpr std::size_t kSlots = 6;
    static constexpr std::size_t kCopyLimit = 32768;
    static constexpr std::size_t kLineLimit = 256;  // a line must end within this

    // `keepingTime`: hours in the high 16 bits, minutes in the low 16 bits.
    // The device and version lines are looked for only for IC-card jobs.
    HeaderCollector(std::uint32_t keepingTime, bool icCard);

    // Takes the next block while collecting; returns how many of its bytes
    // went into the copy (fewer than `size` only when the limit is reached).
    std::size_t append(const std::uint8_t* data, std::size_t size);

    State state() const { return state_; }
    const std::vector<std::uint8_t>& copy() const { return copy_; }
    bool found(Slot slot) const { return slots_[slot].status != Status::NotFound; }
    const std::string& line(Slot slot) const { return slots_[slot].line; }

    // The plain header that precedes the encrypted job (state Ready).
    std::string rebuiltHeader() const;

private:
    enum class Status : std::uint8_t { NotFound, Pending, Captured };
    struct Capture {
        Status status = Status::NotFound;
        std::size_t matchAt = 0;
        std::string line;
    };

    void findStop(std::size_t from);
    void findPatterns(std::size_t oldSize);
    void capture(Capture& slot, bool final);
    bool pending() const;
    bool jobInformationFound() const;
    State decide();

    std::uint32_t keepingTime_;
    bool icCard_;
    std::vector<std::uint8_t> copy_;
    std::size_t stopAt_;
    std::array<Capture, kSlots> slots_{};
    State state_ = State::Collecting;
};

}  // namespace wren
