#include "ui/qt/waveform_loader.h"

#include <QMetaObject>

namespace mmx {

WaveformLoader::WaveformLoader(size_t columnCount, unsigned threads, QObject* parent)
    : QObject(parent), columnCount_(columnCount) {
    for (unsigned i = 0; i < std::max(1u, threads); ++i)
        workers_.emplace_back([this](const std::stop_token& stop) { work(stop); });
}

WaveformLoader::~WaveformLoader() {
    {
        const std::lock_guard hold(lock_);
        jobs_.clear();
        loudness_.clear();
    }
    for (auto& worker : workers_) worker.request_stop();
    wake_.notify_all();
    workers_.clear();  // joins
}

void WaveformLoader::request(int slot, const std::string& path) {
    {
        const std::lock_guard hold(lock_);
        jobs_.push_back(Job{slot, path, false});
    }
    wake_.notify_one();
}

void WaveformLoader::work(const std::stop_token& stop) {
    while (true) {
        Job job;
        {
            std::unique_lock hold(lock_);
            if (!wake_.wait(hold, stop, [this] { return !jobs_.empty() || !loudness_.empty(); })) return;
            auto& queue = jobs_.empty() ? loudness_ : jobs_;
            job = std::move(queue.front());
            queue.pop_front();
        }
        Result result{job.slot, job.path, cache_.summary(job.path, columnCount_, job.loudness), std::this_thread::get_id()};
        if (!job.loudness && result.summary->ok && !result.summary->loudnessMeasured) {
            {
                const std::lock_guard hold(lock_);
                loudness_.push_back(Job{job.slot, job.path, true});
            }
            wake_.notify_one();
        }
        QMetaObject::invokeMethod(this, [this, result = std::move(result)] { Q_EMIT ready(result); },
                                  Qt::QueuedConnection);
    }
}

}  // namespace mmx
