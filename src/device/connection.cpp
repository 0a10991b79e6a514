#include "device/connection.h"

#include "core/ui_text_table.h"

namespace mmx {

Connection::Connection(const PortSettings& settings, const UiTextTable& texts, Clock& clock, StatusDisplay& display,
                       PortFactory factory)
    : settings_(settings),
      texts_(texts),
      clock_(clock),
      display_(display),
      factory_(std::move(factory)),
      protocol_(clock, texts, display) {
    // A read that runs out of time gives the port up exactly as a click on the indicator would.
    protocol_.setLinkLostHandler([this] {
        Disconnect();
        ClearConnectionDisplay();
        display_.releaseControls();
    });
}

Connection::~Connection() {
    if (port_) port_->close();
}

bool Connection::isConnected() const { return port_ != nullptr && port_->isOpen(); }

std::string Connection::portDescription() const { return isConnected() ? port_->description() : std::string(); }

bool Connection::Connect() {
    const std::string portLabel = "COM" + std::to_string(settings_.Commport);
    if (isConnected()) {
        // The indicator said "not connected" while the port was open: an upload holds it.
        port_->close();
        protocol_.attach(nullptr);
        display_.alert(texts_.messageBox(UiTextTable::BusyUploading));
        return false;
    }
    lastError_.clear();
    std::unique_ptr<BytePort> port = factory_ ? factory_(settings_, lastError_) : nullptr;
    if (port && !port->open(lastError_)) port.reset();
    if (!port) {
        if (lastError_.empty()) lastError_ = "no such port";
        display_.setPortPanel(texts_.status(UiTextTable::PortPrefix) + " " + portLabel + " can not be open!");
        return false;
    }
    port_ = std::move(port);
    protocol_.attach(port_.get());
    protocol_.setCommTimeOut(settings_.CommTimeOut);
    protocol_.clearCancel();
    display_.setConnectedIndicator(true);
    protocol_.resetBuffers();
    display_.setPortPanel(texts_.status(UiTextTable::PortPrefix) + " " + portLabel + " / " + settings_.settingsText());
    StartConnectionClock();
    return true;
}

void Connection::Disconnect() {
    if (!isConnected()) return;
    port_->close();
    protocol_.attach(nullptr);
    display_.setPortPanel(texts_.status(UiTextTable::PortPrefix) + " ");
    display_.setConnectedIndicator(false);
    ClearConnectionDisplay();
    display_.releaseControls();
}

void Connection::StartConnectionClock() {
    ConnectStart = clock_.nowMs();
    timer1Enabled_ = true;
    display_.setTimePanel(connectionClockText(0));
}

void Connection::ClearConnectionDisplay() {
    timer1Enabled_ = false;
    display_.setTimePanel("");
    display_.setProgressCaption("");
    showProgress(false);
}

void Connection::showProgress(bool visible) {
    progressVisible_ = visible;
    display_.showProgressBar(visible);
}

void Connection::Timer1Tick() {
    if (!timer1Enabled_) return;
    display_.setTimePanel(connectionClockText(clock_.nowMs() - ConnectStart));
    if (!progressVisible_) return;
    if (auto caption = progressTick(progress_, texts_.status(UiTextTable::RemainingTime))) {
        display_.setProgressCaption(*caption);
    }
}

}  // namespace mmx
