// What a user may write for a port behind a serial device server, and what is refused.
#include <gtest/gtest.h>

#include "platform/net/network_address.h"
#include "platform/net/same_server.h"

namespace mmx {
namespace {

struct AddressCase {
    std::string text;
    bool ok;
    std::string shown;  // the address as the tool writes it back, or the reason it is refused
};

class NetworkAddressText : public ::testing::TestWithParam<AddressCase> {};

TEST_P(NetworkAddressText, ParsesOrSaysWhy) {
    const AddressCase& c = GetParam();
    EXPECT_TRUE(looksLikeNetworkPort(c.text));
    std::string error;
    const auto address = parseNetworkAddress(c.text, error);
    ASSERT_EQ(address.has_value(), c.ok) << error;
    EXPECT_EQ(address ? address->text() : error, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NetworkAddressText,
    ::testing::Values(AddressCase{"rfc2217://rack7-server:4001", true, "rfc2217://rack7-server:4001"},
                      AddressCase{"RFC2217://10.0.0.5:2001/", true, "rfc2217://10.0.0.5:2001"},
                      AddressCase{"tcp://10.0.0.5:4001", true, "tcp://10.0.0.5:4001"},
                      AddressCase{"socket://unit.example.org:65535", true, "tcp://unit.example.org:65535"},
                      AddressCase{"rfc2217://[fe80::1]:4001", true, "rfc2217://[fe80::1]:4001"},
                      AddressCase{"tcp://10.0.0.5", false,
                                  "tcp://10.0.0.5: no port number (write HOST:PORT, for example tcp://192.168.1.20:4001)"},
                      AddressCase{"tcp://10.0.0.5:0", false, "tcp://10.0.0.5:0: '0' is not a TCP port number (1 to 65535)"},
                      AddressCase{"tcp://10.0.0.5:65536", false,
                                  "tcp://10.0.0.5:65536: '65536' is not a TCP port number (1 to 65535)"},
                      AddressCase{"tcp://10.0.0.5:40x", false, "tcp://10.0.0.5:40x: '40x' is not a TCP port number (1 to 65535)"},
                      AddressCase{"rfc2217://:4001", false, "rfc2217://:4001: '' is not a host name or address"},
                      AddressCase{"rfc2217://a,b:4001", false, "rfc2217://a,b:4001: 'a,b' is not a host name or address"},
                      AddressCase{"rfc2217://[fe80::1:4001", false, "rfc2217://[fe80::1:4001: an IPv6 address is written [ADDRESS]:PORT"}));

TEST(NetworkAddressText, DevicePathsAndComNamesAreNotNetworkPorts) {
    for (const char* text : {"/dev/ttyUSB0", "Com3", "rfc2217", "tcp:/host:1", "./tcp://x:1"}) {
        EXPECT_FALSE(looksLikeNetworkPort(text)) << text;
    }
}

// Two names of one server's port: the scheme does not matter, nor how the host is spelt.
TEST(SameServer, TwoNamesOfOnePortAreFoundAndOtherPortsAreNot) {
    const std::vector<std::vector<std::string>> same = {
        {"rfc2217://127.0.0.1:4001", "tcp://127.0.0.1:4001"},
        {"tcp://127.0.0.1:4001", "socket://127.1:4001"},
        {"/dev/ttyUSB0", "rfc2217://localhost:4001", "rfc2217://LOCALHOST:4001"},
    };
    for (const auto& ports : same) {
        EXPECT_EQ(findSameServer(ports), std::pair(ports.size() - 2, ports.size() - 1)) << ports.back();
    }
    EXPECT_EQ(findSameServer({"tcp://127.0.0.1:4001", "tcp://127.0.0.1:4002", "/dev/ttyUSB0", "/dev/ttyUSB0"}),
              std::nullopt);
}

}  // namespace
}  // namespace mmx
