#pragma once
// Turns a failed open of a serial device into advice a user can act on.
#include <functional>
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

// Why an open failed, with what advice needs: the group that really gives access, if any does.
enum class OpenFailureKind {
    NoDevice,
    Busy,            // another program has the port
    NotSerial,
    AccessUnknown,   // permission denied, and the device could not be looked at
    OwnerOnly,       // no group may use it: a udev rule is needed
    KeptOutOfGroup,  // in its group, yet kept out (access list, security module)
    LogInAgain,      // added to its group after this session began
    JoinGroup,       // not in its group
    Other,           // systemError says what
};
struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::Other;
    std::string path;
    std::string owner;
    std::string group;
    std::string mode;  // "0660"
    int systemError = 0;
};
OpenFailure permissionFailure(const std::string& path, const DeviceAccess& access);
OpenFailure openFailure(const std::string& path, int error);
std::string englishAdvice(const OpenFailure& failure);

// A window sets words in the language in use; without them the advice is English.
using OpenFailureWording = std::function<std::string(const OpenFailure&)>;
OpenFailureWording& openFailureWording();

// "permission denied" advice that names the group that really gives access, if any does.
std::string permissionAdvice(const std::string& path, const DeviceAccess& access);

// What a user can do about a failed open of `path` with errno `error`.
std::string openFailureAdvice(const std::string& path, int error);

}  // namespace mmx
