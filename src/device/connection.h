#pragma once
// The serial connection as the editor shows it: the two-state indicator (Connect and
// Disconnect), the port panel texts, the connection clock and the upload progress caption.
// It owns the open port and the command protocol that talks through it. Not thread-safe:
// Connect, Disconnect, the ticks and the protocol belong to one thread at a time (a window hands
// the whole connection to its worker for an upload); only protocol().cancel() may come from
// anywhere.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/program_state.h"
#include "device/byte_port.h"
#include "device/clock.h"
#include "device/command_protocol.h"
#include "device/link_events.h"
#include "device/upload_progress.h"

namespace mmx {

// Builds the port for the settings as they stand at Connect (Commport or a path chosen
// elsewhere). Returns nullptr with a reason in `error` when there is no such port.
using PortFactory = std::function<std::unique_ptr<BytePort>(const PortSettings& settings, std::string& error)>;

class Connection {
public:
    // settings are read at each Connect, so menu changes take effect at the next Connect.
    Connection(const PortSettings& settings, Clock& clock, LinkEvents& events, PortFactory factory);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The not-connected indicator was clicked (also the upload's first step). Opens the port;
    // when it was already open, closes it and warns that the unit is busy. True when the port
    // is open afterwards.
    // (The window's Send uses an already open port instead: see UploadDriver.)
    bool Connect();
    // The connected indicator was clicked (also a time-out and the end of an upload).
    void Disconnect();
    bool isConnected() const;

    // Why the last Connect failed, in words a user can act on ("permission denied: ...").
    const std::string& lastError() const { return lastError_; }
    // How the open port describes itself ("/dev/ttyUSB0 115200 8N2"); empty when closed.
    std::string portDescription() const;

    void StartConnectionClock();
    void ClearConnectionDisplay();
    // The one-second tick of the connection clock; runs only between a Connect and ClearConnectionDisplay.
    void tickClock();
    bool clockRunning() const { return timer1Enabled_; }

    // The upload shows and hides the progress bar and feeds these figures.
    UploadProgress& progress() { return progress_; }
    void showProgress(bool visible);
    bool progressVisible() const { return progressVisible_; }

    CommandProtocol& protocol() { return protocol_; }
    LinkEvents& events() { return events_; }
    const PortSettings& settings() const { return settings_; }

private:
    const PortSettings& settings_;
    Clock& clock_;
    LinkEvents& events_;
    PortFactory factory_;
    std::unique_ptr<BytePort> port_;
    CommandProtocol protocol_;
    std::string lastError_;
    int64_t ConnectStart = 0;
    bool timer1Enabled_ = false;
    bool progressVisible_ = false;
    UploadProgress progress_;
};

}  // namespace mmx
