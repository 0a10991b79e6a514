// Reading inputs: every common format, and inputs that are garbage, cut short or not files.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>

#include "audio/decode.h"
#include "sound_files.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

struct Format {
    const char* name;
    int format;
    uint32_t rate;
    int channels = 2;
};

class InputFormat : public ::testing::TestWithParam<Format> {};

TEST_P(InputFormat, DecodesToMonoAtItsRate) {
    const Format& format = GetParam();
    ScratchFolder folder;
    const std::string path = folder.folder() + "in." + format.name;
    writeSoundFile(path, format.format, format.rate, format.channels, 1.0, {{440, 0.5}});

    const audio::Decoded decoded = audio::decodeFile(path);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.signal.rate, format.rate);
    // Lossy coders add a little padding.
    EXPECT_NEAR(decoded.signal.seconds(), 1.0, 0.08);
    // Every channel carries the tone, so the mix keeps its level (the lossy ones within 0.5 dB).
    const double level = toneAmplitude(decoded.signal.samples, format.rate, 440, format.rate / 4, format.rate / 2);
    EXPECT_NEAR(decibels(level), decibels(0.5), 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, InputFormat,
    ::testing::Values(Format{"wav_float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100},
                      Format{"wav_extensible", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 44100},
                      Format{"wav_u8", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 22050},
                      Format{"wav_three_channels", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16000, 3},
                      Format{"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100},
                      Format{"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100},
                      Format{"opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000},
                      Format{"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100}),
    [](const auto& param) { return std::string(param.param.name); });

// Bytes of a short generated file in the given format.
std::string soundBytes(int format) {
    ScratchFolder folder;
    const std::string path = folder.folder() + "sound";
    writeSoundFile(path, format, 44100, 1, 0.5, {{440, 0.5}});
    return readText(path);
}

struct BadInput {
    const char* name;
    std::string (*bytes)();
};

class BadInputBytes : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputBytes, IsRefusedWithAReason) {
    ScratchFolder folder;
    const std::string path = folder.write("bad", GetParam().bytes());
    for (const audio::Decoded& decoded : {audio::decodeFile(path), audio::decodeBytes(readText(path))}) {
        EXPECT_FALSE(decoded.ok);
        EXPECT_FALSE(decoded.error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Garbage, BadInputBytes,
    ::testing::Values(BadInput{"empty", [] { return std::string(); }},
                      BadInput{"noise", [] { return std::string(4000, '\x5a') + "RIFF"; }},
                      BadInput{"wave_header_cut", [] { return soundBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16).substr(0, 30); }},
                      BadInput{"flac_cut", [] { return soundBytes(SF_FORMAT_FLAC | SF_FORMAT_PCM_16).substr(0, 60); }},
                      BadInput{"ogg_cut", [] { return soundBytes(SF_FORMAT_OGG | SF_FORMAT_VORBIS).substr(0, 200); }}),
    [](const auto& param) { return std::string(param.param.name); });

struct Limit {
    const char* name;
    uint32_t rate;
    uint32_t frames;
    const char* error;  // empty: taken
};

class InputLimit : public ::testing::TestWithParam<Limit> {};

// The rates and the length a file may have: anything a recorder makes, nothing a lying header
// could turn into an allocation of gigabytes.
TEST_P(InputLimit, IsTakenUpToTheLimitAndRefusedBeyond) {
    ScratchFolder folder;
    const audio::Decoded decoded =
        audio::decodeFile(folder.writeWave("in.wav", {.sampleRate = GetParam().rate, .dataBytes = 2 * GetParam().frames}));
    EXPECT_EQ(decoded.error, GetParam().error);
    if (decoded.ok) {
        EXPECT_EQ(decoded.signal.samples.size(), GetParam().frames);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, InputLimit,
    ::testing::Values(Limit{"OneHertz", 1, 10, ""}, Limit{"HighestRate", 768000, 100, ""},
                      Limit{"RateTooHigh", 768001, 100, "unusable sample rate"},
                      Limit{"OneHour", 100, 360'000, ""}, Limit{"LongerThanAnHour", 100, 360'001, "longer than one hour"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CutInput, GivesTheSoundThatIsThere) {
    // A WAVE file whose data stops early still plays up to the cut.
    const std::string whole = soundBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const audio::Decoded decoded = audio::decodeBytes(whole.substr(0, whole.size() / 2));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_NEAR(decoded.signal.seconds(), 0.25, 0.01);
}

TEST(NotAFile, FifoFolderAndMissingPathAreRefusedWithoutWaiting) {
    ScratchFolder folder;
    const std::string fifo = folder.folder() + "pipe.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening the FIFO would block for ever: there is no writer.
    for (const std::string& path : {fifo, folder.folder(), folder.folder() + "missing.wav"}) {
        const audio::Decoded decoded = audio::decodeFile(path);
        EXPECT_FALSE(decoded.ok) << path;
        EXPECT_FALSE(decoded.error.empty()) << path;
    }
}

}  // namespace
}  // namespace mmx::test
