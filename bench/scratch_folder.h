#pragma once
// The folder a benchmark makes for its own files. It is always a new one (mkdtemp), so removing
// it with everything in it touches nothing that was there before.
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace mmx::bench {

class ScratchFolder {
public:
    // A new folder "prefix.XXXXXX" inside parent; path() is empty when it cannot be made.
    ScratchFolder(const std::filesystem::path& parent, const std::string& prefix) {
        std::string pattern = (parent / (prefix + ".XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace mmx::bench
