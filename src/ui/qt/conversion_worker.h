#pragma once
// Runs a conversion off the window thread and reports back on it.
#include <QObject>
#include <string>
#include <thread>
#include <vector>

#include "audio/convert.h"

namespace mmx {

class ConversionWorker final : public QObject {
    Q_OBJECT
public:
    explicit ConversionWorker(QObject* parent = nullptr) : QObject(parent) {}
    ~ConversionWorker() override;  // waits for a conversion still running

    // Starts converting; progressed and then finished arrive on this object's thread.
    void start(std::vector<std::string> inputs, audio::ConvertOptions options);
    bool running() const { return thread_.joinable(); }
    const audio::BatchResult& result() const { return result_; }

Q_SIGNALS:
    void progressed(int percent);
    void finished();

private:
    std::jthread thread_;
    audio::BatchResult result_;
};

}  // namespace mmx
