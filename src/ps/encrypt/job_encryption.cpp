#include "ps/encrypt/job_encryption.h"

#include <algorithm>
#include <cstring>

namespace wren {
namespace {

constexpr std::uint32_t kKeyMaterialBytes = sizeof(KeyRecord::material);
constexpr std::uint32_t kStoredPasswordMax = 255;

// Keys and passwords leave no copy behind on the stack.
void wipe(void* data, std::size_t size) {
    volatile auto* p = static_cast<volatile std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

struct KeyGuard {
    KeyRecord key;
    ~KeyGuard() { wipe(&key, sizeof key); }
};

}  // namespace

void JobEncryption::reset() {
    cipher_.reset();
    collector_.reset();
    detector_.reset();
    ended_ = false;
    endPending_ = false;
}

bool JobEncryption::endOfStream(EncryptionPorts& ports, PrivateRecord& record, bool icCard, std::uint32_t& written) {
    written = 0;
    if (ended_ || (!cipher_ && !collector_)) return true;
    FrameWriter out(ports, scratch_);
    bool ended = false;
    bool ok = true;
    if (!cipher_) {
        // Still collecting: the header never completed, so none is rebuilt.
        ok = start(out, ports, record, icCard);
        const std::vector<std::uint8_t>& copy = collector_->copy();
        ok = ok && encrypt(out, copy.data(), copy.size(), ended);
        collector_.reset();
    }
    ok = ok && finish(out);
    if (!ok) {
        reset();
        return false;
    }
    written = out.written();
    return true;
}

bool JobEncryption::writeBlock(EncryptionPorts& ports, PrivateRecord& record, bool icCard, const std::uint8_t* data,
                               std::uint32_t size, std::uint32_t& written) {
    written = 0;
    FrameWriter out(ports, scratch_);
    bool ended = false;
    bool ok = true;
    if (!cipher_) {
        if (!collector_) collector_ = std::make_unique<HeaderCollector>(record.cryptTimeLimit, icCard);
        const std::size_t taken = collector_->append(data, size);
        if (collector_->state() == HeaderCollector::State::Collecting) return true;
        ok = start(out, ports, record, icCard);
        // The collected copy holds the job from its first byte; a block
        // that met the copy's limit follows with the bytes that did not fit.
        const std::vector<std::uint8_t>& copy = collector_->copy();
        ok = ok && encrypt(out, copy.data(), copy.size(), ended);
        ok = ok && encrypt(out, data + taken, size - taken, ended);
        collector_.reset();
    } else {
        ok = encrypt(out, data, size, ended);
    }
    // The job ends with the line of its end pattern: when a block stops
    // inside that line, the job is closed with the first block that ends a
    // line (or at the end of the document), so the printer gets the whole
    // last line, wherever the blocks are cut.
    const bool lineComplete = size > 0 && data[size - 1] == '\n';
    if (ok && (ended || endPending_)) {
        if (lineComplete) ok = finish(out);
        else endPending_ = true;
    }
    if (!ok) {
        reset();
        return false;
    }
    written = out.written();
    return true;
}

bool JobEncryption::start(FrameWriter& out, EncryptionPorts& ports, PrivateRecord& record, bool icCard) {
    // A job that cannot be encrypted sends nothing at all, and nobody is
    // asked for a key it could not use.
    cipher_ = std::make_unique<CipherContext>(ports.cipherLibrary());
    ended_ = false;
    if (!cipher_->hasHandle()) return false;

    KeyGuard guard;
    KeyRecord& key = guard.key;
    key.mode = record.cryptMode;
    key.strength = record.cryptStrength;
    std::uint32_t keySize = 0;
    if (icCard) {
        std::optional<std::vector<std::uint8_t>> card = ports.cardData(kKeyMaterialBytes);
        if (!card || card->empty()) {
            // The printer learns that this job ends; then it is cancelled.
            std::string end(kUniversalExitLanguage);
            end += kEncryptedJobEnd;
            out.text(end);
            wipe(card ? card->data() : nullptr, card ? card->size() : 0);
            return false;
        }
        keySize = static_cast<std::uint32_t>(std::min<std::size_t>(card->size(), kKeyMaterialBytes));
        std::memcpy(key.material, card->data(), keySize);
        wipe(card->data(), card->size());
    } else if (!passwordKey(record, key)) {
        return false;
    }

    if (collector_->state() == HeaderCollector::State::Ready && !out.text(collector_->rebuiltHeader()))
        return false;
    if (icCard && !out.text(kCardJobComment)) return false;
    std::optional<CipherBytes> opening = icCard ? cipher_->initCard(key, keySize) : cipher_->initPassword(key);
    if (!opening) return false;
    return out.frame(FrameKind::Start, *opening);
}

// The stored password, or the one the user gives when the record asks for
// it or holds none that opens. A job without any password is not sent: its
// owner could never release it, or anyone could.
bool JobEncryption::passwordKey(PrivateRecord& record, KeyRecord& key) const {
    char password[33] = {};
    bool stored = false;
    const std::uint32_t length = record.cryptPasswordLength;
    if (length >= 1 && length <= kStoredPasswordMax) {
        stored = cipher_->decryptPassword(record.cryptPassword, length, password) && password[0] != '\0';
        if (!stored) wipe(password, sizeof password);
    }
    if (!stored) record.cryptOption = 1;
    if (record.cryptOption != 0) cipher_->askPassword(password);
    password[sizeof password - 1] = '\0';
    const bool have = password[0] != '\0';
    std::memcpy(key.material, password, sizeof key.material);
    wipe(password, sizeof password);
    return have;
}

bool JobEncryption::encrypt(FrameWriter& out, const std::uint8_t* data, std::size_t size, bool& ended) {
    if (size == 0) return true;
    std::optional<CipherBytes> chunk = cipher_->update(data, static_cast<std::uint32_t>(size));
    if (!chunk) return false;
    if (chunk->size != 0 && !out.frame(FrameKind::Chunk, *chunk)) return false;
    if (detector_.feed(data, size)) ended = true;
    return true;
}

bool JobEncryption::finish(FrameWriter& out) {
    std::optional<CipherBytes> last = cipher_->end();
    if (!last || !out.frame(FrameKind::End, *last, kEncryptedJobEnd)) return false;
    cipher_.reset();
    detector_.reset();
    ended_ = true;
    endPending_ = false;
    return true;
}

}  // namespace wren
