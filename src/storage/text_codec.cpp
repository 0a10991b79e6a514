#include "storage/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

namespace mmx {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

const char* iconvName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Windows1252: return "WINDOWS-1252";
        case TextEncoding::GBK: return "GBK";
        case TextEncoding::Big5: return "BIG5";
        case TextEncoding::Utf8:
        case TextEncoding::Utf8WithBom: break;
    }
    return "UTF-8";
}

// The five bytes Windows-1252 leaves undefined; they are carried as U+0081 etc.
bool undefinedIn1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

void appendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at text[i], 0 when there is none.
size_t utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    size_t length = 0;
    uint32_t minimum = 0;
    uint32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns the bytes converted before an invalid or incomplete
    // sequence, with `consumed` telling how much input was used.
    std::string run(std::string_view input, size_t& consumed) {
        std::string out;
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[1024];
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        consumed = input.size() - inLeft;
        return out;
    }

private:
    iconv_t handle_;
};

// Opening a converter loads code tables from disk: each thread keeps the ones it used.
Converter& converterFor(TextEncoding encoding, bool toUtf8) {
    thread_local std::map<std::pair<TextEncoding, bool>, std::unique_ptr<Converter>> converters;
    auto& converter = converters[{encoding, toUtf8}];
    if (!converter) {
        converter = toUtf8 ? std::make_unique<Converter>("UTF-8", iconvName(encoding))
                           : std::make_unique<Converter>(iconvName(encoding), "UTF-8");
    }
    return *converter;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

TextEncoding encodingOf(CodePage page) {
    switch (page) {
        case CodePage::GBK: return TextEncoding::GBK;
        case CodePage::Big5: return TextEncoding::Big5;
        case CodePage::Windows1252: break;
    }
    return TextEncoding::Windows1252;
}

DecodedText decodeText(std::string_view bytes, CodePage fallback) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom && isValidUtf8(bytes.substr(kUtf8Bom.size()))) {
        return {std::string(bytes.substr(kUtf8Bom.size())), TextEncoding::Utf8WithBom};
    }
    if (isValidUtf8(bytes)) return {std::string(bytes), TextEncoding::Utf8};

    const TextEncoding encoding = encodingOf(fallback);
    DecodedText decoded{{}, encoding};
    Converter& converter = converterFor(encoding, true);
    while (!bytes.empty()) {
        size_t consumed = 0;
        if (converter.ok()) decoded.utf8 += converter.run(bytes, consumed);
        bytes.remove_prefix(consumed);
        if (bytes.empty()) break;
        // A byte the code page does not define (or no converter at all): carry it on.
        const auto byte = static_cast<unsigned char>(bytes.front());
        if (encoding == TextEncoding::Windows1252 && (undefinedIn1252(byte) || !converter.ok())) {
            appendUtf8(decoded.utf8, byte);
        } else {
            appendUtf8(decoded.utf8, 0xFFFD);
        }
        bytes.remove_prefix(1);
    }
    return decoded;
}

std::optional<std::string> encodeText(std::string_view utf8, TextEncoding encoding) {
    // UTF-8 passes through as it is (a file name may hold bytes that are not UTF-8).
    if (encoding == TextEncoding::Utf8) return std::string(utf8);
    if (encoding == TextEncoding::Utf8WithBom) return std::string(kUtf8Bom) + std::string(utf8);
    if (!isValidUtf8(utf8)) return std::nullopt;

    Converter& converter = converterFor(encoding, false);
    if (!converter.ok()) return std::nullopt;
    std::string out;
    while (!utf8.empty()) {
        size_t consumed = 0;
        out += converter.run(utf8, consumed);
        utf8.remove_prefix(consumed);
        if (utf8.empty()) break;
        // U+0081 etc. go back to the undefined Windows-1252 byte they came from.
        const auto lead = static_cast<unsigned char>(utf8[0]);
        const auto next = utf8.size() > 1 ? static_cast<unsigned char>(utf8[1]) : 0;
        const unsigned char byte = static_cast<unsigned char>(((lead & 0x1F) << 6) | (next & 0x3F));
        if (encoding == TextEncoding::Windows1252 && lead == 0xC2 && undefinedIn1252(byte)) {
            out += static_cast<char>(byte);
            utf8.remove_prefix(2);
            continue;
        }
        return std::nullopt;
    }
    return out;
}

CodePage codePageForLanguageFile(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    std::string stem = fileName.substr(slash == std::string::npos ? 0 : slash + 1);
    stem = stem.substr(0, stem.find('.'));
    for (auto& c : stem) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (stem == "zh-s") return CodePage::GBK;
    if (stem == "zh-t") return CodePage::Big5;
    return CodePage::Windows1252;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

size_t characterCount(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string firstCharacters(std::string_view utf8, size_t n) {
    size_t count = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            if (count == n) return std::string(utf8.substr(0, i));
            ++count;
        }
    }
    return std::string(utf8);
}

}  // namespace mmx
