// `cpack -G DEB` as a packager runs it, and what the package holds: the programs on the PATH,
// their language files and help documents, the desktop entry, the Qt translations the build
// made, the udev rule, and dependencies found by dpkg-shlibdeps.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Runs a shell command; its standard output and exit status.
std::string capture(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return out;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    status = ::pclose(pipe);
    return out;
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// "./usr/bin/mmx4210-cli -> ../lib/..." from a line of `dpkg-deb -c`.
std::set<std::string> packagedPaths(const std::string& listing) {
    std::set<std::string> paths;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const size_t start = line.find(" ./");
        if (start != std::string::npos) paths.insert(line.substr(start + 2));
    }
    return paths;
}

class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override {
        out = fs::temp_directory_path() / ("mmx4210-package-" + std::to_string(::getpid()));
        fs::create_directories(out);
    }
    void TearDown() override { fs::remove_all(out); }
    fs::path out;
};

TEST_F(DebianPackage, HoldsTheProgramsTheirFilesTheUdevRuleAndItsDependencies) {
    int status = 0;
    const std::string arch = capture("dpkg --print-architecture", status);
    ASSERT_EQ(status, 0);
    const std::string log = capture(std::string("cd ") + quoted(MMX_BUILD_DIR) + " && " + quoted(MMX_CPACK) +
                                        " -G DEB -B " + quoted(out.string()) + " 2>&1",
                                    status);
    ASSERT_EQ(status, 0) << log;
    const fs::path deb = out / (std::string("mmx4210_") + MMX_VERSION + "_" + arch.substr(0, arch.find('\n')) + ".deb");
    ASSERT_TRUE(fs::exists(deb)) << log;

    const std::set<std::string> paths = packagedPaths(capture("dpkg-deb -c " + quoted(deb.string()), status));
    ASSERT_EQ(status, 0);
    std::vector<std::string> expected = {
        "/usr/bin/mmx4210-cli -> ../lib/mmx4210/mmx4210-cli",
        "/usr/bin/mmx4210-unit -> ../lib/mmx4210/mmx4210-unit",
        "/usr/lib/mmx4210/mmx4210-cli",
        "/usr/lib/mmx4210/mmx4210-unit",
        "/usr/lib/mmx4210/Font/en.lng",
        "/usr/lib/mmx4210/Font/nl.lng",
        "/usr/lib/mmx4210/Font/zh-s.lng",
        "/usr/lib/mmx4210/Font/zh-t.lng",
        "/lib/udev/rules.d/60-mmx4210.rules",
    };
    if (MMX_WITH_GUI) {
        expected.insert(expected.end(), {"/usr/bin/mmx4210 -> ../lib/mmx4210/mmx4210", "/usr/lib/mmx4210/mmx4210",
                                         "/usr/lib/mmx4210/IFU Zanth Message manager.TXT",
                                         "/usr/lib/mmx4210/Contacts KDR.TXT",
                                         "/usr/share/applications/mmx4210.desktop",
                                         "/usr/share/icons/hicolor/scalable/apps/mmx4210.svg"});
    }
    for (const auto& path : expected) EXPECT_TRUE(paths.count(path)) << path << " is not in the package";
    // Every translation the build made goes along.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(MMX_BUILD_DIR, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->path().extension() != ".qm" || it->path().string().find("_CPack_Packages") != std::string::npos) continue;
        bool packaged = false;
        for (const auto& path : paths) packaged = packaged || fs::path(path).filename() == it->path().filename();
        EXPECT_TRUE(packaged) << it->path().filename() << " was built but is not in the package";
    }

    const std::string depends = capture("dpkg-deb -f " + quoted(deb.string()) + " Depends", status);
    EXPECT_NE(depends.find("libc6"), std::string::npos) << depends;
    if (MMX_WITH_GUI) {
        EXPECT_NE(depends.find("libqt6widgets6"), std::string::npos) << depends;
    }
}

}  // namespace
