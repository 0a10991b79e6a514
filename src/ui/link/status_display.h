#pragma once
// Where the link's texts are shown: the three status-bar panels, the upload
// progress caption and bar, the connection indicator, and the warning box. The window paints
// them; the command-line tool prints them; tests record them. Calls come from whichever thread
// runs the exchange, so a window implementation must hand them over to its own thread.
#include <string>

namespace mmx {

class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void setStatusPanel(const std::string& /*text*/) {}      // panel 1: results
    virtual void setPortPanel(const std::string& /*text*/) {}        // panel 2: port state
    virtual void setTimePanel(const std::string& /*text*/) {}        // panel 3: connection clock
    virtual void setProgressCaption(const std::string& /*text*/) {}  // "45%    Remaining Time:  00:01:23"
    virtual void showProgressBar(bool /*visible*/) {}
    virtual void setProgressValue(long /*value*/, long /*maximum*/) {}
    // true: the connected indicator is in front.
    virtual void setConnectedIndicator(bool /*connected*/) {}
    // The port was given up: menus, the upload button and the frame window take input again
    // and the normal mouse pointer returns.
    virtual void releaseControls() {}
    // Beep and a modal box with an OK button, titled with the editor's caption.
    virtual void alert(const std::string& /*text*/) {}
};

// A display that shows nothing (for callers that only want the result codes).
class NullStatusDisplay final : public StatusDisplay {};

}  // namespace mmx
