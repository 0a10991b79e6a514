#include "ser2net_server.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace mmx::test {

namespace {

// Whether something listens on the local TCP port, from the kernel's socket table (connecting
// to find out would open the server's serial device).
bool listening(unsigned port) {
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream in(table);
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            const size_t colon = local.rfind(':');
            if (state == "0A" && colon != std::string::npos && std::stoul(local.substr(colon + 1), nullptr, 16) == port)
                return true;
        }
    }
    return false;
}

}  // namespace

unsigned freeLocalPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    unsigned port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

Ser2netServer::~Ser2netServer() { stop(); }

bool Ser2netServer::start(std::vector<Connection> connections, std::string& error) {
    connections_ = std::move(connections);
    std::string yaml;
    for (size_t i = 0; i < connections_.size(); ++i) {
        Connection& c = connections_[i];
        c.port = freeLocalPort();
        yaml += "connection: &unit" + std::to_string(i) + "\n" +                                     //
                "  accepter: " + (c.stack.empty() ? "" : c.stack + ",") + "tcp,127.0.0.1," + std::to_string(c.port) + "\n" +  //
                "  connector: serialdev," + c.device + "," + c.lineSettings + ",local\n" +         //
                "  options:\n    chardelay: false\n";
    }
    const std::string config = folder_.write("ser2net.yaml", yaml);
    const std::string pidFile = folder_.folder() + "ser2net.pid";
    const std::string log = folder_.folder() + "ser2net.log";
    pid_ = ::fork();
    if (pid_ == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        // -n: stay in the foreground; -u: no UUCP lock files in /var/lock.
        ::execl(MMX_SER2NET_PROGRAM, "ser2net", "-n", "-u", "-c", config.c_str(), "-P", pidFile.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (pid_ < 0) {
        error = "fork failed";
        return false;
    }
    // A generous bound so that a broken set-up fails the test instead of hanging it.
    for (int i = 0; i < 500; ++i) {
        bool all = true;
        for (const auto& c : connections_) all = all && listening(c.port);
        if (all) return true;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            error = "ser2net ended: " + readText(log);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    error = "ser2net does not listen: " + readText(log);
    return false;
}

void Ser2netServer::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

std::string Ser2netServer::address(const std::string& scheme, size_t index) const {
    return scheme + "://127.0.0.1:" + std::to_string(port(index));
}

std::string terminalLineSettings(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return "cannot open " + device;
    struct termios t {};
    const bool ok = ::tcgetattr(fd, &t) == 0;
    ::close(fd);
    if (!ok) return "cannot read " + device;
    std::string baud = "?";
    const std::pair<speed_t, const char*> speeds[] = {{B9600, "9600"},   {B19200, "19200"},   {B38400, "38400"},
                                                      {B57600, "57600"}, {B115200, "115200"}, {B230400, "230400"}};
    for (const auto& [code, text] : speeds) {
        if (::cfgetospeed(&t) == code) baud = text;
    }
    const tcflag_t size = t.c_cflag & CSIZE;
    const char* bits = size == CS8 ? "8" : size == CS7 ? "7" : size == CS6 ? "6" : "5";
    char parity = 'N';
    if (t.c_cflag & PARENB) {
#ifdef CMSPAR
        if (t.c_cflag & CMSPAR) parity = (t.c_cflag & PARODD) ? 'M' : 'S';
        else
#endif
            parity = (t.c_cflag & PARODD) ? 'O' : 'E';
    }
    return baud + " " + bits + parity + ((t.c_cflag & CSTOPB) ? "2" : "1");
}

}  // namespace mmx::test
