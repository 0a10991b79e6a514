#pragma once
// The port a resolved port name stands for: a serial device path, or the address of a serial
// device server ("rfc2217://HOST:PORT", "tcp://HOST:PORT", "socket://HOST:PORT").
#include <memory>
#include <string>

#include "core/line_settings.h"
#include "device/byte_port.h"
#include "platform/serial/serial_port.h"

namespace mmx {

// The port, not yet opened, or nullptr with a reason in `error` when a network name is not a
// usable address. Over tcp:// the line is the server's; the port says so as a detail note.
std::unique_ptr<BytePort> portForName(const std::string& name, const LineSettings& line, const PortNoteSink& notes,
                                      std::string& error);

}  // namespace mmx
