#include "storage/data_folder.h"

#include <filesystem>

namespace mmx {

std::string dataFolderFor(const std::string& appPath) {
    namespace fs = std::filesystem;
    fs::path folder = fs::path(appPath).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();  // "/usr/lib/mmx4210/"
    if (folder.filename() == "mmx4210" && folder.parent_path().filename() == "lib") {
        const fs::path shared = folder.parent_path().parent_path() / "share" / "mmx4210";
        std::error_code error;
        if (fs::is_directory(shared, error)) return shared.string() + "/";
    }
    std::string beside = appPath.empty() ? std::string("./") : appPath;
    if (beside.back() != '/') beside += '/';
    return beside;
}

}  // namespace mmx
