// The window's start-up state: where it looks for its files before any settings are read.
#include <gtest/gtest.h>

#include "ui/app/window_state.h"

namespace mmx {
namespace {

// The settings file's default bytes (storage tests) pin the port, folder and file defaults;
// the English texts are pinned where the built-in language file is compared with them.
TEST(WindowState, StartUpFoldersFollowTheProgramFolder) {
    WindowState state;
    state.initialise("/opt/mmx4210");
    EXPECT_EQ(state.appFolder, "/opt/mmx4210/");
    EXPECT_EQ(state.markerFolder, "/opt/mmx4210/");
    EXPECT_EQ(state.languageFolder(), "/opt/mmx4210/Font/");
    EXPECT_EQ(state.markerFilePath(), "/opt/mmx4210/~MMX4210Temp");
    EXPECT_EQ(state.closeText, "Close");
}

}  // namespace
}  // namespace mmx
