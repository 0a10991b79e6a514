#include "platform/net/network_port.h"

#include <gensio/gensio_err.h>
#include <gensio/sergensio.h>

#include <chrono>

#include "platform/net/gensio_stream.h"
#include "platform/net/host_lookup.h"

namespace mmx {

namespace {

// How long a frame may wait for room in the connection's buffer before the line counts as gone;
// a frame is a few hundred bytes, so only a stalled connection ever waits.
constexpr int kWriteTimeoutMs = 5000;

unsigned parityCode(char parity) {
    switch (parity) {
        case 'E': return SERGENSIO_PARITY_EVEN;
        case 'O': return SERGENSIO_PARITY_ODD;
        case 'M': return SERGENSIO_PARITY_MARK;
        case 'S': return SERGENSIO_PARITY_SPACE;
        default: return SERGENSIO_PARITY_NONE;
    }
}

char parityLetter(unsigned code) {
    switch (code) {
        case SERGENSIO_PARITY_EVEN: return 'E';
        case SERGENSIO_PARITY_ODD: return 'O';
        case SERGENSIO_PARITY_MARK: return 'M';
        case SERGENSIO_PARITY_SPACE: return 'S';
        case SERGENSIO_PARITY_NONE: return 'N';
        default: return '?';
    }
}

std::string lineText(const GensioStream::SerialLine& line) {
    return std::to_string(line.baud) + " " + std::to_string(line.dataBits) + parityLetter(line.parity) +
           std::to_string(line.stopBits);
}

// Each frame leaves at once instead of waiting for the answer to the previous one (Nagle).
std::string tcpSpec(const std::string& numericHost, unsigned port) {
    return "tcp(nodelay)," + numericHost + "," + std::to_string(port);
}

std::string unknownName(const NetworkAddress& address) {
    return address.text() + ": the name '" + address.host + "' is not known (check it, or use the server's address)";
}

std::string noAnswer(const NetworkAddress& address) {
    return address.text() + ": no answer from " + address.host + " within " +
           std::to_string(NetworkPort::kConnectTimeoutMs / 1000) + " s (is the address right and the server on?)";
}

std::string refusesLineSettings(const NetworkAddress& address) {
    return address.text() + ": the server does not allow line settings: use telnet(rfc2217) in its accepter";
}

std::string connectFailure(const NetworkAddress& address, int code) {
    const std::string where = address.text() + ": ";
    switch (code) {
        case GE_TIMEDOUT:
            return noAnswer(address);
        case GE_CONNREFUSE:
            return where + "the server refused the connection (is ser2net running there, with an accepter on port " +
                   std::to_string(address.port) + "?)";
        case GE_HOSTDOWN:
            return where + address.host + " cannot be reached from here (check the address and the network)";
        case GE_NOTFOUND:
        case GE_UNKNOWN_NAME_ERROR:
        case GE_NAME_ERROR:
        case GE_NAME_SERVER_FAILURE:
        case GE_NAME_INVALID:
        case GE_NAME_NET_NOT_UP:
            return unknownName(address);
        default:
            return where + "cannot connect: " + GensioStream::errorText(code);
    }
}

}  // namespace

NetworkPort::NetworkPort(NetworkAddress address, LineSettings line) : address_(std::move(address)), line_(line) {}

NetworkPort::~NetworkPort() { close(); }

bool NetworkPort::open(std::string& error) {
    close();
    // The name and the connection share one time limit.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
    const HostLookup host = lookUpHost(address_.host, kConnectTimeoutMs);
    switch (host.outcome) {
        case HostLookup::Outcome::Found: break;
        case HostLookup::Outcome::Unknown: error = unknownName(address_); return false;
        case HostLookup::Outcome::TimedOut: error = noAnswer(address_); return false;
        case HostLookup::Outcome::Failed:
            error = address_.text() + ": cannot look up '" + address_.host + "': " + host.reason;
            return false;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    auto stream = std::make_unique<GensioStream>();
    const int rv = stream->connect(tcpSpec(host.address, address_.port), static_cast<int>(std::max<int64_t>(left, 1)));
    if (rv != 0) {
        error = connectFailure(address_, rv);
        return false;
    }
    noDelay_ = stream->noDelay();
    quickAck_ = stream->acknowledgeEachReceipt(address_.port);
    // Telnet runs over the connection once it stands, so that a server that is there but does
    // not speak telnet (a raw accepter never answers the negotiation) is told apart from one
    // that is not there at all.
    if (address_.setsLine() && stream->stack("telnet(rfc2217)", kLineSettingsTimeoutMs) != 0) {
        error = refusesLineSettings(address_);
        return false;
    }
    stream_ = std::move(stream);
    if (address_.setsLine() && !applyLineSettings(error)) {
        close();
        return false;
    }
    return true;
}

bool NetworkPort::applyLineSettings(std::string& error) {
    const GensioStream::SerialLine wanted{line_.baud, static_cast<unsigned>(line_.dataBits), parityCode(line_.parity),
                                          static_cast<unsigned>(line_.stopBits)};
    GensioStream::SerialLine granted;
    const int rv = stream_->setSerialLine(wanted, granted, kLineSettingsTimeoutMs);
    if (rv == GE_REMCLOSE) {
        error = address_.text() + ": the server closed the connection while the line was being set";
        return false;
    }
    // A telnet accepter without the serial-port option turns the request down.
    if (rv != 0) {
        error = refusesLineSettings(address_);
        return false;
    }
    if (granted != wanted) {
        error = address_.text() + ": the server set its line to " + lineText(granted) + " instead of " + line_.text() +
                " (its serial device cannot take these settings)";
        return false;
    }
    return true;
}

void NetworkPort::close() { stream_.reset(); }

bool NetworkPort::isOpen() const { return stream_ != nullptr; }

bool NetworkPort::write(std::span<const uint8_t> bytes) {
    return stream_ != nullptr && stream_->write(bytes, kWriteTimeoutMs);
}

long NetworkPort::read(std::span<uint8_t> out, int timeoutMs) {
    if (stream_ == nullptr) return -1;
    return stream_->read(out, timeoutMs);
}

std::string NetworkPort::description() const {
    return address_.setsLine() ? address_.text() + " " + line_.text() : address_.text();
}

}  // namespace mmx
