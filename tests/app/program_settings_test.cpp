// The settings a front end starts with: the file in the settings folder, the defaults without
// one, and a settings file from an older install whose language folder has moved.
#include <gtest/gtest.h>

#include "app/program_settings.h"
#include "storage/settings_file.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::ScratchFolder;

class ProgramSettings : public ::testing::Test {
protected:
    ProgramSettings() {
        folders.program = folder.folder() + "lib/";
        folders.data = folder.folder() + "share/";
        folders.settings = folder.folder() + "config/";
        folder.write("share/Font/nl.lng", std::string("shipped\r\n"));
    }
    // The file an older install wrote: its language files lay in `languageFolder`.
    void writeOldSettings(const std::string& languageFolder, const std::string& languageFile) {
        Settings old = Settings::defaultsFor(folders.program, folders.data);
        old.builtInLanguageFolder = languageFolder;
        old.languageFile = languageFile;
        old.port.CommTimeOut = 800;
        ASSERT_TRUE(writeSettingsFile(folders.settings + "MMX4210.INI", old));
    }
    ScratchFolder folder;
    app::ProgramFolders folders;
};

TEST_F(ProgramSettings, WithoutAFileTheDefaultsOfTheDataFolder) {
    const app::LoadedSettings loaded = app::loadSettings(folders);
    EXPECT_FALSE(loaded.found);
    EXPECT_EQ(loaded.settings, Settings::defaultsFor(folders.program, folders.data));
    EXPECT_EQ(loaded.settings.languageFolder(), folders.data + "Font/");
}

// An older install kept the language files beside the program; now they are in the data
// folder. The file is read as meaning the data folder, and the next save writes that folder.
TEST_F(ProgramSettings, ALanguageFolderOfAnOlderInstallBecomesTheDataFolderAndIsSavedSo) {
    writeOldSettings(folder.folder() + "old-lib/Font/", "nl.lng");
    const app::LoadedSettings loaded = app::loadSettings(folders);
    ASSERT_TRUE(loaded.found);
    EXPECT_TRUE(loaded.outcome);
    EXPECT_EQ(loaded.settings.port.CommTimeOut, 800);
    EXPECT_EQ(loaded.settings.languageFolder(), folders.data + "Font/");
    ASSERT_TRUE(writeSettingsFile(folders.settings + "MMX4210.INI", loaded.settings));
    EXPECT_NE(test::readText(folders.settings + "MMX4210.INI").find("\r\nstrLNGFilePath=" + folders.data + "Font/\r\n"),
              std::string::npos);
    // The splash reads the same folder.
    const auto splash = readLanguageChoice(folders.settings + "MMX4210.INI", folders.program, folders.data);
    ASSERT_TRUE(splash.has_value());
    EXPECT_EQ(splash->builtInLanguageFolder, folders.data + "Font/");
}

// A folder that still holds the language file is the operator's choice, and a file found
// nowhere is left for the language loading to report.
TEST_F(ProgramSettings, ALanguageFolderThatHoldsTheFileOrAFileFoundNowhereStays) {
    const std::string own = folder.folder() + "own/";
    folder.write("own/nl.lng", std::string("mine\r\n"));
    writeOldSettings(own, "nl.lng");
    EXPECT_EQ(app::loadSettings(folders).settings.builtInLanguageFolder, own);
    writeOldSettings(folder.folder() + "old-lib/Font/", "xx.lng");
    EXPECT_EQ(app::loadSettings(folders).settings.builtInLanguageFolder, folder.folder() + "old-lib/Font/");
}

}  // namespace
}  // namespace mmx
