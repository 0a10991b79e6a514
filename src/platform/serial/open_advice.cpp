#include "platform/serial/open_advice.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mmx {

DeviceAccess deviceAccess(const std::string& path) {
    DeviceAccess access;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return access;
    access.known = true;
    access.mode = info.st_mode & 07777;
    if (const struct passwd* owner = ::getpwuid(info.st_uid)) access.owner = owner->pw_name;
    const struct group* group = ::getgrgid(info.st_gid);
    if (group == nullptr) return access;
    access.group = group->gr_name;
    // In the group now (this session), or listed as a member and waiting for the next login.
    std::vector<gid_t> groups(static_cast<size_t>(std::max(::getgroups(0, nullptr), 0)) + 1);
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < count; ++i) access.inGroupNow = access.inGroupNow || groups[static_cast<size_t>(i)] == info.st_gid;
    access.inGroupNow = access.inGroupNow || ::getegid() == info.st_gid;
    if (const struct passwd* self = ::getpwuid(::geteuid())) {
        for (char** member = group->gr_mem; member != nullptr && *member != nullptr; ++member) {
            access.groupMember = access.groupMember || std::strcmp(*member, self->pw_name) == 0;
        }
    }
    return access;
}

namespace {
OpenFailure failureAt(const std::string& path, OpenFailureKind kind, int systemError = 0) {
    OpenFailure failure;
    failure.kind = kind;
    failure.path = path;
    failure.systemError = systemError;
    return failure;
}
}  // namespace

OpenFailure permissionFailure(const std::string& path, const DeviceAccess& access) {
    OpenFailure failure = failureAt(path, OpenFailureKind::AccessUnknown);
    if (!access.known) return failure;
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", access.mode);
    failure.mode = mode;
    failure.owner = access.owner;
    failure.group = access.group;
    // A group without read and write rights is no way in, whatever its name; nor is root's.
    if ((access.mode & 0060) != 0060 || access.group == "root") {
        failure.kind = OpenFailureKind::OwnerOnly;
    } else if (access.inGroupNow) {
        failure.kind = OpenFailureKind::KeptOutOfGroup;
    } else if (access.groupMember) {
        failure.kind = OpenFailureKind::LogInAgain;
    } else {
        failure.kind = OpenFailureKind::JoinGroup;
    }
    return failure;
}

OpenFailure openFailure(const std::string& path, int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO: return failureAt(path, OpenFailureKind::NoDevice);
        case EACCES:
        case EPERM: return permissionFailure(path, deviceAccess(path));
        case EBUSY:
        case EWOULDBLOCK: return failureAt(path, OpenFailureKind::Busy);
        case ENOTTY: return failureAt(path, OpenFailureKind::NotSerial);
        default: return failureAt(path, OpenFailureKind::Other, error);
    }
}

std::string englishAdvice(const OpenFailure& failure) {
    const std::string& group = failure.group;
    const std::string denied = failure.path + ": permission denied: ";
    switch (failure.kind) {
        case OpenFailureKind::NoDevice: return failure.path + ": no such device";
        case OpenFailureKind::Busy: return failure.path + ": another program has the port";
        case OpenFailureKind::NotSerial: return failure.path + ": not a serial port";
        case OpenFailureKind::AccessUnknown:
            return denied + "add your user to the group that owns the device (usually dialout) and log in again";
        case OpenFailureKind::OwnerOnly:
            return denied + "only " + (failure.owner.empty() ? "its owner" : failure.owner) + " may use it (mode " +
                   failure.mode + "); a udev rule with GROUP=\"dialout\", MODE=\"0660\" opens it to the dialout group";
        case OpenFailureKind::KeptOutOfGroup:
            return denied + "although you are in its group " + group + " (mode " + failure.mode +
                   "): an access list or a security module keeps you out";
        case OpenFailureKind::LogInAgain:
            return denied + "you were added to its group " + group + " after this session began: log in again (or run: newgrp " +
                   group + ")";
        case OpenFailureKind::JoinGroup:
            return denied + "add your user to its group " + group + " (sudo usermod -aG " + group + " $USER) and log in again";
        case OpenFailureKind::Other: break;
    }
    return failure.path + ": " + std::strerror(failure.systemError);
}

OpenFailureWording& openFailureWording() {
    static OpenFailureWording wording;
    return wording;
}

namespace {
std::string wordsFor(const OpenFailure& failure) {
    return openFailureWording() ? openFailureWording()(failure) : englishAdvice(failure);
}
}  // namespace

std::string permissionAdvice(const std::string& path, const DeviceAccess& access) {
    return wordsFor(permissionFailure(path, access));
}

std::string openFailureAdvice(const std::string& path, int error) { return wordsFor(openFailure(path, error)); }

}  // namespace mmx
