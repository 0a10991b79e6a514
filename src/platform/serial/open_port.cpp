#include "platform/serial/open_port.h"

#include "platform/net/network_address.h"
#include "platform/net/network_port.h"

namespace mmx {

std::unique_ptr<BytePort> portForName(const std::string& name, const LineSettings& line, const PortNoteSink& notes,
                                      std::string& error) {
    if (!looksLikeNetworkPort(name)) return std::make_unique<SerialPort>(name, line, notes);
    auto address = parseNetworkAddress(name, error);
    if (!address) return nullptr;
    // Raw TCP carries bytes only: whatever MMX4210.INI says, the server's connector decides the line.
    if (!address->setsLine() && notes) {
        notes(PortNote{false, address->text() + ": the line settings are the server's (" + line.text() +
                                  " is not sent over tcp://; rfc2217:// sets it)"});
    }
    return std::make_unique<NetworkPort>(std::move(*address), line);
}

}  // namespace mmx
