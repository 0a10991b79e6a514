#include "ui/qt/conversion_worker.h"

#include <QMetaObject>

namespace mmx {

ConversionWorker::~ConversionWorker() {
    if (thread_.joinable()) thread_.join();
}

void ConversionWorker::start(std::vector<std::string> inputs, audio::ConvertOptions options) {
    if (thread_.joinable()) thread_.join();
    thread_ = std::jthread([this, inputs = std::move(inputs), options] {
        audio::BatchResult result = audio::convertFiles(inputs, options, [this](size_t done, size_t total) {
            const int percent = static_cast<int>(100 * done / total);
            QMetaObject::invokeMethod(this, [this, percent] { Q_EMIT progressed(percent); }, Qt::QueuedConnection);
        });
        // The result is handed over on the window thread, so it is never read while written.
        QMetaObject::invokeMethod(
            this,
            [this, result = std::move(result)]() mutable {
                if (thread_.joinable()) thread_.join();
                result_ = std::move(result);
                Q_EMIT finished();
            },
            Qt::QueuedConnection);
    });
}

}  // namespace mmx
