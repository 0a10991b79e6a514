#pragma once
// The serial connection as the editor shows it: the two-state indicator (connect and
// disconnect), the port panel, the connection clock and the upload progress. It owns the open
// port, the command protocol that talks through it and the session with the unit. Not
// thread-safe: connect, disconnect, the ticks and the session belong to one thread at a time (a
// window hands the whole connection to its worker for an upload); only session().requestCancel()
// may come from anywhere.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/line_settings.h"
#include "core/unit_facts.h"
#include "device/byte_port.h"
#include "device/clock.h"
#include "device/command_protocol.h"
#include "device/link_events.h"
#include "device/unit_session.h"
#include "device/upload_progress.h"

namespace mmx {

// What a connect needs: which port, its framing, and the silence allowed per byte.
struct LinkSettings {
    int portNumber = 1;  // Com1..Com10 as the port menu and panel name it; 0 for a port named by path
    LineSettings line;
    int byteTimeOutMs = unit::kDefaultByteTimeOutMs;
};

// Builds the port for the settings as they stand at a connect. Returns nullptr with a reason in
// `error` when there is no such port.
using PortFactory = std::function<std::unique_ptr<BytePort>(const LinkSettings& settings, std::string& error)>;
// The settings as they stand now (the window's menus change them between two connects). False,
// with a reason in `error`, when they cannot be used.
using LinkSettingsSource = std::function<bool(LinkSettings& settings, std::string& error)>;

class Connection {
public:
    Connection(LinkSettings settings, Clock& clock, LinkEvents& events, PortFactory factory);
    Connection(LinkSettingsSource settings, Clock& clock, LinkEvents& events, PortFactory factory);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The not-connected indicator was clicked (also the upload's first step). Opens the port;
    // when it was already open, closes it and warns that the unit is busy. True when the port
    // is open afterwards.
    bool Connect();
    // The connected indicator was clicked (also a time-out and the end of an upload).
    void Disconnect();
    bool isConnected() const;

    // Why the last Connect failed, in words a user can act on ("permission denied: ...").
    const std::string& lastError() const { return lastError_; }
    // How the open port describes itself ("/dev/ttyUSB0 115200 8N2"); empty when closed.
    std::string portDescription() const;
    // The settings of the last Connect.
    const LinkSettings& settings() const { return settings_; }

    // Stops the connection clock, clears its panel and hides the upload progress.
    void clearClockAndProgress();
    // The one-second tick of the connection clock; runs only between a Connect and
    // clearClockAndProgress().
    void tickClock();
    bool clockRunning() const { return clockRunning_; }

    // The upload shows and hides the progress bar and feeds these figures.
    UploadProgress& progress() { return progress_; }
    void showProgress(bool visible);
    bool progressVisible() const { return progressVisible_; }

    UnitSession& session() { return session_; }
    CommandProtocol& protocol() { return protocol_; }
    LinkEvents& events() { return events_; }
    Clock& clock() { return clock_; }

private:
    void startClock();

    LinkSettingsSource source_;
    LinkSettings settings_;
    Clock& clock_;
    LinkEvents& events_;
    PortFactory factory_;
    std::unique_ptr<BytePort> port_;
    CommandProtocol protocol_;
    UnitSession session_;
    std::string lastError_;
    int64_t connectedAtMs_ = 0;
    bool clockRunning_ = false;
    bool progressVisible_ = false;
    UploadProgress progress_;
};

}  // namespace mmx
