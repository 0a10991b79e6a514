#pragma once
// What the device link reports while it works. The link names what happened; whoever shows it
// (the window, the terminal, a test) chooses the words, the boxes and the button states.
// Calls come from whichever thread runs the exchange, so a window must hand them over to its
// own thread.
#include <cstdint>
#include <string>

#include "device/upload_progress.h"

namespace mmx {

enum class LinkStatus {
    NotConnected,            // a frame could not go out: the port is closed
    UploadSucceeded,
    UploadFailed,
    ReadingFailed,           // the unit's message table could not be read back
    Checking,                // reading the table back after the upload
    CheckFailed,
    Erasing,                 // one per progress byte of an erase
    EraseSucceeded,
    EraseFailed,
    ConfigurationSucceeded,  // only the two tables were rewritten
    ConfigurationFailed,
};

enum class LinkAlert {
    PortBusy,            // the port was already open: an upload holds it
    PortCannotOpen,
    MessageFileMissing,  // a slot's file is gone or unreadable
    OverCapacity,        // the messages no longer fit the unit
};

class LinkEvents {
public:
    virtual ~LinkEvents() = default;
    virtual void status(LinkStatus /*status*/) {}
    // A slot's message is about to go out / was acknowledged to its closing frame.
    virtual void sendingMessage(int /*slot*/, const std::string& /*name*/) {}
    virtual void messageSent(int /*slot*/, const std::string& /*name*/) {}
    // The port panel: opened with these settings ("115200,N,8,2"), failed to open, closed.
    virtual void portOpened(int /*commport*/, const std::string& /*settingsText*/) {}
    virtual void portOpenFailed(int /*commport*/) {}
    virtual void portClosed() {}
    virtual void connectedIndicator(bool /*connected*/) {}
    // The connection clock: time since the port opened; cleared when the clock stops.
    virtual void connectionTime(int64_t /*elapsedMs*/) {}
    virtual void connectionTimeCleared() {}
    // Upload progress: the bar appears or goes, its value, and the one-second figures.
    virtual void progressVisible(bool /*visible*/, long /*maximum*/) {}
    virtual void progressValue(long /*value*/, long /*maximum*/) {}
    virtual void progressTick(const UploadProgress& /*figures*/) {}
    virtual void progressCleared() {}
    // The port was given up: controls take input again.
    virtual void controlsReleased() {}
    virtual void alert(LinkAlert /*alert*/) {}
};

// For callers that only want the results.
class NoLinkEvents final : public LinkEvents {};

}  // namespace mmx
