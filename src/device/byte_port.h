#pragma once
// The byte stream the protocol talks through: a real serial line, a pseudo-terminal, or the
// in-process unit emulator. The protocol never knows which one it has.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace mmx {

class BytePort {
public:
    virtual ~BytePort() = default;

    // Open the line; on failure return false and leave a reason a user can act on in `error`.
    virtual bool open(std::string& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Hand bytes to the line, in order. False when the line is gone.
    virtual bool write(std::span<const uint8_t> bytes) = 0;

    // Wait at most timeoutMs (on the port's clock) for at least one byte, then take every byte
    // waiting, up to out.size(). Returns the count (0 after the time-out), or -1 when the line
    // was lost (an unplugged adapter, a closed pseudo-terminal).
    virtual long read(std::span<uint8_t> out, int timeoutMs) = 0;

    // How the port is described to the user, e.g. "/dev/ttyUSB0 115200 8N2".
    virtual std::string description() const = 0;
};

}  // namespace mmx
