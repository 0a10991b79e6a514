#pragma once
// Line-oriented text files (set-up, settings, language files, printout): read whole and
// split into lines, written whole with CR LF line ends through an atomic replace.
#include <optional>
#include <string>
#include <vector>

#include "storage/file_outcome.h"
#include "storage/text_codec.h"

namespace mmx {

// Files larger than this are not text files of this program and are refused.
inline constexpr size_t kMaxTextFileBytes = 4 * 1024 * 1024;

struct TextFile {
    std::vector<std::string> lines;  // UTF-8, without line ends
    TextEncoding encoding = TextEncoding::Utf8;
};

// Nothing when the file cannot be read (missing, a folder, too large); why, when given, then
// says why.
std::optional<TextFile> readTextFile(const std::string& path, CodePage fallback, FileOutcome* why = nullptr);

// The lines, each followed by CR LF, in the given encoding; nothing when a character has no
// place in that encoding.
std::optional<std::string> encodeLines(const std::vector<std::string>& lines, TextEncoding encoding);

// The encoding a write into path uses: that of the file being replaced (so a file read and
// saved again keeps its bytes), when it can hold the text; otherwise UTF-8.
TextEncoding encodingForWrite(const std::string& path, const std::vector<std::string>& lines, CodePage fallback);

// Writes the lines (CR LF after each) atomically in encodingForWrite's encoding.
FileOutcome writeTextFile(const std::string& path, const std::vector<std::string>& lines, CodePage fallback);

}  // namespace mmx
