#include "storage/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "storage/atomic_file.h"

namespace mmx {

namespace {

std::optional<std::string> readWholeFile(const std::string& path, std::string* error = nullptr) {
    const auto refuse = [error](const std::string& why) -> std::optional<std::string> {
        if (error) *error = why;
        return std::nullopt;
    };
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return refuse(std::string("cannot be read: ") + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return refuse("is not a file");
    if (static_cast<uint64_t>(info.st_size) > kMaxTextFileBytes) return refuse("is too large");
    std::ifstream in(path, std::ios::binary);
    if (!in) return refuse("cannot be opened");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > kMaxTextFileBytes) return refuse("cannot be read to its end");
    return bytes;
}

}  // namespace

std::optional<TextFile> readTextFile(const std::string& path, CodePage fallback, std::string* error) {
    const auto bytes = readWholeFile(path, error);
    if (!bytes) return std::nullopt;
    DecodedText decoded = decodeText(*bytes, fallback);
    return TextFile{splitLines(decoded.utf8), decoded.encoding};
}

std::optional<std::string> encodeLines(const std::vector<std::string>& lines, TextEncoding encoding) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return encodeText(text, encoding);
}

TextEncoding encodingForWrite(const std::string& path, const std::vector<std::string>& lines, CodePage fallback) {
    TextEncoding encoding = TextEncoding::Utf8;
    if (const auto old = readWholeFile(path)) encoding = decodeText(*old, fallback).encoding;
    if (encoding != TextEncoding::Utf8 && !encodeLines(lines, encoding)) encoding = TextEncoding::Utf8;
    return encoding;
}

bool writeTextFile(const std::string& path, const std::vector<std::string>& lines, CodePage fallback,
                   std::string* error) {
    const auto bytes = encodeLines(lines, encodingForWrite(path, lines, fallback));
    if (!bytes) {
        if (error) *error = "text is not valid UTF-8";
        return false;
    }
    return writeFileAtomically(path, *bytes, error);
}

}  // namespace mmx
