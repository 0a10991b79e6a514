#pragma once
// Replacing a file so that it is never left half-written.
#include <string>
#include <string_view>

namespace mmx {

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target only when every byte was written. On any failure the old file is untouched,
// the temporary file is removed, false is returned and error (when given) says why.
// A symbolic link is followed, so the file it points to is replaced, not the link.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace mmx
