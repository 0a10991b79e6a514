#include "core/file_paths.h"

namespace mmx {

std::string withTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == kPathSeparator) return folder;
    return folder + kPathSeparator;
}

std::string folderOf(const std::string& path) {
    const auto cut = path.rfind(kPathSeparator);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string fileNameOf(const std::string& path) {
    const auto cut = path.rfind(kPathSeparator);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace mmx
