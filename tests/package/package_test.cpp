// `cpack -G DEB` as a packager runs it, and the package as Debian users expect it: the programs
// on the PATH, their architecture-independent data under /usr/share/mmx4210 where they find it,
// the licences, changelog and manual pages, the bash completion, desktop entry and metainfo,
// the udev rule, dependencies found by dpkg-shlibdeps, and nothing lintian objects to.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

#include "storage/data_folder.h"

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

bool installed(const std::string& tool) {
    int status = 0;
    capture("command -v " + tool + " >/dev/null 2>&1", status);
    return status == 0;
}

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

// One package for all the tests: cpack takes a while.
class DebianPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        out = fs::temp_directory_path() / ("mmx4210-package-" + std::to_string(::getpid()));
        fs::create_directories(out);
        int status = 0;
        const std::string arch = capture("dpkg --print-architecture", status);
        log = capture(std::string("cd ") + quoted(MMX_BUILD_DIR) + " && " + quoted(MMX_CPACK) + " -G DEB -B " +
                          quoted(out.string()) + " 2>&1",
                      status);
        deb = out / (std::string("mmx4210_") + MMX_VERSION + "_" + arch.substr(0, arch.find('\n')) + ".deb");
        if (status != 0 || !fs::exists(deb)) return;
        unpacked = out / "unpacked";
        capture("dpkg-deb -x " + quoted(deb.string()) + " " + quoted(unpacked.string()), status);
    }
    static void TearDownTestSuite() { fs::remove_all(out); }
    void SetUp() override { ASSERT_TRUE(fs::exists(deb)) << log; }

    static std::string field(const std::string& name) {
        int status = 0;
        return capture("dpkg-deb -f " + quoted(deb.string()) + " " + name, status);
    }

    static inline fs::path out, deb, unpacked;
    static inline std::string log;
};

TEST_F(DebianPackage, HoldsTheProgramsTheirDataTheirDocumentsAndTheUdevRule) {
    int status = 0;
    const std::set<std::string> paths = packagedPaths(capture("dpkg-deb -c " + quoted(deb.string()), status));
    ASSERT_EQ(status, 0);
    std::vector<std::string> expected = {
        "/usr/bin/mmx4210-cli -> ../lib/mmx4210/mmx4210-cli",
        "/usr/bin/mmx4210-unit -> ../lib/mmx4210/mmx4210-unit",
        "/usr/lib/mmx4210/mmx4210-cli",
        "/usr/lib/mmx4210/mmx4210-unit",
        "/usr/share/mmx4210/Font/en.lng",
        "/usr/share/mmx4210/Font/nl.lng",
        "/usr/share/mmx4210/Font/zh-s.lng",
        "/usr/share/mmx4210/Font/zh-t.lng",
        "/usr/share/doc/mmx4210/copyright",
        "/usr/share/doc/mmx4210/changelog.gz",
        "/usr/share/man/man1/mmx4210-cli.1.gz",
        "/usr/share/man/man1/mmx4210-unit.1.gz",
        "/usr/share/bash-completion/completions/mmx4210-cli",
        "/lib/udev/rules.d/60-mmx4210.rules",
    };
    if (MMX_WITH_GUI) {
        expected.insert(expected.end(), {"/usr/bin/mmx4210 -> ../lib/mmx4210/mmx4210", "/usr/lib/mmx4210/mmx4210",
                                         "/usr/share/mmx4210/IFU Zanth Message manager.TXT",
                                         "/usr/share/mmx4210/Contacts KDR.TXT",
                                         "/usr/share/man/man1/mmx4210.1.gz",
                                         "/usr/share/applications/mmx4210.desktop",
                                         "/usr/share/metainfo/invalid.mmx4210.mmx4210.metainfo.xml",
                                         "/usr/share/icons/hicolor/scalable/apps/mmx4210.svg"});
    }
    for (const auto& path : expected) EXPECT_TRUE(paths.count(path)) << path << " is not in the package";
    // Only the programs are architecture-dependent: nothing else lies beside them.
    for (const auto& path : paths) {
        if (path.rfind("/usr/lib/mmx4210/", 0) != 0 || path.back() == '/') continue;
        const std::string name = path.substr(std::string("/usr/lib/mmx4210/").size());
        EXPECT_TRUE(name == "mmx4210" || name == "mmx4210-cli" || name == "mmx4210-unit") << path << " is no program";
    }
    // Every translation the build made goes along, to the data folder.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(MMX_BUILD_DIR, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->path().extension() != ".qm" || it->path().string().find("_CPack_Packages") != std::string::npos) continue;
        const std::string packaged = "/usr/share/mmx4210/translations/" + it->path().filename().string();
        EXPECT_TRUE(paths.count(packaged)) << packaged << " was built but is not in the package";
    }
}

TEST_F(DebianPackage, ControlFieldsNameTheVersionMaintainerAndDependencies) {
    EXPECT_EQ(field("Version"), std::string(MMX_VERSION) + "\n");
    EXPECT_EQ(field("Maintainer"), "MMX4210 set-up tool maintainers <maintainers@mmx4210.invalid>\n");
    std::istringstream description(field("Description"));
    for (std::string line; std::getline(description, line);) EXPECT_LE(line.size(), 80u) << line;
    const std::string depends = field("Depends");
    EXPECT_NE(depends.find("libc6"), std::string::npos) << depends;
    if (MMX_WITH_GUI) {
        EXPECT_NE(depends.find("libqt6widgets6"), std::string::npos) << depends;
    }
}

// The installed programs find their language files, translations and help documents under
// share/, where the package put them.
TEST_F(DebianPackage, DataIsFoundUnderShareFromTheUnpackedPackage) {
    const fs::path program = unpacked / "usr/lib/mmx4210";
    const std::string data = mmx::dataFolderFor(program.string() + "/");
    EXPECT_EQ(data, (unpacked / "usr/share/mmx4210/").string());
    EXPECT_TRUE(fs::is_regular_file(data + "Font/en.lng"));
    if (MMX_WITH_GUI) {
        EXPECT_TRUE(fs::is_regular_file(data + "IFU Zanth Message manager.TXT"));
        EXPECT_TRUE(fs::is_regular_file(data + "translations/mmx4210_nl.qm"));
    }
}

TEST_F(DebianPackage, LintianFindsNoErrorAndNoWarning) {
    if (!installed("lintian")) GTEST_SKIP() << "lintian is not installed (scripts/install-deps.sh installs it)";
    int status = 0;
    const std::string report = capture("lintian --fail-on none " + quoted(deb.string()) + " 2>&1", status);
    EXPECT_EQ(status, 0) << report;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);)
        EXPECT_FALSE(line.rfind("E: ", 0) == 0 || line.rfind("W: ", 0) == 0) << line;
}

TEST_F(DebianPackage, CompletionLoadsAndCompletesTheCommands) {
    const std::string file = (unpacked / "usr/share/bash-completion/completions/mmx4210-cli").string();
    int status = 0;
    capture("bash -n " + quoted(file), status);
    EXPECT_EQ(status, 0);
    // With the bash-completion framework where it is installed, else on its own.
    const fs::path script = out / "complete-up.sh";
    std::ofstream(script) << "[ -r /usr/share/bash-completion/bash_completion ] && "
                             ". /usr/share/bash-completion/bash_completion\n"
                          << ". " << quoted(file) << "\n"
                          << "COMP_WORDS=(mmx4210-cli up); COMP_CWORD=1; COMP_LINE=\"mmx4210-cli up\"\n"
                          << "COMP_POINT=${#COMP_LINE}\n"
                          << "_mmx4210_cli\n"
                          << "printf \"%s\\n\" \"${COMPREPLY[@]}\"\n";
    EXPECT_EQ(capture("bash " + quoted(script.string()) + " 2>&1", status), "upload\n");
    EXPECT_EQ(status, 0);
}

TEST_F(DebianPackage, DesktopEntryAndMetainfoValidate) {
    if (!MMX_WITH_GUI) GTEST_SKIP() << "built without the desktop program";
    int status = 0;
    if (installed("desktop-file-validate")) {
        const std::string report =
            capture("desktop-file-validate " + quoted((unpacked / "usr/share/applications/mmx4210.desktop").string()) + " 2>&1", status);
        EXPECT_EQ(status, 0) << report;
        EXPECT_EQ(report.find("error"), std::string::npos) << report;
    }
    if (installed("appstreamcli")) {
        const fs::path file = unpacked / "usr/share/metainfo/invalid.mmx4210.mmx4210.metainfo.xml";
        const std::string report = capture("appstreamcli validate --no-net " + quoted(file.string()) + " 2>&1", status);
        EXPECT_EQ(status, 0) << report;
    }
    // The release it announces is this build's version.
    const std::string metainfo =
        capture("cat " + quoted((unpacked / "usr/share/metainfo/invalid.mmx4210.mmx4210.metainfo.xml").string()), status);
    EXPECT_NE(metainfo.find("<release version=\"" MMX_VERSION "\" date=\""), std::string::npos) << metainfo;
}

}  // namespace
