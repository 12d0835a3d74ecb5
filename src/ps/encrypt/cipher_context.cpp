#include "ps/encrypt/cipher_context.h"

#include <cstring>

namespace wren {
namespace {

std::optional<CipherBytes> answer(int result, const std::uint8_t* data, std::uint32_t size) {
    if (result != 0 || (size != 0 && data == nullptr)) return std::nullopt;
    return CipherBytes{data, size};
}

}  // namespace

CipherContext::CipherContext(std::unique_ptr<Library> library) : library_(std::move(library)) {
    calls_ = library_.encryption();
    if (calls_.complete()) handle_ = calls_.create();
}

CipherContext::~CipherContext() {
    if (handle_) calls_.destroy(handle_);
}

bool CipherContext::decryptPassword(const std::uint8_t* stored, std::uint32_t length, char (&out)[33]) const {
    if (!handle_) return false;
    std::uint32_t size = sizeof out;
    return calls_.decryptPassword(stored, length, out, &size) != 0;
}

void CipherContext::askPassword(char (&buffer)[33]) const {
    if (handle_) calls_.askPassword(buffer);
}

std::optional<CipherBytes> CipherContext::initPassword(const KeyRecord& key) const {
    if (!handle_) return std::nullopt;
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
    int result = calls_.init(handle_, &key, &data, &size);
    return answer(result, data, size);
}

std::optional<CipherBytes> CipherContext::initCard(const KeyRecord& key, std::uint32_t keySize) const {
    if (!handle_) return std::nullopt;
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
    int result = calls_.initEx2 ? calls_.initEx2(handle_, 2, &key, keySize, &data, &size)
                                : calls_.initEx(handle_, &key, keySize, &data, &size);
    return answer(result, data, size);
}

std::optional<CipherBytes> CipherContext::update(const void* data, std::uint32_t size) const {
    if (!handle_) return std::nullopt;
    const std::uint8_t* out = nullptr;
    std::uint32_t outSize = 0;
    int result = calls_.update(handle_, data, size, &out, &outSize);
    return answer(result, out, outSize);
}

std::optional<CipherBytes> CipherContext::end() const {
    if (!handle_) return std::nullopt;
    const std::uint8_t* out = nullptr;
    std::uint32_t outSize = 0;
    int result = calls_.end(handle_, &out, &outSize);
    return answer(result, out, outSize);
}

}  // namespace wren
