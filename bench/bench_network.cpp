// bench_network: a full upload to the paced counterpart behind ser2net, against the line's
// stop-and-wait bound.
//
// mmx4210-unit paces its pseudo-terminal as BAUD 8N2; ser2net serves that pseudo-terminal on a
// local port (telnet with the serial-port option, or raw TCP); the tool uploads through the
// network port. Each 350-byte block is 374 bytes on the line, 11 bits each: 35.7 ms at 115200.
// Every millisecond the network or the unit adds to a block's answer lengthens the upload by
// 1 / 35.7: with --delay 10 the expected ratio is 35.7 / 45.7 = 0.78.
//
//   bench_network [--bytes N] [--baud N] [--delay MS] [--scheme rfc2217|tcp] [--chardelay]
//                 [--unit PATH] [--ser2net PATH]
#include <arpa/inet.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "cli_texts.h"
#include "device/upload_driver.h"
#include "platform/net/network_port.h"

namespace {

using namespace mmx;
using namespace mmx::bench;
namespace fs = std::filesystem;

struct Options {
    int64_t bytes = 300'000;
    unsigned baud = 115200;
    int delayMs = 0;
    std::vector<std::string> schemes{"rfc2217", "tcp"};
    bool chardelay = false;
    std::string unitProgram;
    std::string ser2net = "/usr/sbin/ser2net";
};

pid_t spawn(const std::vector<std::string>& args, int stdoutFd) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (stdoutFd >= 0) dup2(stdoutFd, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(args[0].c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

std::string startPacedUnit(const Options& options, pid_t& pid) {
    std::vector<std::string> extra;
    if (options.delayMs > 0) extra = {"--delay", std::to_string(options.delayMs)};
    return startUnit(options.unitProgram, options.baud, pid, extra);
}

unsigned freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

bool listening(unsigned port) {
    std::ifstream in("/proc/net/tcp");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (state == "0A" && std::stoul(local.substr(local.rfind(':') + 1), nullptr, 16) == port) return true;
    }
    return false;
}

// ser2net in front of the pseudo-terminal, its connector at 9600 8N1 as a server left alone.
pid_t startServer(const Options& options, const std::string& scheme, const std::string& pty, const fs::path& folder,
                  unsigned port) {
    const char* tcp = std::getenv("BENCH_ACCEPTER_TCP") ? std::getenv("BENCH_ACCEPTER_TCP") : "tcp";
    const std::string stack = (scheme == "rfc2217" ? std::string("telnet(rfc2217),") : std::string()) + tcp + ",";
    const fs::path config = folder / "ser2net.yaml";
    std::ofstream(config) << "connection: &unit\n  accepter: " << stack << "127.0.0.1," << port
                          << "\n  connector: serialdev," << pty << ","
                          << (scheme == "rfc2217" ? "9600n81" : std::to_string(options.baud) + "n82")
                          << ",local\n  options:\n    chardelay: " << (options.chardelay ? "true" : "false") << "\n";
    const pid_t pid = spawn({options.ser2net, "-n", "-u", "-c", config.string(), "-P", (folder / "pid").string()}, -1);
    for (int i = 0; i < 500 && !listening(port); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return pid;
}

image::UnitImage makeImage(int64_t bytes) {
    image::ImageInput input;
    uint32_t x = 12345;
    const int64_t each = bytes / 12;
    for (size_t k = 0; k < 12; ++k) {
        std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(0, each / 350 * 350 - 2)));
        for (auto& c : data) {
            x = x * 1103515245u + 12345u;
            c = static_cast<uint8_t>(x >> 16);
        }
        input.messages[k] = image::MessageFile{"message" + std::to_string(k + 1), std::move(data)};
    }
    return image::UnitImage::build(input);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    options.unitProgram = (fs::path(argv[0]).parent_path() / ".." / "apps" / "unit" / "mmx4210-unit").string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--bytes") options.bytes = std::stoll(value());
        else if (arg == "--baud") options.baud = static_cast<unsigned>(std::stoul(value()));
        else if (arg == "--delay") options.delayMs = std::stoi(value());
        else if (arg == "--scheme") options.schemes = {value()};
        else if (arg == "--chardelay") options.chardelay = true;
        else if (arg == "--unit") options.unitProgram = value();
        else if (arg == "--ser2net") options.ser2net = value();
        else {
            std::fprintf(stderr, "usage: bench_network [--bytes N] [--baud N] [--delay MS] [--scheme rfc2217|tcp] "
                                 "[--chardelay] [--unit PATH] [--ser2net PATH]\n");
            return arg == "--help" ? 0 : 2;
        }
    }
    const image::UnitImage setup = makeImage(options.bytes);
    const double lineMs = 374.0 * 11.0 / options.baud * 1e3;
    std::printf("set-up: %llu blocks; line time %.2f ms a block at %u baud 8N2, answer delay %d ms, chardelay %s\n",
                static_cast<unsigned long long>(setup.blockCount()), lineMs, options.baud, options.delayMs,
                options.chardelay ? "on" : "off");
    int failures = 0;
    for (const std::string& scheme : options.schemes) {
        const fs::path folder = fs::temp_directory_path() / ("bench_network." + std::to_string(getpid()));
        fs::create_directories(folder);
        pid_t unitPid = 0;
        const std::string pty = startPacedUnit(options, unitPid);
        const unsigned port = freePort();
        const pid_t serverPid = startServer(options, scheme, pty, folder, port);

        std::string error;
        NetworkAddress address = *parseNetworkAddress(scheme + "://127.0.0.1:" + std::to_string(port), error);
        LinkSettings settings;
        settings.line.baud = options.baud;
        SteadyClock clock;
        NoLinkEvents events;
        Connection connection(settings, clock, events, [&](const LinkSettings& link, std::string&) -> std::unique_ptr<BytePort> {
            return std::make_unique<NetworkPort>(address, link.line);
        });
        UploadDriver driver(connection);
        UploadOptions uploadOptions;
        uploadOptions.forceFull = true;
        const double cpu0 = cpuSeconds();
        const double t0 = nowSeconds();
        const UploadResult result = driver.run(setup, uploadOptions);
        const double wall = nowSeconds() - t0;
        const double cpu = cpuSeconds() - cpu0;
        const bool ok = result.verdict == UploadVerdict::Succeeded;
        const double bound = static_cast<double>(result.blocksSent) * lineMs / 1e3;
        const double expected = lineMs / (lineMs + options.delayMs);
        std::printf("%s://: %s, %llu blocks in %.2f s, bound %.2f s, ratio %.4f (expected %.4f), tool CPU %.2f %%\n",
                    scheme.c_str(), ok ? "ok" : cli::uploadFailureWords(result).c_str(),
                    static_cast<unsigned long long>(result.blocksSent), wall, bound, bound / wall, expected,
                    100.0 * cpu / wall);
        failures += ok ? 0 : 1;
        stop(serverPid);
        stop(unitPid);
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    return failures == 0 ? 0 : 1;
}
