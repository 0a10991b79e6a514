// The settings file: its 13 lines, the conversion rules, and where it lives.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "sample_setup.h"
#include "support/fake_dialogs.h"
#include "storage/settings_file.h"
#include "storage/settings_folder.h"
#include "storage/text_codec.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::readText;
using test::RecordingMessageBoxes;
using test::ScratchFolder;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { state.initialise(folder.folder()); }
    std::string defaultsText() const {
        const std::string app = folder.folder();
        return "CommTimeOut=5000\r\nCommport=1\r\nBret=115200\r\nPchk=N\r\nDbit=8\r\nSbit=2\r\n"
               "strLNGFilePath=" + app + "Font/\r\nstroLNGFilePath=" + app + "Font/\r\n"
               "stroLNGFilePathType=False\r\nLanguageFile=en.lng\r\nstrMSGFilePath=" + app + "\r\n"
               "MessageFile=MessageSetup.cfg\r\nstrWAVFilePath=" + app + "\r\n";
    }
    // The default file with line `line` (1-based) replaced.
    std::string fileWithLine(int line, const std::string& text) {
        return folder.write("MMX4210.INI", test::withLineReplaced(defaultsText(), line, text));
    }
    ScratchFolder folder;
    ProgramState state;
    RecordingMessageBoxes boxes;
};

TEST_F(SettingsFile, DefaultsAreWrittenByteForByte) {
    const std::string path = state.settingsFilePath();
    ASSERT_TRUE(SaveIni(state, path));
    EXPECT_EQ(readText(path), defaultsText());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFile, SaveOpenSaveGivesIdenticalBytes) {
    state.port.Commport = 7;
    state.port.CommTimeOut = 1200;
    state.port.Bret = " 9600";
    state.stroLNGFilePathType = true;
    state.stroLNGFilePath = "/home/op/lang/";
    state.LanguageFile = "de.lng";
    state.MessageFile = "a=b.cfg";
    state.strWAVFilePath = "/home/op/sounds/";
    const std::string path = state.settingsFilePath();
    ASSERT_TRUE(SaveIni(state, path));
    const std::string first = readText(path);
    ProgramState reopened;
    reopened.initialise(folder.folder());
    ASSERT_TRUE(OpenIni(reopened, path));
    EXPECT_EQ(settingsFileLines(reopened), settingsFileLines(state));
    ASSERT_TRUE(SaveIni(reopened, path));
    EXPECT_EQ(readText(path), first);
}

TEST_F(SettingsFile, ValuesAreReadByPositionWithoutTrimming) {
    auto lines = splitLines(defaultsText());
    lines[0] = "Commport=3";              // keys are never read
    lines[2] = "Bret= 9600";              // the blank stays
    lines[8] = "stroLNGFilePathType=tRuE";
    lines[11] = "MessageFile=a=b.cfg";    // everything after the first "="
    lines[12] = "strWAVFilePath=";        // empty: the program folder
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\n";  // LF-only
    ASSERT_TRUE(OpenIni(state, folder.write("MMX4210.INI", bytes)));
    EXPECT_EQ(state.port.CommTimeOut, 3);
    EXPECT_EQ(state.port.Bret, " 9600");
    EXPECT_TRUE(state.stroLNGFilePathType);
    EXPECT_EQ(state.MessageFile, "a=b.cfg");
    EXPECT_EQ(state.strWAVFilePath, folder.folder());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFile, PortNumberAndTimeOutAreKeptWithinTheirRanges) {
    // Commport 0, above 10 or negative becomes 1; the time-out is at least 0.
    const struct {
        int line;
        const char* text;
        int commport, timeOut;
    } cases[] = {{2, "Commport=0", 1, 5000},          {2, "Commport=12", 1, 5000},
                 {2, "Commport=-3", 1, 5000},         {2, "Commport=11", 1, 5000},
                 {2, "Commport= 10 ", 10, 5000},      {1, "CommTimeOut=-5", 1, 0},
                 {1, "CommTimeOut=32767", 1, 32767}};
    for (const auto& c : cases) {
        state.port.Commport = 5;
        ASSERT_TRUE(OpenIni(state, fileWithLine(c.line, c.text))) << c.text;
        EXPECT_EQ(state.port.Commport, c.commport) << c.text;
        EXPECT_EQ(state.port.CommTimeOut, c.timeOut) << c.text;
    }
    // Outside 16 bits is no number at all: nothing is applied.
    EXPECT_FALSE(OpenIni(state, fileWithLine(1, "CommTimeOut=40000")));
    EXPECT_EQ(state.port.CommTimeOut, 32767);
    EXPECT_FALSE(OpenIni(state, fileWithLine(2, "Commport=COM2")));
}

TEST_F(SettingsFile, ANinthLineThatDoesNotConvertStopsTheApplyingThere) {
    const std::string other = folder.folder() + "other/";
    auto lines = splitLines(defaultsText());
    lines[0] = "CommTimeOut=800";
    lines[1] = "Commport=4";
    lines[7] = "stroLNGFilePath=" + other;
    lines[8] = "stroLNGFilePathType=perhaps";
    lines[9] = "LanguageFile=nl.lng";
    lines[11] = "MessageFile=new.cfg";
    state.MessageFile = "kept.cfg";
    EXPECT_FALSE(OpenIni(state, folder.write("MMX4210.INI", test::crlfLines(lines))));
    EXPECT_EQ(state.port.CommTimeOut, 800);
    EXPECT_EQ(state.port.Commport, 4);
    EXPECT_EQ(state.stroLNGFilePath, other);
    EXPECT_EQ(state.LanguageFile, "en.lng");
    EXPECT_EQ(state.MessageFile, "kept.cfg");
}

TEST_F(SettingsFile, ATwelveLineFileChangesNothing) {
    auto lines = splitLines(defaultsText());
    lines[0] = "CommTimeOut=100";
    lines.pop_back();
    EXPECT_EQ(OpenIni(state, folder.write("MMX4210.INI", test::crlfLines(lines))).problem, "has 12 lines, 13 are needed");
    EXPECT_EQ(state.port.CommTimeOut, 5000);
    EXPECT_FALSE(OpenIni(state, folder.folder() + "none.ini"));
}

TEST_F(SettingsFile, FoldersFromAnotherSystemFallBackToTheDefaults) {
    ASSERT_TRUE(OpenIni(state, fileWithLine(7, "strLNGFilePath=C:\\Tools\\Font\\")));
    EXPECT_EQ(state.strLNGFilePath, folder.folder() + "Font/");
    ASSERT_TRUE(OpenIni(state, fileWithLine(11, "strMSGFilePath=/srv/setups")));
    EXPECT_EQ(state.strMSGFilePath, "/srv/setups/");  // every stored folder ends with "/"
}

// An installed program keeps its language files apart from the program: empty or foreign
// language folders in the file fall back to the data folder's, not the program's.
TEST_F(SettingsFile, LanguageFoldersFallBackToTheDataFolder) {
    ProgramState installed;
    installed.initialise("/usr/lib/mmx4210/", "/usr/share/mmx4210");
    EXPECT_EQ(installed.languageFolder(), "/usr/share/mmx4210/Font/");
    auto lines = splitLines(defaultsText());
    lines[6] = "strLNGFilePath=";
    lines[7] = "stroLNGFilePath=C:\\Tools\\Font\\";
    ASSERT_TRUE(OpenIni(installed, folder.write("MMX4210.INI", test::crlfLines(lines))));
    EXPECT_EQ(installed.strLNGFilePath, "/usr/share/mmx4210/Font/");
    EXPECT_EQ(installed.stroLNGFilePath, "/usr/share/mmx4210/Font/");
    EXPECT_EQ(installed.strMSGFilePath, folder.folder());
}

TEST_F(SettingsFile, ConversionRules) {
    EXPECT_EQ(settingsInteger(" 42 "), 42);
    EXPECT_EQ(settingsInteger("-32768"), -32768);
    for (const char* text : {"32768", "4 2", "1.5", ""}) EXPECT_FALSE(settingsInteger(text)) << text;
    EXPECT_EQ(settingsBoolean("FALSE"), false);
    EXPECT_EQ(settingsBoolean(" -1"), true);
    EXPECT_EQ(settingsBoolean("0"), false);
    for (const char* text : {"yes", ""}) EXPECT_FALSE(settingsBoolean(text)) << text;
}

TEST_F(SettingsFile, SplashReadsOnlyTheLanguageSettings) {
    auto lines = splitLines(defaultsText());
    lines[0] = "CommTimeOut=1";
    lines[7] = "stroLNGFilePath=";
    lines[8] = "stroLNGFilePathType=True";
    lines[9] = "LanguageFile=mine.lng";
    lines.resize(10);  // the splash needs only ten lines
    const std::string path = folder.write("MMX4210.INI", test::crlfLines(lines));
    std::string splashFile = "en.lng";
    ASSERT_TRUE(Open_Logo_Ini(state, path, splashFile));
    EXPECT_EQ(splashFile, "mine.lng");
    EXPECT_TRUE(state.stroLNGFilePathType);
    EXPECT_EQ(state.stroLNGFilePath, folder.folder() + "Font/");
    EXPECT_EQ(state.port.CommTimeOut, 5000);
    EXPECT_EQ(state.LanguageFile, "en.lng");

    lines[8] = "stroLNGFilePathType=x";
    lines[9] = "LanguageFile=other.lng";
    EXPECT_FALSE(Open_Logo_Ini(state, folder.write("MMX4210.INI", test::crlfLines(lines)), splashFile));
    EXPECT_EQ(splashFile, "mine.lng");
    EXPECT_FALSE(Open_Logo_Ini(state, folder.folder() + "none.ini", splashFile));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFile, SaveIntoAMissingUserFolderCreatesIt) {
    const std::string path = folder.folder() + "config/mmx4210/MMX4210.INI";
    ASSERT_TRUE(SaveIni(state, path));
    EXPECT_EQ(readText(path), defaultsText());
}

TEST_F(SettingsFile, AValueWithALineBreakIsRefusedAndTheOldFileKept) {
    const std::string path = folder.write("MMX4210.INI", "old\r\n");
    state.MessageFile = "two\nlines.cfg";
    EXPECT_EQ(SaveIni(state, path).line, 12);
    EXPECT_EQ(readText(path), "old\r\n");
}

class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    ScratchFolder folder;
};

TEST_F(SettingsFolder, AWritableProgramFolderKeepsTheFile) {
    EXPECT_EQ(chooseSettingsFolder(folder.folder()), folder.folder());
}

TEST_F(SettingsFolder, UserFolderFollowsXdgConfigHomeThenHome) {
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("HOME", "/home/op", 1);
    EXPECT_EQ(userSettingsFolder(), "/cfg/mmx4210/");
    setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    EXPECT_EQ(userSettingsFolder(), "/home/op/.config/mmx4210/");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(userSettingsFolder(), "/home/op/.config/mmx4210/");
    // A folder that does not exist cannot be written: the user's folder is chosen.
    EXPECT_EQ(chooseSettingsFolder(folder.folder() + "no/such/folder/"), "/home/op/.config/mmx4210/");
}

TEST_F(SettingsFolder, ReadingFallsBackToAFileBesideTheProgram) {
    const std::string user = folder.folder() + "user/";
    std::filesystem::create_directories(user);
    const std::string beside = folder.write("MMX4210.INI", "x\r\n");
    EXPECT_EQ(settingsFileForReading(folder.folder(), user), beside);
    const std::string own = user + "MMX4210.INI";
    folder.write("user/MMX4210.INI", "y\r\n");
    EXPECT_EQ(settingsFileForReading(folder.folder(), user), own);
    ProgramState state;
    state.initialise(folder.folder());
    state.SettingsFolder = user;
    EXPECT_EQ(state.settingsFilePath(), own);
}

}  // namespace
}  // namespace mmx
