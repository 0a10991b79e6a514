// The set-up printout: its 17 lines and the columns its TAB characters land on.
#include <gtest/gtest.h>

#include "sample_setup.h"
#include "storage/printout.h"
#include "storage/text_codec.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::readText;
using test::ScratchFolder;

std::string sp(size_t n) { return std::string(n, ' '); }

// Row n of a trigger and message slot that are both empty.
std::string emptyRow(int n) {
    const std::string number = std::to_string(n);
    return number + "\t" + sp(n < 10 ? 21 : 20) + "\t" + sp(6) + "\t" + sp(6) + "\t" + sp(6) + "\t" + number +
           sp(n < 10 ? 2 : 1) + "\t , , , " + sp(7) + "\t0.00" + sp(2) + "\t , , , , , ";
}

// 1-based columns of the TAB characters in a line, counting characters.
std::vector<size_t> tabColumns(const std::string& line) {
    std::vector<size_t> columns;
    size_t column = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;
        ++column;
        if (line[i] == '\t') columns.push_back(column);
    }
    return columns;
}

class Printout : public ::testing::Test {
protected:
    void SetUp() override {
        state.initialise(folder.folder());
        test::fillSmallSetup(state);
    }
    ScratchFolder folder;
    ProgramState state;
};

TEST_F(Printout, SmallSetUpIsWrittenByteForByte) {
    std::vector<std::string> expected = {
        "Message" + std::string(48, '-') + " Trigger" + std::string(36, '-'),
        "\tFile\t\t\tTime\tSize\tSample rate\tMessage sequence\tTime\tZones",
        "\t\t\t\t[s]\t[kB]\t[kHz]\t\t\t\t[s]\t",
        "1\tWelcome" + sp(14) + "\t2.50" + sp(2) + "\t110" + sp(3) + "\t22.050\t1" + sp(2) + "\t1,2, , " + sp(7) +
            "\t3.75" + sp(2) + "\t1, ,3, , , ",
        "2\tAlarm" + sp(16) + "\t1.25" + sp(2) + "\t28" + sp(4) + "\t11.025\t2" + sp(2) + "\t2, , , " + sp(7) +
            "\t1.25" + sp(2) + "\t , , , , ,6",
    };
    for (int n = 3; n <= 12; ++n) expected.push_back(emptyRow(n));
    expected.push_back("\tTotal\t\t\t3.75\t138");
    expected.push_back(std::string(99, '-'));
    std::string bytes;
    for (const auto& line : expected) bytes += line + "\r\n";

    const std::string path = folder.folder() + "PrintSetup.txt";
    ASSERT_TRUE(PrintOutTxt(state, PrintoutCaptions{}, path));
    EXPECT_EQ(readText(path), bytes);
    EXPECT_EQ(printoutBytes(state, PrintoutCaptions{}), bytes);
}

TEST_F(Printout, LongAndWideFieldsAreCutAndTheColumnsHold) {
    state.messages.slot(1).WaveFile = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 characters
    state.messages.slot(2).WaveFile = "\xE4\xB8\xAD\xE6\x96\x87\xE5\x90\x8D";  // three Chinese characters
    state.messages.slot(10).WaveFile = "ABCDEFGHIJKLMNOPQRST";  // 20 characters in a two-digit row
    state.messages.slot(1).MsgTime = "12345.67";
    state.triggers.time(3) = "123456.78";
    state.triggers.entry(entryIndex(4, 1)).text = " 12";
    state.triggers.entry(entryIndex(4, 2)).text = " 11";
    state.triggers.entry(entryIndex(4, 3)).text = " 10";
    state.triggers.entry(entryIndex(4, 4)).text = " 9";
    const auto lines = printoutLines(state, PrintoutCaptions{});
    ASSERT_EQ(lines.size(), 17u);
    for (int n = 1; n <= 12; ++n) {
        const std::vector<size_t> expected = {n < 10 ? 2u : 3u, 24, 31, 38, 45, 49, 64, 71};
        EXPECT_EQ(tabColumns(lines[static_cast<size_t>(n + 2)]), expected) << "row " << n;
    }
    EXPECT_EQ(lines[3].substr(0, 24), "1\tABCDEFGHIJKLMNOPQRST \t");
    EXPECT_NE(lines[3].find("\t12345.\t"), std::string::npos);
    EXPECT_EQ(lines[12].substr(0, 24), "10\tABCDEFGHIJKLMNOPQRST\t");
    EXPECT_NE(lines[5].find("\t123456\t"), std::string::npos);
    EXPECT_NE(lines[6].find("\t12,11,10,9" + sp(4) + "\t"), std::string::npos);
}

TEST_F(Printout, SequenceAndZoneTexts) {
    EXPECT_EQ(sequenceText(state.triggers, 1), "1,2, , ");
    EXPECT_EQ(sequenceText(state.triggers, 5), " , , , ");
    state.triggers.entry(entryIndex(5, 1)).text = "";  // an emptied text contributes nothing
    EXPECT_EQ(sequenceText(state.triggers, 5), ", , , ");
    EXPECT_EQ(zonesText(state.triggers, 1), "1, ,3, , , ");
    EXPECT_EQ(zonesText(state.triggers, 3), " , , , , , ");
    for (int z = 1; z <= 6; ++z) state.triggers.zone(zoneIndex(3, z)) = 1;
    EXPECT_EQ(zonesText(state.triggers, 3), "1,2,3,4,5,6");
}

TEST_F(Printout, HeadingsFollowTheCurrentCaptions) {
    PrintoutCaptions captions;
    captions.Frame1_0 = "Bericht";
    captions.Frame1_1 = "Trigger";
    captions.Lb_Message_File = "Bestand";
    captions.Lb_Message_Time_1 = "[s]";
    captions.Lb_Total = "Totaal";
    captions.Lb_Trigger_Zones_0 = "Zones";
    const auto lines = printoutLines(state, captions);
    EXPECT_EQ(lines[0], "Bericht" + std::string(48, '-') + " Trigger" + std::string(36, '-'));
    EXPECT_EQ(lines[1].substr(0, 9), "\tBestand\t");
    EXPECT_EQ(lines[15], "\tTotaal\t\t\t3.75\t138");
}

TEST_F(Printout, AnExistingPrintoutIsReplacedAndAFailureReported) {
    const std::string path = folder.write("PrintSetup.txt", "old printout");
    ASSERT_TRUE(PrintOutTxt(state, PrintoutCaptions{}, path));
    EXPECT_EQ(splitLines(readText(path)).size(), 17u);
    EXPECT_FALSE(PrintOutTxt(state, PrintoutCaptions{}, folder.folder() + "missing/PrintSetup.txt"));
}

}  // namespace
}  // namespace mmx
