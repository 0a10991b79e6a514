// mmx4210-cli edit: the same edits as the window, on a file it creates or changes; a refused
// edit leaves the file as it was.
#include <gtest/gtest.h>

#include "app/setup_edits.h"
#include "app/setup_files.h"
#include "support/run_program.h"
#include "support/test_support.h"

namespace mmx::app {
namespace {

using test::readText;
using test::runProgram;
using test::ScratchFolder;

class EditCommand : public ::testing::Test {
protected:
    void SetUp() override {
        wave = folder.writeWave("hello.wav", {.dataBytes = 22050});
        setupPath = folder.folder() + "site.cfg";
    }
    test::ProgramRun edit(std::vector<std::string> args) {
        args.insert(args.begin(), {"edit", setupPath});
        return runProgram(MMX_CLI_PATH, args);
    }
    ScratchFolder folder;
    std::string wave;
    std::string setupPath;
};

TEST_F(EditCommand, CreatesTheFileTheWindowWouldSave) {
    const auto run = edit({"--slot", "1=" + wave, "--slot=2=" + wave, "--sequence", "3=2,1", "--zones=3=1,6"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    mmx::Setup expected;
    ASSERT_EQ(assignFile(expected, 1, wave).verdict, EditVerdict::Done);
    ASSERT_EQ(assignFile(expected, 2, wave).verdict, EditVerdict::Done);
    setSequence(expected, 3, {2, 1});
    setZones(expected, 3, {1, 6});
    const std::string saved = folder.folder() + "expected.cfg";
    ASSERT_TRUE(saveSetup(saved, expected));
    EXPECT_EQ(readText(setupPath), readText(saved));

    // Changing it again: the slot is emptied with every later one.
    ASSERT_EQ(edit({"--clear", "1"}).exitCode, 0);
    const OpenedSetup opened = openSetup(setupPath);
    ASSERT_TRUE(opened.setup);
    EXPECT_EQ(filledCount(*opened.setup), 0);
    EXPECT_EQ(opened.setup->trigger(3).length(), 2);
}

struct RefusedEdit {
    const char* what;
    std::vector<std::string> args;
    int exitCode;
    const char* says;
};

class EditCommandRefuses : public EditCommand, public ::testing::WithParamInterface<RefusedEdit> {};

TEST_P(EditCommandRefuses, AndLeavesTheFileAsItWas) {
    ASSERT_EQ(edit({"--slot", "1=" + wave}).exitCode, 0);
    const std::string before = readText(setupPath);
    const RefusedEdit& c = GetParam();
    const auto run = edit(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(readText(setupPath), before);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditCommandRefuses,
    ::testing::Values(RefusedEdit{"gap", {"--sequence", "1=1", "--slot", "3=x.wav"}, 1, "the slot before it is empty"},
                      RefusedEdit{"missing_file", {"--slot", "2=/no/such.wav"}, 1, "no such file"},
                      RefusedEdit{"slot_13_in_a_sequence", {"--sequence", "1=1,13"}, 1, "from 1 to 12"},
                      RefusedEdit{"zone_7", {"--zones", "1=7"}, 1, "zones are 1 to 6"},
                      RefusedEdit{"no_value", {"--zones"}, 2, "T=LIST missing"},
                      RefusedEdit{"not_a_list", {"--sequence", "1=two"}, 2, "not T=N1,N2"},
                      RefusedEdit{"unknown_option", {"--slots", "1=a"}, 2, "not expected: 1=a --slots"}),
    [](const auto& param) { return std::string(param.param.what); });

}  // namespace
}  // namespace mmx::app
