// The set-up printout: its 17 lines and the columns its TAB characters land on.
#include <gtest/gtest.h>

#include "storage/printout.h"
#include "support/setup_values.h"
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
    ScratchFolder folder;
    mmx::Setup setup = test::smallSetup();
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

    const std::string path = folder.write("PrintSetup.txt", "an older printout");  // replaced
    ASSERT_TRUE(writePrintout(path, setup, PrintoutCaptions{}));
    EXPECT_EQ(readText(path), bytes);
    EXPECT_EQ(printoutBytes(setup, PrintoutCaptions{}), bytes);
}

TEST_F(Printout, LongAndWideFieldsAreCutAndTheColumnsHold) {
    setup.slot(1) = test::wavSlot("ABCDEFGHIJKLMNOPQRSTUVWXY", 8000, 493'827'200);  // 25 characters, 30864.20 s
    setup.slot(2).name = "\xE4\xB8\xAD\xE6\x96\x87\xE5\x90\x8D";  // three Chinese characters
    setup.slot(10) = test::wavSlot("ABCDEFGHIJKLMNOPQRST", 8000, 16000);  // 20 characters in a two-digit row
    setup.trigger(3) = test::trigger({1, 1, 1, 1});  // 123456.80 s
    setup.trigger(4) = test::trigger({12, 11, 10, 9});
    setup.trigger(5) = test::trigger({12, 3, 4, 10}, kAllZones);
    const auto lines = printoutLines(setup, PrintoutCaptions{});
    ASSERT_EQ(lines.size(), 17u);
    for (int n = 1; n <= 12; ++n) {
        const std::vector<size_t> expected = {n < 10 ? 2u : 3u, 24, 31, 38, 45, 49, 64, 71};
        EXPECT_EQ(tabColumns(lines[static_cast<size_t>(n + 2)]), expected) << "row " << n;
    }
    EXPECT_EQ(lines[3].substr(0, 24), "1\tABCDEFGHIJKLMNOPQRST \t");
    EXPECT_NE(lines[3].find("\t30864.\t"), std::string::npos);
    EXPECT_EQ(lines[12].substr(0, 24), "10\tABCDEFGHIJKLMNOPQRST\t");
    EXPECT_NE(lines[5].find("\t123456\t"), std::string::npos);
    EXPECT_NE(lines[6].find("\t12,11,10,9" + sp(4) + "\t"), std::string::npos);
    EXPECT_NE(lines[7].find("\t12,3,4,10" + sp(5) + "\t"), std::string::npos);
    EXPECT_TRUE(lines[7].ends_with("\t1,2,3,4,5,6"));
}

TEST_F(Printout, HeadingsFollowTheCurrentCaptions) {
    PrintoutCaptions captions;
    captions.Frame1_0 = "Bericht";
    captions.Frame1_1 = "Trigger";
    captions.Lb_Message_File = "Bestand";
    captions.Lb_Message_Time_1 = "[s]";
    captions.Lb_Total = "Totaal";
    captions.Lb_Trigger_Zones_0 = "Zones";
    const auto lines = printoutLines(setup, captions);
    EXPECT_EQ(lines[0], "Bericht" + std::string(48, '-') + " Trigger" + std::string(36, '-'));
    EXPECT_EQ(lines[1].substr(0, 9), "\tBestand\t");
    EXPECT_EQ(lines[15], "\tTotaal\t\t\t3.75\t138");
}

}  // namespace
}  // namespace mmx
