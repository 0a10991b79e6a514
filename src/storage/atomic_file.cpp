#include "storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace mmx {

namespace {

FileOutcome fail(FileProblem kind, const std::string& what) {
    return FileOutcome::systemFailure(kind, what + ": " + std::strerror(errno), errno);
}

// The file a write to path really replaces: the target of a symbolic link.
std::string resolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return path;  // dangling link: replace it
    return resolved;
}

std::string folderOfPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

FileOutcome replaceFile(const std::string& path, std::string_view bytes) {
    const std::span<const uint8_t> whole(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return replaceFile(path, std::span<const std::span<const uint8_t>>(&whole, 1));
}

FileOutcome replaceFile(const std::string& path, std::span<const std::span<const uint8_t>> pieces) {
    if (path.empty() || path.back() == '/') {
        errno = EISDIR;
        return fail(FileProblem::NoFileName, "no file name in '" + path + "'");
    }
    const std::string target = resolveTarget(path);
    struct stat old {};
    const bool replacing = stat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        errno = EISDIR;
        return fail(FileProblem::NotAFile, "'" + target + "' is not a file");
    }
    // The rename would replace a file the user may not write (it only needs the folder to be
    // writable): a read-only file stays as it is.
    if (replacing && ((old.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)) {
        errno = EACCES;
        return fail(FileProblem::ReadOnly, "'" + target + "' is read-only");
    }

    // The temporary file lives in the same folder so that the rename cannot cross file systems.
    const auto slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + "." +
                            name + ".tmp-XXXXXX";
    std::vector<char> pattern(temporary.begin(), temporary.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return fail(FileProblem::CannotCreate, "cannot create a file in '" + folderOfPath(target) + "'");
    temporary = pattern.data();

    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    mode_t mode = 0;
    if (replacing) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = true;
    // The new file takes the owner and group of the one it replaces; when that is not allowed
    // the save is refused rather than handing someone's file to another owner or group.
    if (replacing && (old.st_uid != geteuid() || old.st_gid != getegid()) &&
        fchown(fd, old.st_uid, old.st_gid) != 0) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(FileProblem::CannotKeepOwner, "cannot keep the owner and group of '" + target + "'");
    }
    // After fchown, which may clear the set-id bits.
    ok = fchmod(fd, mode) == 0 || errno == EPERM;
    for (const auto piece : pieces) ok = ok && writeAll(fd, piece);
    ok = ok && fsync(fd) == 0;
    if (!ok) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(FileProblem::CannotWrite, "cannot write '" + target + "'");
    }
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(FileProblem::CannotWrite, "cannot write '" + target + "'");
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(FileProblem::CannotWrite, "cannot replace '" + target + "'");
    }
    // Make the rename itself durable.
    const int folder = ::open(folderOfPath(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return FileOutcome::success();
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const FileOutcome outcome = replaceFile(path, bytes);
    if (!outcome && error) *error = outcome.problem;
    return outcome.ok;
}

}  // namespace mmx
