#pragma once
// A StatusDisplay that keeps everything shown, for assertions.
#include <string>
#include <vector>

#include "device/status_display.h"

namespace mmx::test {

class RecordingDisplay final : public StatusDisplay {
public:
    void setStatusPanel(const std::string& text) override { statusPanel.push_back(text); }
    void setPortPanel(const std::string& text) override { portPanel = text; }
    void setTimePanel(const std::string& text) override { timePanel = text; }
    void setProgressCaption(const std::string& text) override { caption = text; }
    void showProgressBar(bool visible) override { progressBar = visible; }
    void setConnectedIndicator(bool connected) override { indicator = connected; }
    void releaseControls() override { ++released; }
    void alert(const std::string& text) override { alerts.push_back(text); }

    std::string lastStatus() const { return statusPanel.empty() ? std::string() : statusPanel.back(); }

    std::vector<std::string> statusPanel;
    std::string portPanel;
    std::string timePanel = "unset";
    std::string caption = "unset";
    bool progressBar = true;
    bool indicator = false;
    int released = 0;
    std::vector<std::string> alerts;
};

}  // namespace mmx::test
