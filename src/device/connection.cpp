#include "device/connection.h"

namespace mmx {

namespace {

// The port panel's form of the framing: "115200,N,8,2".
std::string panelText(const LineSettings& line) {
    return std::to_string(line.baud) + "," + std::string(1, line.parity) + "," + std::to_string(line.dataBits) + "," +
           std::to_string(line.stopBits);
}

}  // namespace

Connection::Connection(LinkSettings settings, Clock& clock, LinkEvents& events, PortFactory factory)
    : Connection(
          [settings](LinkSettings& out, std::string&) {
              out = settings;
              return true;
          },
          clock, events, std::move(factory)) {}

Connection::Connection(LinkSettingsSource settings, Clock& clock, LinkEvents& events, PortFactory factory)
    : source_(std::move(settings)),
      clock_(clock),
      events_(events),
      factory_(std::move(factory)),
      protocol_(clock, events),
      session_(protocol_) {
    // A read that runs out of time gives the port up exactly as a click on the indicator would.
    protocol_.setLinkLostHandler([this] {
        Disconnect();
        clearClockAndProgress();
        events_.controlsReleased();
    });
}

Connection::~Connection() {
    if (port_) port_->close();
}

bool Connection::isConnected() const { return port_ != nullptr && port_->isOpen(); }

std::string Connection::portDescription() const { return isConnected() ? port_->description() : std::string(); }

bool Connection::Connect() {
    if (isConnected()) {
        // The indicator said "not connected" while the port was open: an upload holds it.
        port_->close();
        protocol_.attach(nullptr);
        events_.alert(LinkAlert::PortBusy);
        return false;
    }
    lastError_.clear();
    std::unique_ptr<BytePort> port;
    if (source_(settings_, lastError_)) {
        port = factory_ ? factory_(settings_, lastError_) : nullptr;
        if (port && !port->open(lastError_)) port.reset();
    }
    if (!port) {
        if (lastError_.empty()) lastError_ = "no such port";
        events_.portOpenFailed(settings_.portNumber);
        return false;
    }
    port_ = std::move(port);
    protocol_.attach(port_.get());
    protocol_.setByteTimeOut(settings_.byteTimeOutMs);
    // A cancel asked for before the port opened still ends the session's first wait.
    if (!session_.cancelRequested()) protocol_.clearCancel();
    events_.connectedIndicator(true);
    protocol_.resetBuffers();
    events_.portOpened(settings_.portNumber, panelText(settings_.line));
    startClock();
    return true;
}

void Connection::Disconnect() {
    if (!isConnected()) return;
    port_->close();
    protocol_.attach(nullptr);
    events_.portClosed();
    events_.connectedIndicator(false);
    clearClockAndProgress();
    events_.controlsReleased();
}

void Connection::startClock() {
    connectedAtMs_ = clock_.nowMs();
    clockRunning_ = true;
    events_.connectionTime(0);
}

void Connection::clearClockAndProgress() {
    clockRunning_ = false;
    events_.connectionTimeCleared();
    events_.progressCleared();
    showProgress(false);
}

void Connection::showProgress(bool visible) {
    progressVisible_ = visible;
    events_.progressVisible(visible, visible ? progress_.totalBytes : 0);
}

void Connection::tickClock() {
    if (!clockRunning_) return;
    events_.connectionTime(clock_.nowMs() - connectedAtMs_);
    if (!progressVisible_) return;
    if (advanceProgress(progress_)) events_.progressTick(progress_);
}

}  // namespace mmx
