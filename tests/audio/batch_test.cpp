// A set of files converted together: silence trimmed, and a file that cannot be used neither
// stops the others nor counts towards the rate and the memory.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include "audio/convert.h"
#include "audio/silence_trim.h"
#include "core/unit_facts.h"
#include "sound_files.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

constexpr uint32_t kRate = 16000;
const auto kThreshold = static_cast<float>(std::pow(10.0, audio::kSilenceThresholdDb / 20.0));
const auto kMargin = static_cast<size_t>(audio::kTrimMarginSeconds * kRate);

std::vector<float> quiet(size_t count) { return std::vector<float>(count, 0.0f); }

struct TrimCase {
    const char* name;
    std::vector<float> samples;
    size_t keptSamples;
};

class Trim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trim, CutsWhatIsBelowTheThresholdKeepingAMargin) {
    audio::MonoSignal signal{GetParam().samples, kRate};
    audio::trimSilence(signal);
    EXPECT_EQ(signal.samples.size(), GetParam().keptSamples);
}

std::vector<float> around(std::vector<float> middle) {
    std::vector<float> samples = quiet(kRate);
    samples.insert(samples.end(), middle.begin(), middle.end());
    samples.resize(samples.size() + kRate, 0.0f);
    return samples;
}

INSTANTIATE_TEST_SUITE_P(
    Signals, Trim,
    ::testing::Values(TrimCase{"SoundBetweenSilences", around(std::vector<float>(8000, 0.5f)), 8000 + 2 * kMargin},
                      TrimCase{"OneSampleAtTheThreshold", around({kThreshold}), 1 + 2 * kMargin},
                      TrimCase{"JustBelowTheThreshold", around({kThreshold * 0.99f}), 0}),
    [](const auto& param) { return std::string(param.param.name); });

class Batch : public ::testing::TestWithParam<bool> {};

TEST_P(Batch, FileThatCannotBeUsedLeavesTheOthersAlone) {
    const bool trim = GetParam();
    ScratchFolder folder;
    const std::string dir = folder.folder();
    writeSoundFile(dir + "tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 1.0, {{440, 0.5}});
    writeSoundFile(dir + "silent.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 1.0, {});
    folder.write("broken.wav", std::string(300, 'x'));
    audio::ConvertOptions options;
    options.trim = trim;
    const audio::BatchResult result = audio::convertFiles({dir + "broken.wav", dir + "silent.wav", dir + "tone.wav"}, options);

    ASSERT_EQ(result.files.size(), 3u);
    EXPECT_FALSE(result.files[0].ok);
    EXPECT_NE(result.files[0].error, "");
    EXPECT_NE(result.files[0].error, "silent throughout");
    EXPECT_EQ(result.files[1].ok, !trim);
    EXPECT_EQ(result.files[1].error, trim ? "silent throughout" : "");
    ASSERT_TRUE(result.files[2].ok);
    // The highest rate the unit plays: 44.1 kHz is above it, and nothing else counts.
    EXPECT_EQ(result.rate, unit::kMaxSampleRate);
    int64_t stored = 0;
    for (const auto& file : result.files) {
        if (file.ok) stored += unit::storedLength(file.message.waveBytes.size());
    }
    EXPECT_EQ(result.storedBytes, stored);
    EXPECT_TRUE(result.fits);
    EXPECT_NEAR(result.files[2].sourceSeconds, 1.0, trim ? 0.021 : 0.0);
    if (!trim) {
        EXPECT_DOUBLE_EQ(result.files[1].sourceSeconds, 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(TrimOrNot, Batch, ::testing::Bool(), [](const auto& param) { return param.param ? "Trimmed" : "AsRecorded"; });

}  // namespace
}  // namespace mmx::test
