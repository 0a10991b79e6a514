#pragma once
// Turns a failed open of a serial device into advice a user can act on.
#include <string>

namespace mmx {

// Who may open a device: its mode, owner and group, and where the user stands with the group.
struct DeviceAccess {
    bool known = false;        // the device could be looked at
    unsigned mode = 0;         // permission bits, 0660
    std::string owner;         // "root"
    std::string group;         // "dialout"
    bool inGroupNow = false;   // this process has the group
    bool groupMember = false;  // the user is listed in the group (takes effect at the next login)
};
DeviceAccess deviceAccess(const std::string& path);
// "permission denied" advice that names the group that really gives access, if any does.
std::string permissionAdvice(const std::string& path, const DeviceAccess& access);

// What a user can do about a failed open of `path` with errno `error`.
std::string openFailureAdvice(const std::string& path, int error);

}  // namespace mmx
