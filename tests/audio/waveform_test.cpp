// Waveform summaries for drawing a slot: peaks per column, clipping, loudness and true peak,
// and the cache that reads a file again once it has changed.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <thread>

#include "audio/unit_wave.h"
#include "audio/waveform.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

// A tone at `amplitude` of full scale; from `clipFrom` (a fraction of the length) on, the
// same tone driven to three times that and cut off at full scale, as an overloaded recording.
std::vector<int16_t> toneSamples(uint32_t rate, double seconds, double amplitude, double clipFrom = 1.0) {
    const auto frames = static_cast<size_t>(rate * seconds);
    std::vector<int16_t> samples(frames);
    for (size_t n = 0; n < frames; ++n) {
        const double drive = static_cast<double>(n) >= clipFrom * static_cast<double>(frames) ? 3.0 : 1.0;
        const double value = drive * amplitude * std::sin(2 * std::numbers::pi * 1000.0 * static_cast<double>(n) / rate);
        samples[n] = static_cast<int16_t>(std::clamp(std::round(value * 32768.0), -32768.0, 32767.0));
    }
    return samples;
}

std::string writeSamples(const ScratchFolder& folder, const std::string& name, const std::vector<int16_t>& samples,
                         uint32_t rate) {
    return folder.write(name, audio::unitWaveBytes(samples, rate));
}

TEST(Waveform, ToneShowsItsPeaksLoudnessAndTruePeak) {
    ScratchFolder folder;
    const std::string path = writeSamples(folder, "tone.wav", toneSamples(16000, 2.0, 0.5), 16000);
    const audio::WaveformSummary summary = audio::summariseWave(path, 100);
    ASSERT_TRUE(summary.ok) << summary.error;
    EXPECT_EQ(summary.rate, 16000u);
    EXPECT_EQ(summary.frames, 32000u);
    ASSERT_EQ(summary.columns.size(), 100u);
    for (const auto& column : summary.columns) {
        EXPECT_NEAR(column.high, 0.5, 0.01);
        EXPECT_NEAR(column.low, -0.5, 0.01);
        EXPECT_FALSE(column.clipped);
    }
    EXPECT_FALSE(summary.clips());
    // A 1 kHz sine at -6.02 dBFS peak: -9.03 LUFS (mono), true peak -6.02 dBTP.
    EXPECT_NEAR(summary.integratedLufs, -9.03, 0.1);
    EXPECT_NEAR(summary.truePeakDb, -6.02, 0.1);
}

struct ClipCase {
    double clipFrom;          // where the overload starts, as a fraction of the length
    size_t firstClipped;      // of 40 columns; 40 when none
};

class WaveformClipping : public ::testing::TestWithParam<ClipCase> {};

TEST_P(WaveformClipping, MarksTheColumnsThatReachFullScale) {
    ScratchFolder folder;
    const std::string path = writeSamples(folder, "loud.wav", toneSamples(8000, 1.0, 0.4, GetParam().clipFrom), 8000);
    const audio::WaveformSummary summary = audio::summariseWave(path, 40);
    ASSERT_EQ(summary.columns.size(), 40u);
    for (size_t i = 0; i < summary.columns.size(); ++i) {
        EXPECT_EQ(summary.columns[i].clipped, i >= GetParam().firstClipped) << "column " << i;
    }
    EXPECT_EQ(summary.clips(), GetParam().firstClipped < 40);
    if (summary.clips()) {
        EXPECT_GE(summary.truePeakDb, -0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(Overloads, WaveformClipping,
                         ::testing::Values(ClipCase{1.0, 40}, ClipCase{0.5, 20}, ClipCase{0.0, 0}, ClipCase{0.9, 36}));

TEST(Waveform, ShortSoundFillsEveryColumnAndSilenceHasNoLoudness) {
    ScratchFolder folder;
    const std::string path = writeSamples(folder, "short.wav", {0, 16384, -8192}, 8000);
    const audio::WaveformSummary summary = audio::summariseWave(path, 6);
    ASSERT_TRUE(summary.ok);
    EXPECT_EQ(summary.frames, 3u);
    const std::vector<float> highs{0, 0, 0.5f, 0.5f, -0.25f, -0.25f};
    ASSERT_EQ(summary.columns.size(), highs.size());
    for (size_t i = 0; i < highs.size(); ++i) EXPECT_EQ(summary.columns[i].high, highs[i]) << i;
    EXPECT_TRUE(std::isinf(summary.integratedLufs) && summary.integratedLufs < 0);
}

TEST(Waveform, UnreadableFileSaysWhy) {
    ScratchFolder folder;
    const audio::WaveformSummary summary = audio::summariseWave(folder.write("noise.wav", std::string(300, 'x')), 10);
    EXPECT_FALSE(summary.ok);
    EXPECT_FALSE(summary.error.empty());
    EXPECT_TRUE(summary.columns.empty());
}

TEST(WaveformCache, ReadsAFileAgainOnlyWhenItChanged) {
    ScratchFolder folder;
    const std::string path = writeSamples(folder, "slot.wav", toneSamples(8000, 1.0, 0.25), 8000);
    audio::WaveformCache cache;
    const auto first = cache.summary(path, 50);
    EXPECT_EQ(cache.summary(path, 50), first);  // the same summary, not read again
    EXPECT_NE(cache.summary(path, 20), first);  // another width is another summary
    EXPECT_NEAR(first->columns.front().high, 0.25, 0.01);

    // The same length and a louder tone, with a change time of its own.
    const auto changed = std::filesystem::last_write_time(path) + std::chrono::seconds(2);
    writeSamples(folder, "slot.wav", toneSamples(8000, 1.0, 0.75), 8000);
    std::filesystem::last_write_time(path, changed);
    const auto second = cache.summary(path, 50);
    EXPECT_NEAR(second->columns.front().high, 0.75, 0.01);

    std::filesystem::remove(path);
    EXPECT_FALSE(cache.summary(path, 50)->ok);
}

TEST(WaveformCache, APictureWithoutLoudnessComesFirstAndTheFullOneServesBoth) {
    ScratchFolder folder;
    const std::string path = writeSamples(folder, "slot.wav", toneSamples(8000, 1.0, 0.25), 8000);
    audio::WaveformCache cache;
    const auto quick = cache.summary(path, 50, false);
    ASSERT_TRUE(quick->ok);
    EXPECT_FALSE(quick->loudnessMeasured);
    EXPECT_NEAR(quick->columns.front().high, 0.25, 0.01);
    EXPECT_EQ(cache.summary(path, 50, false), quick);
    const auto full = cache.summary(path, 50, true);
    EXPECT_TRUE(full->loudnessMeasured);
    EXPECT_LT(full->truePeakDb, -11.0);
    EXPECT_EQ(cache.summary(path, 50, false), full);
    EXPECT_EQ(cache.summary(path, 50, true), full);
}

TEST(WaveformCache, ServesSeveralThreadsAtOnce) {
    ScratchFolder folder;
    std::vector<std::string> paths;
    for (int i = 1; i <= 3; ++i) {
        paths.push_back(writeSamples(folder, std::to_string(i) + ".wav", toneSamples(8000, 0.5, 0.2 * i), 8000));
    }
    audio::WaveformCache cache;
    std::vector<std::vector<std::shared_ptr<const audio::WaveformSummary>>> seen(4);
    std::vector<std::thread> workers;
    for (auto& results : seen) {
        workers.emplace_back([&cache, &paths, &results] {
            for (int round = 0; round < 5; ++round) {
                for (const auto& path : paths) results.push_back(cache.summary(path, 30));
            }
        });
    }
    for (auto& worker : workers) worker.join();
    for (const auto& results : seen) {
        ASSERT_EQ(results.size(), 15u);
        for (size_t i = 0; i < results.size(); ++i) {
            EXPECT_NEAR(results[i]->columns.front().high, 0.2 * static_cast<double>(i % 3 + 1), 0.01);
        }
    }
}

}  // namespace
}  // namespace mmx::test
