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

std::string permissionAdvice(const std::string& path, const DeviceAccess& access) {
    const std::string denied = path + ": permission denied: ";
    if (!access.known) return denied + "add your user to the group that owns the device (usually dialout) and log in again";
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", access.mode);
    // A group without read and write rights is no way in, whatever its name; nor is root's.
    if ((access.mode & 0060) != 0060 || access.group == "root") {
        return denied + "only " + (access.owner.empty() ? "its owner" : access.owner) + " may use it (mode " + mode +
               "); a udev rule with GROUP=\"dialout\", MODE=\"0660\" opens it to the dialout group";
    }
    if (access.inGroupNow) {
        return denied + "although you are in its group " + access.group + " (mode " + mode +
               "): an access list or a security module keeps you out";
    }
    if (access.groupMember) {
        return denied + "you were added to its group " + access.group +
               " after this session began: log in again (or run: newgrp " + access.group + ")";
    }
    return denied + "add your user to its group " + access.group + " (sudo usermod -aG " + access.group +
           " $USER) and log in again";
}

std::string openFailureAdvice(const std::string& path, int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO: return path + ": no such device";
        case EACCES:
        case EPERM: return permissionAdvice(path, deviceAccess(path));
        case EBUSY:
        case EWOULDBLOCK: return path + ": another program has the port";
        case ENOTTY: return path + ": not a serial port";
        default: return path + ": " + std::strerror(error);
    }
}

}  // namespace mmx
