// mmx4210-cli convert as a user runs it: outputs beside failures, nothing written when the set
// cannot fit. Inputs never overwritten are pinned with every option's two forms.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>

#include "core/wave_header.h"
#include "sound_files.h"
#include "support/run_program.h"
#include "support/test_support.h"

namespace mmx::test {
namespace {

ProgramRun convert(std::vector<std::string> args) {
    args.insert(args.begin(), "convert");
    return runProgram(MMX_CLI_PATH, args);
}

TEST(ConvertCli, ConvertsWhatItCanReadAndNamesWhatItCannot) {
    ScratchFolder folder;
    const std::string dir = folder.folder();
    writeSoundFile(dir + "hello.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 44100, 2, 1.0, {{440, 0.3}});
    folder.write("broken.mp3", std::string(500, 'x'));
    const ProgramRun run = convert({dir + "hello.flac", dir + "broken.mp3", "--out-dir", dir + "unit", "--rate", "12000"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("broken.mp3: "), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "unit/broken.wav"));
    EXPECT_NE(run.out.find("hello.flac  1.00 s  12000 Hz  24 kB  -> " + dir + "unit/hello.wav"), std::string::npos) << run.out;
    EXPECT_EQ(ReadWaveHeader(dir + "unit/hello.wav").info, (WaveInfo{2 * 12000, 12000, 44 + 2 * 12000}));
}

TEST(ConvertCli, SetThatCannotFitIsWrittenOnlyAtAFixedRateAndThenSaysSo) {
    ScratchFolder folder;
    const std::string dir = folder.folder();
    // 9.6 MB of sound at 8000 Hz: about 76 s more than the memory holds.
    writeSoundFile(dir + "long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 600.0, {{440, 0.3}});
    const ProgramRun automatic = convert({dir + "long.wav", "-o", dir + "out.wav"});
    EXPECT_EQ(automatic.exitCode, 1);
    EXPECT_NE(automatic.err.find("are 76.3 s too long"), std::string::npos) << automatic.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "out.wav"));

    // 44 + 2 x 4,800,000 bytes and the checksum word take 27,429 blocks of 350 bytes.
    const ProgramRun fixed = convert({dir + "long.wav", "-o", dir + "out.wav", "--rate", "8000"});
    EXPECT_EQ(fixed.exitCode, 0);
    EXPECT_EQ(fixed.err, "The messages need 9600150 bytes; the unit holds 8380000.\n");
    EXPECT_TRUE(std::filesystem::exists(dir + "out.wav"));
}

}  // namespace
}  // namespace mmx::test
