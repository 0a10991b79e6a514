#pragma once
// The device link's display sink for the window. The link may report from the upload's
// worker thread; every report is handed to the window thread as a queued call, so widgets
// are only ever touched there.
#include <QObject>
#include <deque>
#include <functional>
#include <string>

#include "ui/link/status_display.h"

namespace mmx {

class WindowStatusDisplay final : public QObject, public StatusDisplay {
    Q_OBJECT
public:
    // What the window does with each report, on its own thread.
    struct Targets {
        std::function<void(const std::string&)> statusPanel, portPanel, timePanel, progressCaption, alert;
        std::function<void(bool)> progressBarVisible, connectedIndicator;
        std::function<void(long, long)> progressValue;
        std::function<void()> releaseControls;
    };

    explicit WindowStatusDisplay(QObject* windowThreadObject = nullptr) : QObject(windowThreadObject) {}
    void setTargets(Targets targets) { targets_ = std::move(targets); }

    void setStatusPanel(const std::string& text) override { post(targets_.statusPanel, text); }
    void setPortPanel(const std::string& text) override { post(targets_.portPanel, text); }
    void setTimePanel(const std::string& text) override { post(targets_.timePanel, text); }
    void setProgressCaption(const std::string& text) override { post(targets_.progressCaption, text); }
    void showProgressBar(bool visible) override { post(targets_.progressBarVisible, visible); }
    void setProgressValue(long value, long maximum) override {
        run([this, value, maximum] {
            if (targets_.progressValue) targets_.progressValue(value, maximum);
        });
    }
    void setConnectedIndicator(bool connected) override { post(targets_.connectedIndicator, connected); }
    void releaseControls() override {
        run([this] {
            if (targets_.releaseControls) targets_.releaseControls();
        });
    }
    // Boxes come one after the other in the order reported: a box reported while another is
    // open waits until that one is closed (its event loop would otherwise open it on top).
    void alert(const std::string& text) override {
        run([this, text] {
            pendingAlerts_.push_back(text);
            showPendingAlerts();
        });
    }

private:
    template <typename Target, typename Value>
    void post(const Target& target, Value value) {
        run([&target, value] {
            if (target) target(value);
        });
    }
    // At once on the window thread, queued from any other.
    void run(std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::AutoConnection);
    }

    void showPendingAlerts() {
        if (showingAlert_) return;
        showingAlert_ = true;
        while (!pendingAlerts_.empty()) {
            const std::string text = pendingAlerts_.front();
            pendingAlerts_.pop_front();
            if (targets_.alert) targets_.alert(text);
        }
        showingAlert_ = false;
    }

    Targets targets_;
    std::deque<std::string> pendingAlerts_;  // window thread only
    bool showingAlert_ = false;
};

}  // namespace mmx
