#pragma once
// A StatusDisplay that keeps everything shown, and the link's texts on it, for assertions.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/lang/ui_text_table.h"
#include "device/clock.h"
#include "ui/link/link_text_presenter.h"

namespace mmx::test {

class RecordingDisplay : public StatusDisplay {
public:
    void setStatusPanel(const std::string& text) override {
        status.push_back(text);
        if (onStatus) onStatus(text);
    }
    void setPortPanel(const std::string& text) override { portPanel = text; }
    void setTimePanel(const std::string& text) override {
        timePanel = text;
        timePanels.emplace_back(clock ? clock->nowMs() : 0, text);
    }
    void setProgressCaption(const std::string& text) override { captions.push_back(text); }
    void showProgressBar(bool visible) override { progressShown.push_back(visible); }
    void setProgressValue(long value, long) override {
        progressValues.push_back(value);
        if (onProgress) onProgress(value);
    }
    void setConnectedIndicator(bool connected) override { indicator = connected; }
    void releaseControls() override { ++releases; }
    void alert(const std::string& text) override { alerts.push_back(text); }

    bool showed(const std::string& text) const { return std::find(status.begin(), status.end(), text) != status.end(); }
    std::string last() const { return status.empty() ? std::string() : status.back(); }

    std::vector<std::string> status;
    std::vector<std::string> alerts;
    std::vector<std::string> captions;
    std::vector<long> progressValues;
    std::vector<bool> progressShown;
    std::string portPanel;
    std::string timePanel = "unset";
    bool indicator = false;
    int releases = 0;
    std::function<void(const std::string&)> onStatus;
    std::function<void(long)> onProgress;
    // The connection clock texts with the fake time at which each was shown.
    const Clock* clock = nullptr;
    std::vector<std::pair<int64_t, std::string>> timePanels;
};

// The link shown in English on a RecordingDisplay, with the progress figures kept as well.
class RecordingLink : public LinkTextPresenter {
public:
    RecordingLink() : LinkTextPresenter(texts, display) {}
    void progressTick(const UploadProgress& figures) override {
        LinkTextPresenter::progressTick(figures);
        ticks.push_back(figures);
    }
    void messageSent(int slot, const std::string&) override { sentSlots.push_back(slot); }
    std::string statusText(int k) const { return texts.statusMessage(k); }

    UiTextTable texts;
    RecordingDisplay display;
    std::vector<UploadProgress> ticks;
    std::vector<int> sentSlots;
};

}  // namespace mmx::test
