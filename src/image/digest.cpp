#include "image/digest.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace mmx::image {

Digest sha256(std::span<const uint8_t> bytes) {
    Digest digest{};
    unsigned int length = 0;
    // libcrypto fails here only when it cannot allocate its context. A made-up digest could
    // make two different sets of messages look alike, so there is no answer rather than a wrong one.
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1 ||
        length != digest.size()) {
        throw std::runtime_error("SHA-256 from libcrypto failed");
    }
    return digest;
}

std::string hexText(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

}  // namespace mmx::image
