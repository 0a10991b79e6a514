#pragma once
// What a link command shows on standard error while it talks to a unit: the port line once it
// opens, "Erasing data..." once, a line per slot sent and the upload's progress (on a terminal
// a bar redrawn in place; otherwise a plain line whenever the percentage moved). The verdict
// is not shown here: the command words it once from its result.
#include <functional>
#include <string>

#include "device/clock.h"
#include "device/link_events.h"

namespace mmx::cli {

class TerminalLink final : public LinkEvents {
public:
    TerminalLink(Clock& clock, bool terminal, bool quiet) : clock_(clock), terminal_(terminal), quiet_(quiet) {}

    // Gives the port's own description ("/dev/ttyUSB0 115200 8N2") when the port has opened.
    std::function<std::string()> portDescription;

    void status(LinkStatus status) override;
    void sendingMessage(int slot, const std::string& name) override;
    void messageSent(int slot, const std::string& name) override;
    void connectedIndicator(bool connected) override;
    void progressVisible(bool visible, long maximum) override;
    void progressValue(long value, long maximum) override;
    void progressTick(const UploadProgress& figures) override;

private:
    void line(const std::string& text);
    void clearBar();
    void drawBar();

    Clock& clock_;
    bool terminal_;
    bool quiet_;
    std::string lastStatus_;
    bool erasingShown_ = false;
    long value_ = 0;
    long maximum_ = 0;
    int percent_ = 0;
    int lastPrinted_ = -1;
    int32_t remaining_ = 0;
    bool haveEstimate_ = false;
    bool barDrawn_ = false;
    int64_t lastDrawMs_ = -1000;
};

}  // namespace mmx::cli
