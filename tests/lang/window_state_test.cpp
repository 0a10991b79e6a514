// The window's start-up state and the interface texts.
#include <gtest/gtest.h>

#include "ui/app/window_state.h"

namespace mmx {
namespace {

// The settings file's default bytes (storage tests) pin the port, folder and file defaults.
TEST(WindowState, StartUpDefaults) {
    WindowState state;
    state.initialise("/opt/mmx4210");
    EXPECT_EQ(state.appFolder, "/opt/mmx4210/");
    EXPECT_EQ(state.markerFolder, "/opt/mmx4210/");
    EXPECT_EQ(state.frameCaption, "MMX 4210 Zanth Message Manager Setup  Ver. 2.3  ");
    EXPECT_EQ(state.settings.port.settingsText(), "115200,N,8,2");
    EXPECT_EQ(state.closeText, "Close");
    EXPECT_FALSE(state.setupChanged());
    EXPECT_FALSE(state.settings.otherLanguage);
    EXPECT_EQ(state.languageFolder(), "/opt/mmx4210/Font/");
    EXPECT_EQ(state.markerFilePath(), "/opt/mmx4210/~MMX4210Temp");
}

TEST(WindowState, PathHelpers) {
    EXPECT_EQ(withTrailingSeparator("/a/b"), "/a/b/");
    EXPECT_EQ(withTrailingSeparator("/a/b/"), "/a/b/");
    EXPECT_EQ(folderOf("/x/y/z.wav"), "/x/y/");
    EXPECT_EQ(folderOf("z.wav"), "");
    EXPECT_EQ(fileNameOf("/x/y/z.wav"), "z.wav");
}

TEST(UiTextTable, StatusMessagesAndReplacement) {
    UiTextTable texts;
    EXPECT_EQ(texts.statusMessage(UiTextTable::ComPortNotConnected), "Status:  Com port not connected!");
    EXPECT_EQ(texts.saveQuestion(), "Do you want to save the changes?");

    std::array<std::string, UiTextTable::kStatusCount> status;
    for (size_t i = 0; i < status.size(); ++i) status[i] = "  S" + std::to_string(i) + "  ";
    std::array<std::string, UiTextTable::kReplaceableMessageBoxCount> boxes;
    for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = "M" + std::to_string(i);
    texts.replace(status, boxes);
    EXPECT_EQ(texts.statusMessage(3), "  S11   S3");
    EXPECT_EQ(texts.messageBox(11), "M11");
    EXPECT_EQ(texts.messageBox(12), "RS232 Com Port cannot be open!") << "text 12 stays English";
    EXPECT_EQ(texts.saveQuestion(), "M6");
    EXPECT_EQ(texts.notConnectedInfo(), "M7");
}

}  // namespace
}  // namespace mmx
