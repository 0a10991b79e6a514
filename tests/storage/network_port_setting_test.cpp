// A network address typed in the window's port menu, kept in the settings file after its 13
// lines; a file without one stays what it was.
#include <gtest/gtest.h>

#include "storage/settings_file.h"
#include "support/test_support.h"

namespace mmx {
namespace {

TEST(NetworkPortSetting, FollowsTheThirteenLinesOnlyWhenOneWasTyped) {
    test::ScratchFolder folder;
    Settings settings = Settings::defaultsFor(folder.folder());
    const std::string path = folder.folder() + "MMX4210.INI";
    ASSERT_TRUE(writeSettingsFile(path, settings).ok);
    const std::string plain = test::readText(path);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), 13);

    settings.port.networkPort = "rfc2217://rack4:4001";
    settings.port.networkPortChosen = true;
    ASSERT_TRUE(writeSettingsFile(path, settings).ok);
    EXPECT_EQ(test::readText(path), plain + "NetworkPort=rfc2217://rack4:4001\r\nNetworkPortChosen=True\r\n");

    Settings read = Settings::defaultsFor(folder.folder());
    ASSERT_TRUE(readSettingsFile(path, read, folder.folder()).ok);
    EXPECT_EQ(read, settings);

    // Chosen no more, still offered.
    settings.port.networkPortChosen = false;
    ASSERT_TRUE(writeSettingsFile(path, settings).ok);
    ASSERT_TRUE(readSettingsFile(path, read, folder.folder()).ok);
    EXPECT_EQ(read.port.networkPort, "rfc2217://rack4:4001");
    EXPECT_FALSE(read.port.networkPortChosen);

    // A file of 13 lines clears what an earlier file said.
    folder.write("MMX4210.INI", plain);
    ASSERT_TRUE(readSettingsFile(path, read, folder.folder()).ok);
    EXPECT_EQ(read.port.networkPort, "");
    EXPECT_FALSE(read.port.networkPortChosen);
}

}  // namespace
}  // namespace mmx
