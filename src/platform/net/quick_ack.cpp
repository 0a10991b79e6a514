#include "platform/net/quick_ack.h"

#include <cstdlib>
#include <filesystem>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace mmx {

namespace {

unsigned portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return 0;
}

}  // namespace

int findConnectedSocket(unsigned localPort, unsigned remotePort) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        const int fd = std::atoi(entry.path().filename().c_str());
        struct stat status {};
        if (fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode)) continue;
        sockaddr_storage local{}, remote{};
        socklen_t localLength = sizeof local, remoteLength = sizeof remote;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) == 0 &&
            getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteLength) == 0 && portOf(local) == localPort &&
            portOf(remote) == remotePort)
            return fd;
    }
    return -1;
}

void acknowledgeNow(int socket) {
    const int on = 1;
    if (socket >= 0) setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

}  // namespace mmx
