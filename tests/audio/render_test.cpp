// A trigger's sequence rendered as one WAVE file: lengths, rates and the samples themselves.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "audio/decode.h"
#include "audio/sequence_render.h"
#include "audio/unit_wave.h"
#include "sound_files.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

struct Message {
    uint32_t rate;
    double seconds;
};

struct LengthCase {
    std::vector<Message> messages;
    uint32_t rate;
    uint64_t frames;
};

class RenderLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(RenderLength, PlaysEveryMessageAtTheHighestRate) {
    ScratchFolder folder;
    std::vector<std::string> paths;
    for (const Message& message : GetParam().messages) {
        paths.push_back(folder.folder() + "m" + std::to_string(paths.size()) + ".wav");
        writeSoundFile(paths.back(), SF_FORMAT_WAV | SF_FORMAT_PCM_16, message.rate, 1, message.seconds, {{440, 0.3}});
    }
    const audio::RenderedSequence rendered = audio::renderSequence(paths);
    ASSERT_TRUE(rendered.ok()) << rendered.reason;
    EXPECT_EQ(rendered.rate, GetParam().rate);
    EXPECT_EQ(rendered.frames, GetParam().frames);
    EXPECT_EQ(rendered.waveBytes.size(), audio::unitWaveFileLength(GetParam().frames));
}

INSTANTIATE_TEST_SUITE_P(Sequences, RenderLength,
                         ::testing::Values(LengthCase{{{8000, 1.0}, {16000, 0.5}}, 16000, 24000},
                                           LengthCase{{{16000, 0.5}, {8000, 1.0}}, 16000, 24000},
                                           LengthCase{{{22050, 1.0}}, 22050, 22050},
                                           LengthCase{{{8000, 0.25}, {8000, 0.25}, {8000, 0.25}, {8000, 0.25}}, 8000, 8000},
                                           LengthCase{{{24000, 0.1}, {11025, 0.2}, {8000, 0.3}}, 24000, 2400 + 4800 + 7200}));

// 16-bit little-endian samples of a WAVE file written by the unit's writer.
std::vector<int16_t> samplesOf(const std::string& waveBytes) {
    std::vector<int16_t> samples((waveBytes.size() - audio::kUnitWaveHeaderBytes) / 2);
    std::memcpy(samples.data(), waveBytes.data() + audio::kUnitWaveHeaderBytes, samples.size() * 2);
    return samples;
}

TEST(RenderSequence, KeepsSamplesAtTheHighestRateAndConvertsTheOthers) {
    ScratchFolder folder;
    // 1 s of 440 Hz at 8 kHz, then 0.5 s at 16 kHz of a pattern no converter would give back.
    const std::string low = folder.folder() + "low.wav";
    writeSoundFile(low, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 1.0, {{440, 0.5}});
    std::vector<int16_t> pattern(8000);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<int16_t>((i * 7919) % 65536 - 32768);
    const std::string high = folder.write("high.wav", audio::unitWaveBytes(pattern, 16000));

    const audio::RenderedSequence rendered = audio::renderSequence({low, high});
    ASSERT_TRUE(rendered.ok()) << rendered.reason;
    // The header, byte for byte: RIFF size 36 + 48000, PCM mono 16000 Hz, 32000 bytes/s, data 48000.
    const std::string header("RIFF\xA4\xBB\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x80\x3E\x00\x00"
                             "\x00\x7D\x00\x00\x02\x00\x10\x00"
                             "data\x80\xBB\x00\x00",
                             44);
    EXPECT_EQ(rendered.waveBytes.substr(0, 44), header);

    const std::vector<int16_t> samples = samplesOf(rendered.waveBytes);
    ASSERT_EQ(samples.size(), 24000u);
    EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), samples.begin() + 16000));
    std::vector<float> converted(samples.begin(), samples.begin() + 16000);
    for (float& sample : converted) sample /= 32768.0f;
    // The tone keeps its level (within 0.1 dB) in the middle of its second, away from the ends.
    EXPECT_NEAR(decibels(toneAmplitude(converted, 16000, 440, 4000, 8000)), decibels(0.5), 0.1);
}

struct RefusalCase {
    std::string name;
    WaveShape shape;
    bool written;
    std::string reason;
};

class RenderRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RenderRefusal, NamesTheMessageThatCannotBePlayed) {
    ScratchFolder folder;
    const std::string first = folder.writeWave("good.wav", {.dataBytes = 2000});
    const std::string bad = GetParam().written ? folder.writeWave("bad.wav", GetParam().shape) : folder.folder() + "bad.wav";
    const audio::RenderedSequence rendered = audio::renderSequence({first, bad, first});
    EXPECT_EQ(rendered.problem, audio::RenderProblem::NotUnitWave);
    EXPECT_EQ(rendered.path, bad);
    EXPECT_EQ(rendered.reason, GetParam().reason);
    EXPECT_TRUE(rendered.waveBytes.empty());
}

WaveShape shapeWith(uint16_t channels, uint32_t rate, uint16_t bits, const char* formType = "WAVE") {
    return {.channels = channels, .sampleRate = rate, .bitsPerSample = bits, .dataBytes = 4000, .formType = formType};
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RenderRefusal,
    ::testing::Values(RefusalCase{"Missing", {}, false, "no sound data found, or the file cannot be read"},
                      RefusalCase{"Stereo", shapeWith(2, 16000, 16), true, "not mono (2 channels)"},
                      RefusalCase{"EightBit", shapeWith(1, 16000, 8), true, "not 16 bits per sample (8)"},
                      RefusalCase{"NotWave", shapeWith(1, 16000, 16, "AVI "), true, "not a WAVE file"},
                      RefusalCase{"TooFast", shapeWith(1, 32000, 16), true, "sample rate 32000 Hz is outside 8000 to 24000 Hz"}),
    [](const auto& param) { return param.param.name; });

TEST(RenderSequence, EmptySequenceIsRefused) {
    EXPECT_EQ(audio::renderSequence({}).problem, audio::RenderProblem::NoMessages);
}

}  // namespace
}  // namespace mmx::test
