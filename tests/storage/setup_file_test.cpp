// The set-up file: exact bytes, round trips, and files that must be refused whole.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>

#include "support/fake_dialogs.h"
#include "sample_setup.h"
#include "storage/setup_file.h"
#include "storage/text_codec.h"
#include "support/setup_values.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::readText;
using test::RecordingMessageBoxes;
using test::ScratchFolder;

class SetupFile : public ::testing::Test {
protected:
    void SetUp() override {
        state.initialise(folder.folder());
        test::fillSmallSetup(state);
    }
    // The small set-up's file with line `line` (1-based) replaced.
    std::string fileWithLine(int line, const std::string& text) {
        return folder.write("edited.cfg", test::withLineReplaced(test::smallSetupFileBytes(), line, text));
    }
    ScratchFolder folder;
    ProgramState state;
    RecordingMessageBoxes boxes;
};

TEST_F(SetupFile, SmallSetUpIsWrittenByteForByte) {
    const std::string path = folder.folder() + "small.cfg";
    ASSERT_TRUE(SaveConfig(state, path));
    EXPECT_EQ(readText(path), test::smallSetupFileBytes());
    EXPECT_EQ(state.messages.TFileLength, 138600);  // summed before writing
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(SetupCodec, ASetupIsWrittenByteForByteAndReadBackToTheSameFigures) {
    const auto lines = splitLines(test::smallSetupFileBytes());
    EXPECT_EQ(setupLines(test::smallSetup()), lines);
    const auto read = parseSetupLines(lines);
    ASSERT_TRUE(read);
    EXPECT_EQ(setupLines(*read), lines);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(storedLength(read->slot(k)), storedLength(test::smallSetup().slot(k))) << k;
        EXPECT_EQ(playHundredths(read->slot(k)), playHundredths(test::smallSetup().slot(k))) << k;
    }
    EXPECT_EQ(read->triggers, test::smallSetup().triggers);
}

TEST(SetupCodec, TheEdgesOfEveryRangeAreTaken) {
    // Slot 12 filled at 24 kHz with one block, slot 1 at 8 kHz; trigger 1 plays slot 12.
    mmx::Setup setup = test::smallSetup();
    setup.slot(1) = Slot{"/s/low.wav", "low", WaveInfo{100, 8000, 300}};
    for (int k = 3; k <= 12; ++k) setup.slot(k) = Slot{"/s/k.wav", "k", WaveInfo{48000, 24000, 48044}};
    setup.slot(12) = Slot{"/s/high.wav", "high", WaveInfo{100, 24000, 300}};
    setup.trigger(1) = test::trigger({12, 1});
    const auto lines = setupLines(setup);
    EXPECT_EQ(lines[60], "TMsgSize( 1)=350");
    EXPECT_EQ(lines[72], "MsgSample( 1)=8.000");
    EXPECT_EQ(lines[83], "MsgSample( 12)=24.000");
    EXPECT_EQ(lines[98], "TRG1( 1)_Text= 12");
    FileOutcome outcome;
    const auto read = parseSetupLines(lines, &outcome);
    ASSERT_TRUE(read) << outcome.reason();
    EXPECT_EQ(setupLines(*read), lines);
    EXPECT_EQ(read->slot(12).name, "high");
    EXPECT_EQ(read->trigger(1), test::trigger({12, 1}));
}

TEST(SetupCodec, AnEntryBehindAGapIsNotKept) {
    auto lines = splitLines(test::smallSetupFileBytes());
    lines[100] = "TRG1( 2)_Text= ";  // row 1: 1, -, 2 -> plays 1 only
    lines[102] = "TRG1( 3)_Text= 2";
    const auto read = parseSetupLines(lines);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->trigger(1), test::trigger({1}, 0b000101));
}

TEST_F(SetupFile, AFreshSetUpHas280LinesAndSurvivesARoundTrip) {
    ProgramState fresh;
    fresh.initialise(folder.folder());
    const auto lines = setupFileLines(fresh);
    ASSERT_EQ(lines.size(), 280u);
    EXPECT_EQ(lines.front(), "MsgBt( 1) =False");
    EXPECT_EQ(lines[36], "Bt_Browse( 1)=True");
    EXPECT_EQ(lines[96], "TRG1( 13)_ListCount=0");
    EXPECT_EQ(lines[97], "TRG1( 1)_Enabled=True");
    EXPECT_EQ(lines[98], "TRG1( 1)_Text= ");
    EXPECT_EQ(lines[205], "Check1( 1)=0");
    EXPECT_EQ(lines.back(), "TFileLength=0");
    // Saved before anything was chosen (its lists were never filled), opened and saved again.
    const std::string path = folder.folder() + "fresh.cfg";
    ASSERT_TRUE(SaveConfig(fresh, path));
    ASSERT_TRUE(OpenConfig(fresh, path));
    EXPECT_EQ(setupFileLines(fresh), lines);
}

TEST_F(SetupFile, OpenRestoresEveryValueAndSavesTheSameBytes) {
    const std::string path = folder.write("small.cfg", test::smallSetupFileBytes());
    ProgramState opened;
    opened.initialise(folder.folder());
    ASSERT_TRUE(OpenConfig(opened, path));
    EXPECT_TRUE(opened.MessagesUploaded);
    const MessageSlot& alarm = opened.messages.slot(2);
    EXPECT_EQ(alarm.FilePath, "/data/sounds/Alarm=loud.wav");  // only the first "=" separates
    EXPECT_EQ(alarm.WaveFile, "Alarm");
    EXPECT_EQ(alarm.MsgTime, "1.25");
    EXPECT_EQ(alarm.TMsgSize, 28000);
    EXPECT_EQ(alarm.MsgSize, "28");  // stored length in whole KB
    EXPECT_EQ(alarm.MsgSample, "11.025");
    EXPECT_TRUE(alarm.MsgBtEnabled);
    EXPECT_TRUE(opened.messages.slot(3).BrowseEnabled);
    EXPECT_FALSE(opened.messages.slot(4).BrowseEnabled);
    EXPECT_EQ(opened.triggers.listCount(), 3);
    EXPECT_EQ(opened.triggers.choices(), (std::vector<std::string>{" ", " 1", " 2"}));
    EXPECT_EQ(opened.triggers.entry(2).text, " 2");
    EXPECT_FALSE(opened.triggers.entry(4).enabled);
    EXPECT_EQ(opened.triggers.zone(12), 1);
    EXPECT_EQ(opened.triggers.time(1), "3.75");
    EXPECT_EQ(opened.messages.TotalSize, "138");
    EXPECT_EQ(opened.messages.TFileLength, 138600);
    ASSERT_TRUE(SaveConfig(opened, folder.folder() + "again.cfg"));
    EXPECT_EQ(readText(folder.folder() + "again.cfg"), test::smallSetupFileBytes());
}

TEST_F(SetupFile, ValuesConvertAsTheReaderPromises) {
    auto lines = splitLines(test::smallSetupFileBytes());
    lines[0] = "MsgBt( 1) =true";       // any letter case
    lines[1] = "anything=0";            // a number: 0 is False, keys are never read
    lines[2] = "MsgBt( 3) = 2 ";        // non-zero is True
    lines[60] = "TMsgSize( 1)=700 kB";  // leading number
    lines[61] = "TMsgSize( 2)=28000 B"; // leading number
    lines[62] = "TMsgSize( 3)=";        // no number gives 0 (an empty slot)
    lines[98] = "TRG1( 1)_Text=";       // no message, as " " is
    lines[215] = "Check1( 11)=2";       // greyed plays nowhere
    lines[206] = "Check1( 2)= 1 ";
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\n";  // LF-only line ends read as well
    const std::string path = folder.write("lf.cfg", bytes);
    ASSERT_TRUE(OpenConfig(state, path));
    // The flags must convert, but what is enabled follows the slots themselves.
    EXPECT_TRUE(state.messages.slot(1).MsgBtEnabled);
    EXPECT_TRUE(state.messages.slot(2).MsgBtEnabled);
    EXPECT_FALSE(state.messages.slot(3).MsgBtEnabled);
    EXPECT_EQ(state.messages.slot(1).TMsgSize, 700);
    EXPECT_EQ(state.messages.slot(1).MsgSize, "0");
    EXPECT_EQ(state.messages.slot(2).TMsgSize, 28000);
    EXPECT_EQ(state.messages.slot(3).TMsgSize, 0);
    EXPECT_EQ(state.triggers.entry(1).text, " ");
    EXPECT_EQ(state.triggers.entry(2).text, " ");  // nothing plays behind an empty entry
    EXPECT_EQ(state.triggers.zone(2), 1);
    EXPECT_EQ(state.triggers.zone(11), 0);
}

TEST_F(SetupFile, ReorderedLinesMoveValuesToOtherControls) {
    const std::string path = fileWithLine(13, "FilePath( 1)=Swapped");  // the WaveFile(1) line
    ASSERT_TRUE(OpenConfig(state, path));
    EXPECT_EQ(state.messages.slot(1).WaveFile, "Swapped");
}

struct BadFile {
    const char* what;
    int line;
    const char* text;
};

class SetupFileRefused : public SetupFile, public ::testing::WithParamInterface<BadFile> {};

TEST_P(SetupFileRefused, LeavesTheEditorExactlyAsItWas) {
    state.initialise(folder.folder());
    state.messages.slot(1).WaveFile = "Untouched";
    state.triggers.zone(5) = 1;
    state.MessagesUploaded = false;
    const auto expected = setupFileLines(state);

    const std::string path = fileWithLine(GetParam().line, GetParam().text);
    const FileOutcome outcome = OpenConfig(state, path);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(setupFileLines(state), expected);
    EXPECT_FALSE(state.MessagesUploaded);
    // The outcome names the line and the value that was refused.
    EXPECT_EQ(outcome.line, GetParam().line);
    const std::string line = GetParam().text;
    const std::string value = line.substr(line.find('=') + 1);
    EXPECT_EQ(outcome.problem.rfind("\"" + value + "\" is not", 0), 0u) << outcome.problem;
}

INSTANTIATE_TEST_SUITE_P(BadValues, SetupFileRefused,
                         ::testing::Values(BadFile{"flag word", 1, "MsgBt( 1) =Yes"},
                                           BadFile{"empty flag", 40, "Bt_Browse( 4)="},
                                           BadFile{"check box value", 210, "Check1( 5)=3"},
                                           BadFile{"negative check box", 210, "Check1( 5)=-1"},
                                           BadFile{"check box text", 277, "Check1( 72)=ticked"},
                                           BadFile{"total", 280, "TFileLength=lots"},
                                           BadFile{"total range", 280, "TFileLength=99999999999"},
                                           BadFile{"negative total range", 280, "TFileLength=-99999999999"},
                                           BadFile{"list count", 97, "TRG1( 13)_ListCount=many"},
                                           BadFile{"negative size", 62, "TMsgSize( 2)=-350"},
                                           BadFile{"size above memory", 62, "TMsgSize( 2)=8380350"},
                                           BadFile{"last trigger flag", 192, "TRG1( 48)_Enabled=maybe"},
                                           BadFile{"entry with a fraction", 99, "TRG1( 1)_Text= 2.6"},
                                           BadFile{"entry beyond the slots", 101, "TRG1( 2)_Text= 13"},
                                           BadFile{"entry zero", 115, "TRG1( 9)_Text= 0"},
                                           BadFile{"entry word", 193, "TRG1( 48)_Text=x"},
                                           BadFile{"entry with leading zeros", 99, "TRG1( 1)_Text= 012"},
                                           BadFile{"entry of many digits", 99, "TRG1( 1)_Text= 99999999999"},
                                           BadFile{"entry behind a gap", 111, "TRG1( 7)_Text=two"},
                                           BadFile{"time of a filled slot", 50, "MsgTime( 2)=soon"},
                                           BadFile{"negative time", 49, "MsgTime( 1)=-2.50"},
                                           BadFile{"rate of a filled slot", 74, "MsgSample( 2)=44.100"},
                                           BadFile{"rate below 8 kHz", 73, "MsgSample( 1)=7.999"},
                                           BadFile{"size of no whole block", 61, "TMsgSize( 1)=1000"},
                                           BadFile{"no size for a filled slot", 62, "TMsgSize( 2)=0"}),
                         [](const ::testing::TestParamInfo<BadFile>& param) {
                             std::string name = param.param.what;
                             for (auto& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST_F(SetupFile, ShortOrMissingFilesAreRefused) {
    auto lines = splitLines(test::smallSetupFileBytes());
    lines.resize(200);
    const auto expected = setupFileLines(state);
    EXPECT_EQ(OpenConfig(state, folder.write("short.cfg", test::crlfLines(lines))).problem, "has 200 lines, 280 are needed");
    EXPECT_EQ(OpenConfig(state, folder.folder() + "missing.cfg").problem,
              "cannot be read: No such file or directory");
    EXPECT_EQ(OpenConfig(state, folder.folder()).problem, "is not a file");
    EXPECT_EQ(setupFileLines(state), expected);
}

TEST_F(SetupFile, LinesAfterThe280thAreIgnored) {
    const std::string path = folder.write("long.cfg", test::smallSetupFileBytes() + "Extra=1\r\nMore\r\n");
    EXPECT_TRUE(OpenConfig(state, path));
}

TEST_F(SetupFile, AFileNameWithALineBreakIsNotSavedAsAShiftedFile) {
    const std::string path = folder.write("old.cfg", "old\r\n");
    state.messages.slot(1).FilePath = "/data/odd\nname.wav";
    const FileOutcome outcome = SaveConfig(state, path);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.reason(), "line 14: a value holds a line break");
    EXPECT_EQ(readText(path), "old\r\n");
}

TEST_F(SetupFile, ASaveFailingHalfwayKeepsTheOldFileAndIsReported) {
    const std::string path = folder.write("keep.cfg", test::smallSetupFileBytes());
    state.messages.slot(1).MsgTime = "8.88";
    EXPECT_TRUE(test::runWithFileSizeLimit(1000, [&] {
        const FileOutcome saved = SaveConfig(state, path);
        return !saved && saved.problem.rfind("cannot write", 0) == 0;  // failed, and said why
    }));
    EXPECT_EQ(readText(path), test::smallSetupFileBytes());
}

TEST_F(SetupFile, AWindowsFileReadAndSavedAgainKeepsItsBytes) {
    std::string bytes = test::smallSetupFileBytes();
    const std::string from = "/data/sounds/Welcome.wav";
    bytes.replace(bytes.find(from), from.size(), "C:\\Kl\xE4nge\\Gr\xFC\xDF" "e.wav");
    const std::string path = folder.write("windows.cfg", bytes);
    ASSERT_TRUE(OpenConfig(state, path));
    EXPECT_EQ(state.messages.slot(1).FilePath, "C:\\Kl\xC3\xA4nge\\Gr\xC3\xBC\xC3\x9F" "e.wav");
    ASSERT_TRUE(SaveConfig(state, path));
    EXPECT_EQ(readText(path), bytes);

    // A name the old code page cannot hold is written in UTF-8 instead.
    state.messages.slot(1).FilePath = "/data/\xE4\xB8\xAD.wav";
    ASSERT_TRUE(SaveConfig(state, path));
    EXPECT_NE(readText(path).find("FilePath( 1)=/data/\xE4\xB8\xAD.wav\r\n"), std::string::npos);
}

}  // namespace
}  // namespace mmx
