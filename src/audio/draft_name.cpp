// The file name of a spoken draft, from the first words of its text in any script.
#include <string>
#include <string_view>
#include <vector>

#include "audio/spoken_draft.h"

namespace mmx::audio {
namespace {

constexpr size_t kMaxWords = 4;
// Chinese is written without blanks, so a "word" can be a whole clause: the characters are
// limited too. 24 of them take at most 96 bytes, well within a file name's 255.
constexpr size_t kMaxCharacters = 24;
constexpr char32_t kInvalid = 0xFFFD;

struct CodePoint {
    char32_t value = kInvalid;
    std::string_view bytes;
};

// The code point at text[at], advancing at; a byte that starts no valid UTF-8 sequence is
// taken alone as kInvalid.
CodePoint nextCodePoint(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    CodePoint point;
    if (length == 0 || at + length > text.size()) {
        point.bytes = text.substr(at++, 1);
        return point;
    }
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            point.bytes = text.substr(at++, 1);
            return point;
        }
        value = (value << 6) | (next & 0x3F);
    }
    point.value = value;
    point.bytes = text.substr(at, length);
    at += length;
    return point;
}

// Punctuation, symbols, blanks and controls of the common scripts, and anything that is
// not valid text: none of them names anything, and some are not allowed in a file name.
bool separates(char32_t c) {
    if (c < 0x80) return !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    return c <= 0xBF || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
           (c >= 0xFE10 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
           (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65) || (c >= 0xFFF0 && c <= 0xFFFF) ||
           (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
}

}  // namespace

std::string draftFileName(int slot, std::string_view text) {
    std::vector<std::string> words(1);
    size_t characters = 0;
    for (size_t at = 0; at < text.size() && characters < kMaxCharacters;) {
        const CodePoint point = nextCodePoint(text, at);
        if (separates(point.value)) {
            if (!words.back().empty()) {
                if (words.size() == kMaxWords) break;
                words.emplace_back();
            }
            continue;
        }
        if (point.value < 0x80) {
            words.back() += static_cast<char>(point.value >= 'A' && point.value <= 'Z' ? point.value + ('a' - 'A') : point.value);
        } else {
            words.back() += point.bytes;
        }
        ++characters;
    }
    if (words.back().empty()) words.pop_back();
    std::string name = "draft-" + std::to_string(slot);
    for (const auto& word : words) name += "-" + word;
    return name + ".wav";
}

bool isSpokenDraftName(std::string_view path) {
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name.starts_with("draft-") && name.ends_with(".wav");
}

}  // namespace mmx::audio
