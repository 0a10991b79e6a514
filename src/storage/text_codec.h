#pragma once
// Text as it is held in memory (UTF-8) and as it lies in files: UTF-8, or the 8-bit code
// pages of files made on older systems (Windows-1252, GBK, Big5), converted with iconv.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mmx {

// The 8-bit code page a file is decoded from when it is not valid UTF-8.
enum class CodePage { Windows1252, GBK, Big5 };

// How a file's bytes were (or are to be) encoded.
enum class TextEncoding { Utf8, Utf8WithBom, Windows1252, GBK, Big5 };

struct DecodedText {
    std::string utf8;
    TextEncoding encoding = TextEncoding::Utf8;
};

bool isValidUtf8(std::string_view bytes);

// UTF-8 when the bytes are valid UTF-8 (a leading BOM is skipped), otherwise decoded from the
// given code page. Never fails: a byte sequence the code page does not define becomes U+FFFD,
// except the five undefined Windows-1252 bytes, which map to U+0081.. so they survive a round trip.
DecodedText decodeText(std::string_view bytes, CodePage fallback);

// The UTF-8 text in the given encoding; nothing when a character has no place in it (or the
// text is not valid UTF-8). UTF-8 targets take the bytes as they are.
std::optional<std::string> encodeText(std::string_view utf8, TextEncoding encoding);

TextEncoding encodingOf(CodePage page);

// Language files are decoded from GBK for "zh-s", Big5 for "zh-t" (by the file name's stem,
// in any letter case) and Windows-1252 for every other name.
CodePage codePageForLanguageFile(const std::string& fileName);

// Lines of a text ended by CR LF, LF or a lone CR; a final line end adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// Characters (code points) of a UTF-8 text, and its first n characters.
size_t characterCount(std::string_view utf8);
std::string firstCharacters(std::string_view utf8, size_t n);

}  // namespace mmx
