#pragma once
// What a slot's waveform shows: per column the lowest and highest sample, where the sound
// clips, and its loudness and true peak. Computed off the window thread and cached per file.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mmx::audio {

struct WaveformColumn {
    float low = 0;   // of full scale, -1..1
    float high = 0;
    bool clipped = false;  // a sample at full scale falls in this column
};

struct WaveformSummary {
    bool ok = false;
    std::string error;  // why the file cannot be read, when !ok
    uint32_t rate = 0;
    uint64_t frames = 0;
    std::vector<WaveformColumn> columns;
    double integratedLufs = 0;  // -inf for silence or a sound too short to measure
    double truePeakDb = 0;      // dBTP; -inf for silence
    bool loudnessMeasured = false;  // the two figures above were measured (they take longer)

    bool clips() const;
};

// Columns split the frames evenly; with fewer frames than columns a frame shows in several.
// Loudness and true peak take most of the time: without measureLoudness the picture comes
// at once and the figures are left out.
WaveformSummary summariseWave(const std::string& path, size_t columnCount, bool measureLoudness = true);

// Summaries by path, read again when the file's size or change time differs from what was
// read. Safe to call from several threads; two threads asking for the same new file may both
// read it, and the cache keeps one of the equal results.
class WaveformCache {
public:
    // A summary with loudness also serves a request without.
    std::shared_ptr<const WaveformSummary> summary(const std::string& path, size_t columnCount,
                                                   bool measureLoudness = true);

private:
    struct Stamp {
        uintmax_t size = 0;
        std::filesystem::file_time_type changed;
        size_t columnCount = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        bool loudness = false;
        std::shared_ptr<const WaveformSummary> summary;
    };
    std::mutex lock_;
    std::map<std::string, Entry> entries_;
};

}  // namespace mmx::audio
