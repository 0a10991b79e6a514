#pragma once
// Replacing a file so that it is never left half-written.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "storage/file_outcome.h"

namespace mmx {

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target only when every byte was written. On any failure the old file is untouched,
// the temporary file is removed and the outcome says why.
// A symbolic link is followed, so the file it points to is replaced, not the link.
FileOutcome replaceFile(const std::string& path, std::string_view bytes);
// The same for content held in pieces, written one after another.
FileOutcome replaceFile(const std::string& path, std::span<const std::span<const uint8_t>> pieces);

// The same, for callers that only want a yes and, when given, the English reason.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace mmx
