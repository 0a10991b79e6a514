#pragma once
// Paths as the program keeps them: folders end with "/", so a folder and a file name join by
// plain concatenation.
#include <string>

namespace mmx {

inline constexpr char kPathSeparator = '/';

// The folder with exactly one separator at its end ("" stays "").
std::string withTrailingSeparator(const std::string& folder);
// Everything up to and including the last separator ("" when there is none).
std::string folderOf(const std::string& path);
// Everything after the last separator.
std::string fileNameOf(const std::string& path);

}  // namespace mmx
