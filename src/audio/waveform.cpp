#include "audio/waveform.h"

#include <algorithm>
#include <cmath>

#include "audio/decode.h"
#include "audio/loudness.h"

namespace mmx::audio {
namespace {

// The highest 16-bit sample, 32767 / 32768, and its negative counterpart: a sample that
// reaches either was (almost certainly) cut off at full scale.
constexpr float kFullScaleHigh = 32767.0f / 32768.0f;
constexpr float kFullScaleLow = -1.0f;

WaveformColumn columnOf(const std::vector<float>& samples, size_t begin, size_t end) {
    const auto [low, high] = std::minmax_element(samples.begin() + static_cast<std::ptrdiff_t>(begin),
                                                 samples.begin() + static_cast<std::ptrdiff_t>(end));
    WaveformColumn column;
    column.low = *low;
    column.high = *high;
    column.clipped = column.high >= kFullScaleHigh || column.low <= kFullScaleLow;
    return column;
}

}  // namespace

bool WaveformSummary::clips() const {
    return std::any_of(columns.begin(), columns.end(), [](const WaveformColumn& column) { return column.clipped; });
}

WaveformSummary summariseWave(const std::string& path, size_t columnCount, bool measureLoudness) {
    WaveformSummary summary;
    Decoded decoded = decodeFile(path);
    if (!decoded.ok) {
        summary.error = decoded.error;
        return summary;
    }
    const std::vector<float>& samples = decoded.signal.samples;
    summary.ok = true;
    summary.rate = decoded.signal.rate;
    summary.frames = samples.size();
    summary.columns.resize(columnCount);
    if (!samples.empty()) {
        for (size_t i = 0; i < columnCount; ++i) {
            const size_t begin = std::min(i * samples.size() / columnCount, samples.size() - 1);
            const size_t end = std::max(begin + 1, (i + 1) * samples.size() / columnCount);
            summary.columns[i] = columnOf(samples, begin, end);
        }
    }
    if (!measureLoudness) return summary;
    const auto loudness = audio::measureLoudness(samples, summary.rate);
    summary.loudnessMeasured = true;
    summary.integratedLufs = loudness ? loudness->integratedLufs : -HUGE_VAL;
    summary.truePeakDb = loudness ? loudness->truePeakDb : -HUGE_VAL;
    return summary;
}

std::shared_ptr<const WaveformSummary> WaveformCache::summary(const std::string& path, size_t columnCount,
                                                              bool measureLoudness) {
    std::error_code error;
    Stamp stamp;
    stamp.columnCount = columnCount;
    stamp.size = std::filesystem::file_size(path, error);
    if (!error) stamp.changed = std::filesystem::last_write_time(path, error);
    if (error) {
        // Nothing to key on: say why, and forget what was known about the path.
        auto missing = std::make_shared<WaveformSummary>();
        missing->error = error.message();
        std::lock_guard guard(lock_);
        entries_.erase(path);
        return missing;
    }
    {
        std::lock_guard guard(lock_);
        const auto found = entries_.find(path);
        if (found != entries_.end() && found->second.stamp == stamp && (found->second.loudness || !measureLoudness))
            return found->second.summary;
    }
    // Read without the lock, so that other files are served meanwhile.
    auto fresh = std::make_shared<const WaveformSummary>(summariseWave(path, columnCount, measureLoudness));
    std::lock_guard guard(lock_);
    Entry& entry = entries_[path];
    // A quick read that ends after a full one of the same file must not take its place.
    if (entry.stamp == stamp && entry.loudness && !measureLoudness) return fresh;
    entry = Entry{stamp, measureLoudness, fresh};
    return fresh;
}

}  // namespace mmx::audio
