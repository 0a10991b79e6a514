// Units behind a real ser2net: the network port on one side, the mmx4210-unit program's
// pseudo-terminal as ser2net's serial device on the other.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include "device/command_protocol.h"
#include "device/frames.h"
#include "platform/net/network_port.h"
#include "ser2net_server.h"
#include "support/wire_frames.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_SER2NET_PROGRAM)

namespace mmx {
namespace {

using Bytes = std::vector<uint8_t>;

// The program's own protocol over a port, on the real clock: a frame whose bytes the line
// changed gets no acknowledgement (a NAK or a checksum that does not hold).
struct ProtocolOver {
    explicit ProtocolOver(BytePort& port) { protocol.attach(&port); }
    Bytes payload() const { return Bytes(protocol.answerPayload().begin(), protocol.answerPayload().end()); }
    SteadyClock clock;
    LinkEvents events;
    CommandProtocol protocol{clock, events};
};

std::optional<NetworkAddress> addressOf(const std::string& text) {
    std::string error;
    auto address = parseNetworkAddress(text, error);
    EXPECT_TRUE(address) << error;
    return address;
}

// Over RFC 2217 the tool's line settings replace the 9600 8N1 of ser2net's connector. (A
// pseudo-terminal always keeps 8 data bits without parity, so only rate and stop bits show there.)
class LineSettingsOverTelnet : public ::testing::TestWithParam<LineSettings> {};

TEST_P(LineSettingsOverTelnet, TheServerLineTakesTheToolsSettings) {
    test::NetworkUnit unit(MMX_UNIT_PROGRAM, "rfc2217");
    NetworkPort net(*addressOf(unit.address), GetParam());
    std::string error;
    ASSERT_TRUE(net.open(error)) << error;
    EXPECT_EQ(test::terminalLineSettings(unit.unit.ptyPath()), GetParam().text());
    EXPECT_EQ(net.description(), unit.address + " " + GetParam().text());
}

INSTANTIATE_TEST_SUITE_P(Lines, LineSettingsOverTelnet,
                         ::testing::Values(LineSettings{}, LineSettings{57600, 'N', 8, 1}, LineSettings{19200, 'N', 8, 2},
                                           LineSettings{9600, 'N', 8, 1}));

// Every byte value crosses both ways unchanged: telnet's 0xFF (doubled on the wire), its command
// sequences, CR LF and NUL inside frames.
class BytesOverTheServer : public ::testing::TestWithParam<const char*> {};

TEST_P(BytesOverTheServer, AWrittenBlockReadsBackExactly) {
    test::NetworkUnit unit(MMX_UNIT_PROGRAM, GetParam());
    NetworkPort net(*addressOf(unit.address), LineSettings{});
    std::string error;
    ASSERT_TRUE(net.open(error)) << error;
    EXPECT_TRUE(net.noDelay()) << "frames must not wait for the answer to the previous one";
    EXPECT_TRUE(net.quickAck()) << "an answer in pieces must not wait for the delayed acknowledgement";

    Bytes block = {0xFF, 0xFF, 0xFF, 0xFA, 0x2C, 0x01, 0xFF, 0xF0, 0x0D, 0x0A, 0x00, 0xFF, 0x0D, 0x00, 0xFF, 0xFE};
    for (int i = 0; block.size() < 350; ++i) block.push_back(static_cast<uint8_t>(i * 7));
    ProtocolOver line(net);
    CommandProtocol& protocol = line.protocol;
    for (const Bytes& frame : {test::commandFrame('W'), frames::dataFrame(0x000200, block), frames::closingFrame()}) {
        ASSERT_TRUE(protocol.sendFrame(frame));
        EXPECT_EQ(protocol.readAnswer('W'), 6);
    }
    protocol.sendCommand('R', Bytes{0x00, 0x02, 0x00});
    ASSERT_EQ(protocol.readAnswer('R'), 6);
    EXPECT_EQ(line.payload(), Bytes(block.begin(), block.begin() + 128));
    // Memory never written holds 0xFF: a whole frame of the byte telnet doubles.
    protocol.sendCommand('R', Bytes{0x00, 0x10, 0x00});
    ASSERT_EQ(protocol.readAnswer('R'), 6);
    EXPECT_EQ(line.payload(), Bytes(128, 0xFF));
}

INSTANTIATE_TEST_SUITE_P(Schemes, BytesOverTheServer, ::testing::Values("rfc2217", "tcp"));

// An accepter without the serial-port option: one that speaks telnet turns the request down,
// a raw one ("") never answers it.
class ServerWithoutLineSettings : public ::testing::TestWithParam<const char*> {};

TEST_P(ServerWithoutLineSettings, OpenSaysWhatToChange) {
    test::NetworkUnit unit(MMX_UNIT_PROGRAM, "rfc2217", {}, GetParam());
    NetworkPort net(*addressOf(unit.address), LineSettings{});
    std::string error;
    EXPECT_FALSE(net.open(error));
    EXPECT_EQ(error, unit.address + ": the server does not allow line settings: use telnet(rfc2217) in its accepter");
    EXPECT_FALSE(net.isOpen());
    // The server may still be applying its own 9600 8N1 when the refusal comes back (the pty then
    // reads its default); what matters is that the tool's settings never reached the line.
    EXPECT_NE(test::terminalLineSettings(unit.unit.ptyPath()), "115200 8N2");
}

INSTANTIATE_TEST_SUITE_P(Accepters, ServerWithoutLineSettings, ::testing::Values("telnet", ""));

TEST(NetworkPort, ServerSwitchedOffMidStreamIsALostLine) {
    test::NetworkUnit unit(MMX_UNIT_PROGRAM, "rfc2217");
    NetworkPort net(*addressOf(unit.address), LineSettings{});
    std::string error;
    ASSERT_TRUE(net.open(error)) << error;
    EXPECT_EQ(ProtocolOver(net).protocol.exchange('P'), 6);
    unit.server.stop();
    // Writing into the closed connection must not end the program (no SIGPIPE).
    net.write(test::commandFrame('P'));
    net.write(test::commandFrame('P'));
    uint8_t chunk[16];
    EXPECT_EQ(net.read(chunk, 30000), -1);
    EXPECT_FALSE(net.write(test::commandFrame('P')));
}

// A server whose serial line has nothing behind it: the connection stands, answers never come.
TEST(NetworkPort, DeadLineBehindTheServerIsSilence) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    test::Ser2netServer server;
    std::string error;
    ASSERT_TRUE(server.start({{"telnet(rfc2217)", ::ptsname(master)}}, error)) << error;
    NetworkPort net(*addressOf(server.address("rfc2217")), LineSettings{});
    ASSERT_TRUE(net.open(error)) << error;
    EXPECT_TRUE(net.write(test::commandFrame('P')));
    uint8_t chunk[16];
    EXPECT_EQ(net.read(chunk, 300), 0);
    EXPECT_TRUE(net.isOpen());
    server.stop();
    ::close(master);
}

// Where no server answers, open fails with a reason a user can act on.
struct ConnectFault {
    const char* name;
    std::string address;
    std::string reason;
};

class NetworkConnectFault : public ::testing::TestWithParam<ConnectFault> {};

TEST_P(NetworkConnectFault, OpenFailsWithTheReason) {
    NetworkPort net(*addressOf(GetParam().address), LineSettings{});
    std::string error;
    EXPECT_FALSE(net.open(error));
    EXPECT_EQ(error, GetParam().address + ": " + GetParam().reason);
    EXPECT_FALSE(net.isOpen());
}

const unsigned kNobodyListens = test::freeLocalPort();

INSTANTIATE_TEST_SUITE_P(
    Faults, NetworkConnectFault,
    ::testing::Values(
        ConnectFault{"UnknownName", "rfc2217://no-such-server.invalid:4001",
                     "the name 'no-such-server.invalid' is not known (check it, or use the server's address)"},
        ConnectFault{"Refused", "tcp://127.0.0.1:" + std::to_string(kNobodyListens),
                     "the server refused the connection (is ser2net running there, with an accepter on port " +
                         std::to_string(kNobodyListens) + "?)"}),
    [](const auto& test) { return std::string(test.param.name); });

// A server that takes no more connections (its queue is full) never completes the handshake:
// open gives up after its time-out instead of waiting as long as TCP would.
TEST(NetworkPort, ServerThatNeverAcceptsTimesOut) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    // Fill the queue with connections nobody accepts.
    std::vector<int> waiting;
    for (int i = 0; i < 2; ++i) {
        waiting.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(waiting.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    const std::string text = "tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    NetworkPort net(*addressOf(text), LineSettings{});
    std::string error;
    EXPECT_FALSE(net.open(error));
    EXPECT_EQ(error, text + ": no answer from 127.0.0.1 within 3 s (is the address right and the server on?)");
    for (int fd : waiting) ::close(fd);
    ::close(listener);
}

}  // namespace
}  // namespace mmx

#endif
