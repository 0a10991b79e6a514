#include "storage/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "storage/atomic_file.h"

namespace mmx {

namespace {

std::optional<std::string> readWholeFile(const std::string& path, FileOutcome* why = nullptr) {
    const auto refuse = [why](FileProblem kind, const std::string& what, int systemError = 0) {
        if (why) *why = FileOutcome::systemFailure(kind, what, systemError);
        return std::optional<std::string>();
    };
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return refuse(FileProblem::CannotRead, std::string("cannot be read: ") + std::strerror(errno), errno);
    }
    if (!S_ISREG(info.st_mode)) return refuse(FileProblem::NotAFile, "is not a file");
    if (static_cast<uint64_t>(info.st_size) > kMaxTextFileBytes) return refuse(FileProblem::TooLarge, "is too large");
    std::ifstream in(path, std::ios::binary);
    if (!in) return refuse(FileProblem::CannotRead, "cannot be opened", errno);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return refuse(FileProblem::CannotRead, "cannot be read to its end", errno);
    if (bytes.size() > kMaxTextFileBytes) return refuse(FileProblem::TooLarge, "is too large");
    return bytes;
}

}  // namespace

std::optional<TextFile> readTextFile(const std::string& path, CodePage fallback, FileOutcome* why) {
    const auto bytes = readWholeFile(path, why);
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

FileOutcome writeTextFile(const std::string& path, const std::vector<std::string>& lines, CodePage fallback) {
    const auto bytes = encodeLines(lines, encodingForWrite(path, lines, fallback));
    if (!bytes) return FileOutcome::failure(FileProblem::NotEncodable, "text is not valid UTF-8");
    return replaceFile(path, *bytes);
}

}  // namespace mmx
