// Language files: 83 positional texts, applied whole or not at all.
#include <gtest/gtest.h>

#include "storage/text_codec.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"
#include "ui/lang/language_file.h"

namespace mmx {
namespace {

using test::RecordingMessageBoxes;
using test::ScratchFolder;

// A file whose line n holds "Label<n>=T<n>" (n = 1..count).
std::string numberedFile(int count) {
    std::string bytes;
    for (int n = 1; n <= count; ++n) bytes += "Label" + std::to_string(n) + "=T" + std::to_string(n) + "\r\n";
    return bytes;
}

class LanguageFile : public ::testing::Test {
protected:
    void SetUp() override { state.initialise(folder.folder()); }
    ScratchFolder folder;
    WindowState state;
    CaptionTable captions;
    RecordingMessageBoxes boxes;
};

TEST_F(LanguageFile, EachLineReplacesItsOwnTextAndLinesAfter83AreIgnored) {
    ASSERT_TRUE(loadLanguageFile(state, captions, folder.write("t.lng", numberedFile(90)), boxes));
    // Line n's text "Tn" where it belongs; the zone numbers keep their texts, only the first two
    // port items are replaced, and only the splash reads lines 1 to 10.
    const std::pair<std::string, const char*> shown[] = {
        {state.frameCaption, "T11 Ver. 2.3  "}, {state.frameWindowCaption, "T11 Ver. 2.3  "}, {captions.File, "T12"},
        {captions.Open, "T13"}, {captions.Exit, "T17"}, {captions.Comport, "T19"}, {captions.ComP[0], "T20"},
        {captions.ComP[1], "T21"}, {captions.ComP[2], "Com3"}, {captions.ComP[9], "Com10"}, {captions.zh_s, "T23"},
        {captions.en, "T25"}, {captions.nl, "T27"}, {captions.other, "T32"}, {captions.About_Zanth_message_manager, "T36"},
        {captions.Frame1_0, "T37"}, {captions.Lb_Message_Sample_1, "T45"}, {captions.Bt_Browse, "T46"},
        {captions.Frame1_1, "T47"}, {captions.Lb_Trigger_Zones_0, "T52"}, {captions.Bt_SendMessage, "T54"},
        {captions.Lb_Trigger_Zones[0], "1"}, {captions.Lb_Logo[0], "message manager set up"},
        {state.texts.status(0), "T55"}, {state.texts.status(15), "T70"}, {state.texts.messageBox(0), "T71"},
        {state.texts.messageBox(11), "T82"}, {state.texts.messageBox(12), "RS232 Com Port cannot be open!"},
        {state.texts.saveQuestion(), "T77"}, {state.texts.notConnectedInfo(), "T78"}, {state.closeText, "T83"}};
    for (const auto& [text, expected] : shown) EXPECT_EQ(text, expected) << expected;
    // Lines 26 and 28 to 31 replace nothing.
    for (const auto& line : languageFileLines(state, captions)) {
        for (const char* unused : {"=T26", "=T28", "=T29", "=T30", "=T31"}) EXPECT_EQ(line.find(unused), std::string::npos);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LanguageFile, AFileOf82LinesChangesNothing) {
    const CaptionTable before = captions;
    EXPECT_FALSE(loadLanguageFile(state, captions, folder.write("short.lng", numberedFile(82)), boxes));
    EXPECT_EQ(languageFileLines(state, captions), languageFileLines(state, before));
    EXPECT_EQ(state.frameCaption, "MMX 4210 Zanth Message Manager Setup  Ver. 2.3  ");
    EXPECT_EQ(state.texts.status(0), "Com port not connected!");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Language file cannot be found!");
    EXPECT_EQ(boxes.shown[0].title, "MMX4210");
    EXPECT_FALSE(loadLanguageFile(state, captions, folder.folder() + "missing.lng", boxes));
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(LanguageFile, TextsAreTrimmedAndTakenAfterTheFirstEquals) {
    // Empty values, LF-only lines and the value after the first "=" are the line reader's rules,
    // pinned where the settings file is read.
    auto lines = splitLines(numberedFile(83));
    lines[12] = "   Open without label  ";     // no "=": the whole line, trimmed
    lines[13] = "Save= a = b ";                // an inner "=" stays
    lines[25] = "";                            // unused lines may hold anything
    lines[29] = "=";
    lines[36] = "Frame1_0=\tBericht\t";
    ASSERT_TRUE(loadLanguageFile(state, captions, folder.write("edge.lng", test::crlfLines(lines)), boxes));
    EXPECT_EQ(captions.Open, "Open without label");
    EXPECT_EQ(captions.Save, "a = b");
    EXPECT_EQ(captions.Frame1_0, "Bericht");
}

TEST_F(LanguageFile, SplashTakesTheFirstTenLinesSilently) {
    ASSERT_TRUE(readSplashCaptions(captions, folder.write("t.lng", numberedFile(83))));
    EXPECT_EQ(captions.Lb_Logo[0], "T1");
    EXPECT_EQ(captions.Lb_Logo[9], "T10");
    EXPECT_EQ(captions.File, "File");  // nothing else
    EXPECT_EQ(state.texts.status(0), "Com port not connected!");

    // Ten lines are all the splash needs; nine are not enough.
    ASSERT_TRUE(readSplashCaptions(captions, folder.write("ten.lng", numberedFile(10))));
    EXPECT_EQ(captions.Lb_Logo[9], "T10");
    const auto before = captions.Lb_Logo;
    EXPECT_FALSE(readSplashCaptions(captions, folder.write("short.lng", numberedFile(9))));
    EXPECT_FALSE(readSplashCaptions(captions, folder.folder() + "none.lng"));
    EXPECT_EQ(captions.Lb_Logo, before);
}

}  // namespace
}  // namespace mmx
