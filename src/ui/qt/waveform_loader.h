#pragma once
// Reads the slots' waveforms off the window thread: a couple of worker threads take the files
// in the order asked and hand each summary back on the window thread, twice: first the picture
// alone (quick), then with loudness and true peak, once every picture asked for is out. The
// cache keeps a summary per file and change time, so a set-up opened again is shown at once.
#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/waveform.h"

namespace mmx {

class WaveformLoader final : public QObject {
    Q_OBJECT
public:
    explicit WaveformLoader(size_t columnCount, unsigned threads = 2, QObject* parent = nullptr);
    ~WaveformLoader() override;  // waits for the file being read, drops the ones still waiting

    // Asks for slot's waveform of path; ready follows on this object's thread.
    void request(int slot, const std::string& path);

    struct Result {
        int slot = 0;
        std::string path;
        std::shared_ptr<const audio::WaveformSummary> summary;
        std::thread::id readOn;  // the thread that read the file
    };

Q_SIGNALS:
    void ready(const mmx::WaveformLoader::Result& result);

private:
    struct Job {
        int slot = 0;
        std::string path;
        bool loudness = false;
    };
    void work(const std::stop_token& stop);

    size_t columnCount_;
    audio::WaveformCache cache_;
    std::mutex lock_;
    std::condition_variable_any wake_;
    std::deque<Job> jobs_;      // pictures first
    std::deque<Job> loudness_;  // then the figures
    std::vector<std::jthread> workers_;
};

}  // namespace mmx

Q_DECLARE_METATYPE(mmx::WaveformLoader::Result)
