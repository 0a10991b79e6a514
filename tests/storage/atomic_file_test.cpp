// Replacing files without ever leaving one half-written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "storage/atomic_file.h"
#include "support/test_support.h"

namespace mmx {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::ScratchFolder;

size_t entriesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Runs fn in a child process that cannot write into folder (as an ordinary user when the
// tests run as root, since root writes anywhere) and returns what fn returned.
bool runWithoutWriteAccess(const ScratchFolder& folder, bool (*fn)(const std::string&)) {
    chmod(folder.path().c_str(), 0555);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        _exit(fn(folder.folder()) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.path().c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 3) << "could not drop privileges";
    return WEXITSTATUS(status) == 1;
}

TEST(AtomicFile, WritesANewFileWithExactlyTheBytes) {
    ScratchFolder folder;
    const std::string path = folder.folder() + "new.cfg";
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, std::string("a\r\nb\0c", 6), &error)) << error;
    EXPECT_EQ(readText(path), std::string("a\r\nb\0c", 6));
    EXPECT_EQ(entriesIn(folder.path()), 1u);  // no temporary file left behind
}

TEST(AtomicFile, ReplacesAnOldFileKeepingItsModeOwnerAndGroupButNeverAReadOnlyOne) {
    ScratchFolder folder;
    const std::string path = folder.write("old.cfg", "old contents that are longer");
    chmod(path.c_str(), 0640);
    // Another group than the writer's (only an administrator may hand a file to any group).
    const gid_t group = geteuid() == 0 ? 4242 : getegid();
    ASSERT_EQ(chown(path.c_str(), static_cast<uid_t>(-1), group), 0);
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readText(path), "new");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_uid, geteuid());
    EXPECT_EQ(entriesIn(folder.path()), 1u);

    // Read-only: refused, also for an administrator whom the folder would let replace it.
    chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(writeFileAtomically(path, "replacement", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(readText(path), "new");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, SaveIntoReadOnlyFolderFailsAndLeavesTheOldFileUntouched) {
    ScratchFolder folder;
    const std::string path = folder.write("keep.cfg", "the old set-up\r\n");
    chmod(path.c_str(), 0644);
    const bool written = runWithoutWriteAccess(folder, [](const std::string& where) {
        return writeFileAtomically(where + "keep.cfg", "replacement\r\n");
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(readText(path), "the old set-up\r\n");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, AWriteFailingHalfwayLeavesTheOldFileWhole) {
    ScratchFolder folder;
    const std::string path = folder.write("keep.cfg", "the old set-up\r\n");
    const bool written = test::runWithFileSizeLimit(100, [&path] { return writeFileAtomically(path, std::string(5000, 'x')); });
    EXPECT_FALSE(written);
    EXPECT_EQ(readText(path), "the old set-up\r\n");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, RefusesFoldersAndMissingFolders) {
    ScratchFolder folder;
    fs::create_directory(folder.path() / "sub");
    std::string error;
    EXPECT_FALSE(writeFileAtomically(folder.folder() + "sub", "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(folder.path() / "sub"));
    EXPECT_FALSE(writeFileAtomically(folder.folder() + "missing/file.cfg", "x"));
    EXPECT_FALSE(writeFileAtomically(folder.folder(), "x"));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, ASymbolicLinkKeepsPointingAtTheReplacedFile) {
    ScratchFolder folder;
    const std::string target = folder.write("real.cfg", "old");
    const std::string link = folder.folder() + "link.cfg";
    fs::create_symlink(target, link);
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readText(target), "new");
}

}  // namespace
}  // namespace mmx
