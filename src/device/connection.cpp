#include "device/connection.h"

namespace mmx {

Connection::Connection(const PortSettings& settings, Clock& clock, LinkEvents& events, PortFactory factory)
    : settings_(settings), clock_(clock), events_(events), factory_(std::move(factory)), protocol_(clock, events) {
    // A read that runs out of time gives the port up exactly as a click on the indicator would.
    protocol_.setLinkLostHandler([this] {
        Disconnect();
        ClearConnectionDisplay();
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
    std::unique_ptr<BytePort> port = factory_ ? factory_(settings_, lastError_) : nullptr;
    if (port && !port->open(lastError_)) port.reset();
    if (!port) {
        if (lastError_.empty()) lastError_ = "no such port";
        events_.portOpenFailed(settings_.Commport);
        return false;
    }
    port_ = std::move(port);
    protocol_.attach(port_.get());
    protocol_.setCommTimeOut(settings_.CommTimeOut);
    protocol_.clearCancel();
    events_.connectedIndicator(true);
    protocol_.resetBuffers();
    events_.portOpened(settings_.Commport, settings_.settingsText());
    StartConnectionClock();
    return true;
}

void Connection::Disconnect() {
    if (!isConnected()) return;
    port_->close();
    protocol_.attach(nullptr);
    events_.portClosed();
    events_.connectedIndicator(false);
    ClearConnectionDisplay();
    events_.controlsReleased();
}

void Connection::StartConnectionClock() {
    ConnectStart = clock_.nowMs();
    timer1Enabled_ = true;
    events_.connectionTime(0);
}

void Connection::ClearConnectionDisplay() {
    timer1Enabled_ = false;
    events_.connectionTimeCleared();
    events_.progressCleared();
    showProgress(false);
}

void Connection::showProgress(bool visible) {
    progressVisible_ = visible;
    events_.progressVisible(visible, visible ? progress_.TFileLength : 0);
}

void Connection::tickClock() {
    if (!timer1Enabled_) return;
    events_.connectionTime(clock_.nowMs() - ConnectStart);
    if (!progressVisible_) return;
    if (advanceProgress(progress_)) events_.progressTick(progress_);
}

}  // namespace mmx
