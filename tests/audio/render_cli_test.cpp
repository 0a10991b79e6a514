// mmx4210-cli render as a user runs it: a trigger's sequence from a saved set-up into one file,
// and clear refusals that leave an existing output alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/saved_setup.h"
#include "support/setup_values.h"

namespace mmx::test {
namespace {

// Slot 1 "m1.wav": 0.5 s at 22050 Hz, slot 2 "m2.wav": 1 s; trigger 1 plays 1 then 2, trigger 2
// nothing, trigger 3 message 4 (an empty slot), trigger 4 message 3, whose file "m3.wav" has gone.
// Which rate a sequence of several rates gets is the renderer's own, tested there.
std::string savedSetup(const ScratchFolder& folder) {
    const Setup setup = setupOf({generatedSlot(folder, 1, 22050), generatedSlot(folder, 2, 44100), generatedSlot(folder, 3, 100)},
                                {trigger({1, 2}), trigger({}), trigger({4}), trigger({3})});
    std::filesystem::remove(setup.slot(3).path);
    const std::string path = folder.folder() + "setup.cfg";
    EXPECT_TRUE(writeSetupFile(path, setup));
    return path;
}

ProgramRun render(const std::vector<std::string>& args) {
    std::vector<std::string> all{"render"};
    all.insert(all.end(), args.begin(), args.end());
    return runProgram(MMX_CLI_PATH, all);
}

TEST(RenderCli, WritesTheTriggersSequence) {
    ScratchFolder folder;
    const std::string setup = savedSetup(folder);
    const std::string out = folder.folder() + "trigger1.wav";
    const ProgramRun run = render({setup, "--trigger", "1", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Trigger 1  2 messages  1.50 s  22050 Hz  -> " + out + "\n");
    EXPECT_EQ(ReadWaveHeader(out).info, (WaveInfo{66150, 22050, 44 + 66150}));
}

struct RefusalCase {
    std::string name;
    std::vector<std::string> args;  // after the set-up file and before -o
    int exitCode;
    std::string error;  // what standard error says (after the set-up folder is put in for "DIR/")
};

class RenderCliRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RenderCliRefusal, SaysWhyAndLeavesTheOutputAlone) {
    ScratchFolder folder;
    const std::string setup = savedSetup(folder);
    const std::string out = folder.write("out.wav", std::string("an earlier render"));
    std::vector<std::string> args{setup};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    args.insert(args.end(), {"-o", out});
    const ProgramRun run = render(args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    std::string expected = GetParam().error;
    if (const size_t at = expected.find("DIR/"); at != std::string::npos) expected.replace(at, 4, folder.folder());
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    EXPECT_EQ(readText(out), "an earlier render");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenderCliRefusal,
    ::testing::Values(
        RefusalCase{"NoMessages", {"--trigger", "2"}, 1, "mmx4210-cli render: trigger 2 plays no message; nothing was written\n"},
        RefusalCase{"EmptySlot", {"--trigger", "3"}, 1, "mmx4210-cli render: trigger 3 plays message 4, but that slot holds no file\n"},
        RefusalCase{"MissingFile", {"--trigger", "4"}, 1,
                    "mmx4210-cli render: DIR/m3.wav: no sound data found, or the file cannot be read; nothing was written\n"},
        RefusalCase{"TriggerOutOfRange", {"--trigger", "13"}, 2, "--trigger"},
        RefusalCase{"NoTrigger", {}, 2, "--trigger is required"}),
    [](const auto& param) { return param.param.name; });

TEST(RenderCli, NeverWritesOverTheSetupOrItsMessages) {
    ScratchFolder folder;
    const std::string setup = savedSetup(folder);
    for (const std::string& target : {setup, folder.folder() + "m2.wav", folder.folder() + "./m1.wav"}) {
        const std::string before = readText(target);
        const ProgramRun run = render({setup, "--trigger", "1", "-o", target});
        EXPECT_EQ(run.exitCode, 2) << target;
        EXPECT_NE(run.err.find("; it is never overwritten"), std::string::npos) << run.err;
        EXPECT_EQ(readText(target), before);
    }
}

TEST(RenderCli, DamagedSetupIsRefusedWithItsLine) {
    ScratchFolder folder;
    const std::string setup = folder.write("broken.cfg", crlfLines({"a=1", "b=2"}));
    const ProgramRun run = render({setup, "--trigger", "1", "-o", folder.folder() + "out.wav"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("has 2 lines, 280 are needed"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.folder() + "out.wav"));
}

}  // namespace
}  // namespace mmx::test
