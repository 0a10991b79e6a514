#pragma once
// Turns what the device link reports into the program's own texts (status messages, the port
// panel, the connection clock, the progress caption, the message boxes) on a StatusDisplay.
// The window and the command-line tool both show the link through it.
#include "ui/lang/ui_text_table.h"
#include "device/link_events.h"
#include "ui/link/status_display.h"

namespace mmx {

class LinkTextPresenter : public LinkEvents {
public:
    // texts are read at every event, so a language change shows at once.
    LinkTextPresenter(const UiTextTable& texts, StatusDisplay& display) : texts_(texts), display_(display) {}

    void status(LinkStatus status) override;
    void sendingMessage(int slot, const std::string& name) override;
    void portOpened(int commport, const std::string& settingsText) override;
    void portOpenFailed(int commport) override;
    void portClosed() override;
    void connectedIndicator(bool connected) override { display_.setConnectedIndicator(connected); }
    void connectionTime(int64_t elapsedMs) override;
    void connectionTimeCleared() override { display_.setTimePanel(""); }
    void progressVisible(bool visible, long maximum) override;
    void progressValue(long value, long maximum) override { display_.setProgressValue(value, maximum); }
    void progressTick(const UploadProgress& figures) override;
    void progressCleared() override { display_.setProgressCaption(""); }
    void controlsReleased() override { display_.releaseControls(); }
    void alert(LinkAlert alert) override;

    // The UI-text indices behind the link's reports.
    static int statusIndex(LinkStatus status);
    static int messageBoxIndex(LinkAlert alert);

protected:
    const UiTextTable& texts() const { return texts_; }
    StatusDisplay& display() { return display_; }

private:
    const UiTextTable& texts_;
    StatusDisplay& display_;
};

}  // namespace mmx
