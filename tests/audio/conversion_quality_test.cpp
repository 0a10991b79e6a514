// Sound quality of the conversion, measured on generated tones: level, aliasing, distortion
// and noise, and loudness normalisation checked with libebur128 on the output.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include "audio/convert.h"
#include "audio/loudness.h"
#include "core/wave_header.h"
#include "sound_files.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

class ConversionQuality : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new ScratchFolder;
        const std::string path = folder_->folder() + "tones.wav";
        // 1 kHz at -6 dBFS with a 12 kHz tone beside it, which no output rate may fold back.
        writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 44100, 2, 2.0,
                       {{1000, std::pow(10.0, -6.0 / 20)}, {12000, std::pow(10.0, -10.0 / 20)}});
        source_ = new audio::Decoded(audio::decodeFile(path));
    }
    static void TearDownTestSuite() {
        delete source_;
        delete folder_;
    }
    static const audio::MonoSignal& source() {
        EXPECT_TRUE(source_->ok) << source_->error;
        return source_->signal;
    }
    // The samples of a converted file, read back from its bytes.
    static std::vector<float> samplesOf(const audio::ConvertedMessage& message) {
        const audio::Decoded back = audio::decodeBytes(message.waveBytes);
        EXPECT_TRUE(back.ok) << back.error;
        return back.signal.samples;
    }

    static inline ScratchFolder* folder_ = nullptr;
    static inline audio::Decoded* source_ = nullptr;
};

class ToneAtRate : public ConversionQuality, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(ToneAtRate, KeepsLevelFoldsNothingBackAndAddsLittleNoise) {
    const uint32_t rate = GetParam();
    const audio::ConvertedMessage message = audio::convertSignal(source(), rate, std::nullopt);

    // The file is one the slot check takes as it is, at the rate asked for.
    const std::string path = folder_->write("out" + std::to_string(rate) + ".wav", message.waveBytes);
    const WaveCheck check = ReadWaveHeader(path);
    ASSERT_TRUE(check.accepted);
    EXPECT_EQ(check.info.sampleRate, rate);
    EXPECT_EQ(check.info.dataLength, 2 * message.frames);

    const std::vector<float> out = samplesOf(message);
    ASSERT_EQ(out.size(), 2 * rate);  // 2 s
    // The middle second, clear of the filter's settling at both ends; whole cycles of every tone.
    const size_t begin = rate / 2, count = rate;
    const double fundamental = toneAmplitude(out, rate, 1000, begin, count);
    EXPECT_NEAR(decibels(fundamental), -6.0, 0.1);
    // 12 kHz folds to 4 kHz at both rates.
    EXPECT_LT(decibels(toneAmplitude(out, rate, 4000, begin, count)), -100.0);

    double power = 0;
    for (size_t n = begin; n < begin + count; ++n) power += static_cast<double>(out[n]) * out[n];
    power /= static_cast<double>(count);
    const double fundamentalPower = fundamental * fundamental / 2;
    const double thdPlusNoise = 10 * std::log10((power - fundamentalPower) / fundamentalPower);
    EXPECT_LT(thdPlusNoise, -85.0);
}

INSTANTIATE_TEST_SUITE_P(UnitRates, ToneAtRate, ::testing::Values(16000u, 8000u));

class LoudnessTarget : public ConversionQuality, public ::testing::WithParamInterface<double> {};

TEST_P(LoudnessTarget, ReachesTargetUnlessTruePeakWouldPassMinusOne) {
    const double target = GetParam();
    const audio::ConvertedMessage message = audio::convertSignal(source(), 16000, target);
    const auto measured = audio::measureLoudness(samplesOf(message), 16000);
    ASSERT_TRUE(measured);
    EXPECT_LT(measured->truePeakDb, audio::kTruePeakCeilingDb);
    EXPECT_NEAR(measured->integratedLufs, message.loudness.afterLufs, 0.5);
    // The -6 dBFS tone reaches -16 and -23 LUFS; -3 LUFS would put its peak near 0 dBTP.
    EXPECT_EQ(message.loudness.peakLimited, target > -5);
    if (!message.loudness.peakLimited) {
        EXPECT_NEAR(measured->integratedLufs, target, 0.5);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, LoudnessTarget, ::testing::Values(-16.0, -23.0, -3.0));

struct Unmeasurable {
    const char* name;
    std::vector<float> samples;
};

class UnmeasurableLoudness : public ::testing::TestWithParam<Unmeasurable> {};

// No loudness to speak of, so no gain: a silent file stays silent, a click is not blown up.
TEST_P(UnmeasurableLoudness, LeavesTheSoundAsItIs) {
    std::vector<float> samples = GetParam().samples;
    const audio::LoudnessChange change = audio::normaliseLoudness(samples, 16000, -16);
    EXPECT_FALSE(change.measured);
    EXPECT_EQ(samples, GetParam().samples);
}

INSTANTIATE_TEST_SUITE_P(Sounds, UnmeasurableLoudness,
                         ::testing::Values(Unmeasurable{"Silence", std::vector<float>(32000, 0.0f)},
                                           Unmeasurable{"ShorterThanOneGate", std::vector<float>(3200, 0.1f)}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace mmx::test
