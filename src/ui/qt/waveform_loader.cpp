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
    }
    for (auto& worker : workers_) worker.request_stop();
    wake_.notify_all();
    workers_.clear();  // joins
}

void WaveformLoader::request(int slot, const std::string& path) {
    {
        const std::lock_guard hold(lock_);
        jobs_.push_back(Job{slot, path});
    }
    wake_.notify_one();
}

void WaveformLoader::work(const std::stop_token& stop) {
    while (true) {
        Job job;
        {
            std::unique_lock hold(lock_);
            if (!wake_.wait(hold, stop, [this] { return !jobs_.empty(); })) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        Result result{job.slot, job.path, cache_.summary(job.path, columnCount_), std::this_thread::get_id()};
        QMetaObject::invokeMethod(this, [this, result = std::move(result)] { Q_EMIT ready(result); },
                                  Qt::QueuedConnection);
    }
}

}  // namespace mmx
