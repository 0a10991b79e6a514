// The set-up file: exact bytes, round trips, and files that must be refused whole.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>

#include "sample_setup.h"
#include "storage/setup_codec.h"
#include "storage/text_codec.h"
#include "support/setup_values.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::readText;
using test::ScratchFolder;

class SetupFile : public ::testing::Test {
protected:
    // The small set-up's file with line `line` (1-based) replaced.
    std::string fileWithLine(int line, const std::string& text) {
        auto lines = splitLines(test::smallSetupFileBytes());
        lines.at(static_cast<size_t>(line - 1)) = text;
        return folder.write("edited.cfg", test::crlfLines(lines));
    }
    // The set-up in the file at path; a refusal fails the test.
    mmx::Setup read(const std::string& path) {
        FileOutcome outcome;
        const auto read = readSetupFile(path, &outcome);
        EXPECT_TRUE(read) << outcome.reason();
        return read.value_or(mmx::Setup{});
    }
    ScratchFolder folder;
    mmx::Setup setup = test::smallSetup();
};

// Saved, opened and saved again: the same bytes, and so the same figures (sizes, times and rates
// are written from them) and triggers in every slot.
TEST_F(SetupFile, SmallSetUpIsWrittenByteForByteAndReadBackToTheSameFigures) {
    const std::string path = folder.folder() + "small.cfg";
    ASSERT_TRUE(writeSetupFile(path, setup));
    EXPECT_EQ(readText(path), test::smallSetupFileBytes());
    ASSERT_TRUE(writeSetupFile(path, read(path)));
    EXPECT_EQ(readText(path), test::smallSetupFileBytes());
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

TEST_F(SetupFile, AFreshSetUpHas280LinesAndSurvivesARoundTrip) {
    const auto lines = setupLines(mmx::Setup{});
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
    ASSERT_TRUE(writeSetupFile(path, mmx::Setup{}));
    EXPECT_EQ(setupLines(read(path)), lines);
}

TEST_F(SetupFile, ValuesConvertAsTheReaderPromises) {
    auto lines = splitLines(test::smallSetupFileBytes());
    lines[0] = "MsgBt( 1) =true";       // any letter case
    lines[1] = "anything=0";            // a number: 0 is False; keys are never read, lines count
    lines[2] = "MsgBt( 3) = 2 ";        // non-zero is True
    lines[60] = "TMsgSize( 1)=700 kB";  // leading number
    lines[61] = "TMsgSize( 2)=28000 B"; // leading number
    lines[62] = "TMsgSize( 3)=";        // no number gives 0 (an empty slot)
    lines[98] = "TRG1( 1)_Text=";       // no message, as " " is: the 2 behind it never plays
    lines[215] = "Check1( 11)=2";       // greyed plays nowhere
    lines[206] = "Check1( 2)= 1 ";
    lines[208] = "Check1( 4)=0.5";      // a half rounds to the even number: 0
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\n";  // LF-only line ends read as well
    const mmx::Setup opened = read(folder.write("lf.cfg", bytes));
    // The flags must convert, but what is filled follows the slots themselves.
    EXPECT_EQ(filledCount(opened), 2);
    EXPECT_EQ(storedLength(opened.slot(1)), 700);
    EXPECT_EQ(sizeKilobytes(opened.slot(1)), 0);
    EXPECT_EQ(storedLength(opened.slot(2)), 28000);
    EXPECT_EQ(storedLength(opened.slot(3)), 0);
    EXPECT_EQ(opened.trigger(1), test::trigger({}, 0b000111));
    EXPECT_EQ(opened.trigger(2).zones & 0b010000, 0);
}

struct BadFile {
    const char* what;
    int line;
    const char* text;
    const char* isNot;  // what the value should have been
};
constexpr const char *kFlag = "True, False or a number", *kZone = "0, 1 or 2", *kWhole = "a whole number",
                     *kStored = "a stored length within the memory", *kEntry = "a message number from 1 to 12",
                     *kTime = "a play time in seconds", *kRate = "a sample rate of 8 to 24 kHz";

class SetupFileRefused : public SetupFile, public ::testing::WithParamInterface<BadFile> {};

// The reason names the line and the value that was refused, and what it should have been.
TEST_P(SetupFileRefused, WithTheLineAndTheValue) {
    const BadFile& bad = GetParam();
    FileOutcome outcome;
    EXPECT_FALSE(readSetupFile(fileWithLine(bad.line, bad.text), &outcome));
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.line, bad.line);
    const std::string line = bad.text;
    const std::string value = line.substr(line.find('=') + 1);
    EXPECT_EQ(outcome.reason(), "line " + std::to_string(bad.line) + ": \"" + value + "\" is not " + bad.isNot);
}
INSTANTIATE_TEST_SUITE_P(BadValues, SetupFileRefused,
                         ::testing::Values(BadFile{"flag word", 1, "MsgBt( 1) =Yes", kFlag},
                                           BadFile{"empty flag", 40, "Bt_Browse( 4)=", kFlag},
                                           BadFile{"check box value", 210, "Check1( 5)=3", kZone},
                                           BadFile{"negative check box", 210, "Check1( 5)=-1", kZone},
                                           BadFile{"check box text", 277, "Check1( 72)=ticked", kZone},
                                           BadFile{"total", 280, "TFileLength=lots", kWhole},
                                           BadFile{"total range", 280, "TFileLength=99999999999", kWhole},
                                           BadFile{"negative total range", 280, "TFileLength=-99999999999", kWhole},
                                           BadFile{"list count", 97, "TRG1( 13)_ListCount=many", kWhole},
                                           BadFile{"negative size", 62, "TMsgSize( 2)=-350", kStored},
                                           BadFile{"size above memory", 62, "TMsgSize( 2)=8380350", kStored},
                                           BadFile{"last trigger flag", 192, "TRG1( 48)_Enabled=maybe", kFlag},
                                           BadFile{"entry with a fraction", 99, "TRG1( 1)_Text= 2.6", kEntry},
                                           BadFile{"entry beyond the slots", 101, "TRG1( 2)_Text= 13", kEntry},
                                           BadFile{"entry zero", 115, "TRG1( 9)_Text= 0", kEntry},
                                           BadFile{"entry word", 193, "TRG1( 48)_Text=x", kEntry},
                                           BadFile{"entry with leading zeros", 99, "TRG1( 1)_Text= 012", kEntry},
                                           BadFile{"entry of many digits", 99, "TRG1( 1)_Text= 99999999999", kEntry},
                                           BadFile{"entry behind a gap", 111, "TRG1( 7)_Text=two", kEntry},
                                           BadFile{"time of a filled slot", 50, "MsgTime( 2)=soon", kTime},
                                           BadFile{"negative time", 49, "MsgTime( 1)=-2.50", kTime},
                                           BadFile{"rate of a filled slot", 74, "MsgSample( 2)=44.100", kRate},
                                           BadFile{"rate below 8 kHz", 73, "MsgSample( 1)=7.999", kRate},
                                           BadFile{"size of no whole block", 61, "TMsgSize( 1)=1000", kStored},
                                           BadFile{"no size for a filled slot", 62, "TMsgSize( 2)=0", kStored}),
                         [](const ::testing::TestParamInfo<BadFile>& param) {
                             std::string name = param.param.what;
                             for (auto& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST_F(SetupFile, ShortOrMissingFilesAreRefused) {
    auto lines = splitLines(test::smallSetupFileBytes());
    lines.resize(200);
    const auto problem = [](const std::string& path) {
        FileOutcome outcome;
        EXPECT_FALSE(readSetupFile(path, &outcome));
        return outcome.problem;
    };
    EXPECT_EQ(problem(folder.write("short.cfg", test::crlfLines(lines))), "has 200 lines, 280 are needed");
    EXPECT_EQ(problem(folder.folder() + "missing.cfg"), "cannot be read: No such file or directory");
    EXPECT_EQ(problem(folder.folder()), "is not a file");
}

TEST_F(SetupFile, LinesAfterThe280thAreIgnored) {
    EXPECT_EQ(setupLines(read(folder.write("long.cfg", test::smallSetupFileBytes() + "Extra=1\r\nMore\r\n"))),
              setupLines(setup));
}

TEST_F(SetupFile, AFileNameWithALineBreakIsNotSavedAsAShiftedFile) {
    const std::string path = folder.write("old.cfg", "old\r\n");
    setup.slot(1).path = "/data/odd\nname.wav";
    const FileOutcome outcome = writeSetupFile(path, setup);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.reason(), "line 14: a value holds a line break");
    EXPECT_EQ(readText(path), "old\r\n");
}

TEST_F(SetupFile, ASaveFailingHalfwayKeepsTheOldFileAndIsReported) {
    const std::string path = folder.write("keep.cfg", test::smallSetupFileBytes());
    setup.slot(1).name = "Changed";
    EXPECT_TRUE(test::runWithFileSizeLimit(1000, [&] {
        const FileOutcome saved = writeSetupFile(path, setup);
        return !saved && saved.problem.rfind("cannot write", 0) == 0;  // failed, and said why
    }));
    EXPECT_EQ(readText(path), test::smallSetupFileBytes());
}

TEST_F(SetupFile, AWindowsFileReadAndSavedAgainKeepsItsBytes) {
    std::string bytes = test::smallSetupFileBytes();
    const std::string from = "/data/sounds/Welcome.wav";
    bytes.replace(bytes.find(from), from.size(), "C:\\Kl\xE4nge\\Gr\xFC\xDF" "e.wav");
    const std::string path = folder.write("windows.cfg", bytes);
    mmx::Setup opened = read(path);
    EXPECT_EQ(opened.slot(1).path, "C:\\Kl\xC3\xA4nge\\Gr\xC3\xBC\xC3\x9F" "e.wav");
    ASSERT_TRUE(writeSetupFile(path, opened));
    EXPECT_EQ(readText(path), bytes);

    // A name the old code page cannot hold is written in UTF-8 instead.
    opened.slot(1).path = "/data/\xE4\xB8\xAD.wav";
    ASSERT_TRUE(writeSetupFile(path, opened));
    EXPECT_NE(readText(path).find("FilePath( 1)=/data/\xE4\xB8\xAD.wav\r\n"), std::string::npos);
}

}  // namespace
}  // namespace mmx
