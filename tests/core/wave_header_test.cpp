// The WAVE checks: each field's boundaries, the order of the tests, the search for "data",
// and files that end before a field.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "core/number_format.h"
#include "core/file_refusal.h"
#include "core/wave_header.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::ScratchFolder;
using test::WaveShape;

class WaveHeaderTest : public ::testing::Test {
protected:
    WaveCheck check(const WaveShape& shape) { return ReadWaveHeader(folder.writeWave("f.wav", shape)); }
    WaveCheck checkBytes(const std::vector<uint8_t>& bytes) { return ReadWaveHeader(folder.write("b.wav", bytes)); }
    ScratchFolder folder;
};

TEST_F(WaveHeaderTest, AcceptsAFileWithItsFiguresAndRoundsThePlayTimeHalvesUp) {
    for (const auto& [rate, dataBytes, shown] : {std::tuple{22050u, 44100u, "1.00"}, {8000u, 2000u, "0.13"},
                                                 {8000u, 10000u, "0.63"}, {8000u, 1999u, "0.12"}, {24000u, 0u, "0.00"},
                                                 {11025u, 22050u * 60, "60.00"}}) {
        const auto result = check({.sampleRate = rate, .dataBytes = dataBytes});
        ASSERT_TRUE(result.accepted) << rate << " Hz, " << dataBytes << " bytes";
        EXPECT_EQ(result.info, (WaveInfo{dataBytes, rate, 44u + dataBytes})) << rate << " Hz, " << dataBytes << " bytes";
        EXPECT_EQ(playTimeText(result.info), shown) << rate << " Hz, " << dataBytes << " bytes";
    }
}

TEST_F(WaveHeaderTest, SampleRateBoundaries) {
    for (uint32_t rate : {8000u, 24000u, 7999u, 24001u, 44100u, 0u}) {
        const auto result = check({.sampleRate = rate});
        const bool inRange = rate >= 8000 && rate <= 24000;
        EXPECT_EQ(result.accepted, inRange) << rate;
        EXPECT_EQ(result.messageBoxIndex, inRange ? std::nullopt : std::optional<int>(FileRefusal::BadSampleRate)) << rate;
    }
}

TEST_F(WaveHeaderTest, TheFirstFailingTestDecidesTheMessage) {
    EXPECT_EQ(check({.channels = 2, .formType = "AVI "}).messageBoxIndex, FileRefusal::NotWave);
    // Stereo and 8-bit: only the mono test speaks.
    EXPECT_EQ(check({.channels = 2, .bitsPerSample = 8}).messageBoxIndex, FileRefusal::NotMono);
    EXPECT_EQ(check({.bitsPerSample = 8}).messageBoxIndex, FileRefusal::Not16Bit);
    EXPECT_EQ(check({.formType = "wave"}).messageBoxIndex, FileRefusal::NotWave);
}

TEST_F(WaveHeaderTest, DataChunkSearch) {
    auto result = check({.dataBytes = 100, .withDataChunk = false, .fill = 0x00});
    EXPECT_FALSE(result.accepted);
    EXPECT_FALSE(result.messageBoxIndex.has_value()) << "no data chunk is refused silently";

    result = check({.dataBytes = 1000, .extraChunk = "LIST"});
    ASSERT_TRUE(result.accepted);
    EXPECT_EQ(result.info.dataLength, 1000u);
}

TEST_F(WaveHeaderTest, ABrokenPartialMatchIsNotRetriedAsD) {
    // Header without "data", then "ddata" and a length: the second "d" breaks the first
    // match and is consumed, so no chunk is found there; a later clean "data" is.
    auto bytes = test::waveBytes({.withDataChunk = false, .fill = 0});
    const std::string tail("ddata\x10\x00\x00\x00", 9);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    EXPECT_FALSE(checkBytes(bytes).accepted);

    const std::string clean("xdata\x20\x00\x00\x00", 9);
    bytes.insert(bytes.end(), clean.begin(), clean.end());
    bytes.insert(bytes.end(), 0x20, 0);
    const auto result = checkBytes(bytes);
    ASSERT_TRUE(result.accepted);
    EXPECT_EQ(result.info.dataLength, 0x20u);
}

TEST_F(WaveHeaderTest, FilesEndingBeforeAFieldFailThatField) {
    const auto full = test::waveBytes({.dataBytes = 10});
    struct Cut {
        size_t length;
        std::optional<int> message;
    };
    const Cut cuts[] = {
        {0, FileRefusal::NotWave},        {11, FileRefusal::NotWave},       {12, FileRefusal::NotMono},
        {23, FileRefusal::NotMono},       {24, FileRefusal::BadSampleRate}, {27, FileRefusal::BadSampleRate},
        {28, FileRefusal::Not16Bit},      {35, FileRefusal::Not16Bit},      {36, std::nullopt},
        {40, std::nullopt},  // "data" present, its length cut off
    };
    for (const auto& cut : cuts) {
        const auto result = checkBytes(std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(cut.length)));
        EXPECT_FALSE(result.accepted) << cut.length;
        EXPECT_EQ(result.messageBoxIndex, cut.message) << cut.length;
    }
}

TEST_F(WaveHeaderTest, DataLengthCountsOnlyTheBytesPresent) {
    // 1 s at 22050 Hz, of which the file keeps 1000 bytes.
    auto bytes = test::waveBytes({.dataBytes = 44100});
    bytes.resize(44 + 1000);
    const auto result = checkBytes(bytes);
    ASSERT_TRUE(result.accepted);
    EXPECT_EQ(result.info.dataLength, 1000u);
    EXPECT_EQ(playTimeText(result.info), "0.02");
}

TEST_F(WaveHeaderTest, MissingFilesFoldersFifosAndDevicesAreRefusedSilently) {
    // A FIFO with no writer would block the open for ever.
    const std::string fifo = folder.folder() + "pipe.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {folder.folder() + "missing.wav", folder.folder(), fifo, std::string("/dev/zero")}) {
        const auto result = ReadWaveHeader(path);
        EXPECT_FALSE(result.accepted) << path;
        EXPECT_FALSE(result.messageBoxIndex.has_value()) << path;
    }
}

}  // namespace
}  // namespace mmx
