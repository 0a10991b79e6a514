#pragma once
// SHA-256 of a byte string: identifies a message's exact bytes, so that "the unit holds these
// messages" can be decided by more than their lengths.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace mmx::image {

using Digest = std::array<uint8_t, 32>;

Digest sha256(std::span<const uint8_t> bytes);
std::string hexText(std::span<const uint8_t> bytes);  // lower-case, two digits a byte

}  // namespace mmx::image
