// The encrypted output of a "Secure_Chip" job, block by block: collect the
// job's header, rebuild a plain one, open the cipher with the owner's key
// (a password, or the data of the owner's IC card), frame every chunk the
// cipher hands back, and close the job when its end goes through.
//
// Nothing but the rebuilt header, the framing and the cipher's own output
// ever reaches the spooler. A block that fails ends the cipher, drops what
// was collected and forgets the end detector's history, so the job is left
// to be cancelled and the next job starts clean.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/settings/private_record.h"
#include "ps/encrypt/cipher_context.h"
#include "ps/encrypt/encryption_ports.h"
#include "ps/encrypt/end_detector.h"
#include "ps/encrypt/frame_writer.h"
#include "ps/encrypt/header_collector.h"

namespace wren {

inline constexpr std::string_view kCardJobComment = "@PJL COMMENT ICCARDJOB\r\n";

class JobEncryption {
public:
    // One block; false when it failed. `written` counts what the spooler
    // took for this block (0 while the header is being collected). The
    // password path may set the record's cryptOption.
    bool writeBlock(EncryptionPorts& ports, PrivateRecord& record, bool icCard, const std::uint8_t* data,
                    std::uint32_t size, std::uint32_t& written);

    // The end of the job's stream. A job whose end pattern never went
    // through (EPS output has no PJL trailer) is encrypted and closed now,
    // rather than left open or, still collecting, never sent. False when
    // that failed.
    bool endOfStream(EncryptionPorts& ports, PrivateRecord& record, bool icCard, std::uint32_t& written);

    // Forgets the job: a new one starts, or this one failed.
    void reset();

    bool collecting() const { return collector_ != nullptr; }
    bool encrypting() const { return cipher_ != nullptr; }

private:
    bool start(FrameWriter& out, EncryptionPorts& ports, PrivateRecord& record, bool icCard);
    bool passwordKey(PrivateRecord& record, KeyRecord& key) const;
    bool encrypt(FrameWriter& out, const std::uint8_t* data, std::size_t size, bool& ended);
    bool finish(FrameWriter& out);

    std::unique_ptr<CipherContext> cipher_;
    std::unique_ptr<HeaderCollector> collector_;
    EndDetector detector_;
    // The job's end went through and its cipher is closed: what follows (the
    // rest of the trailer's last line) waits, unsent, for a job that starts
    // with a cipher of its own; the end of the document opens none for it.
    bool ended_ = false;
    // The end pattern went through, the rest of its line not yet.
    bool endPending_ = false;
    std::vector<std::uint8_t> scratch_;
};

}  // namespace wren
