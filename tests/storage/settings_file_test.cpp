// The settings file: its 13 lines, the conversion rules, and where it lives.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "sample_setup.h"
#include "support/fake_dialogs.h"
#include "storage/settings_file.h"
#include "ui/app/window_state.h"
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
    WindowState state;
    RecordingMessageBoxes boxes;
};

TEST_F(SettingsFile, DefaultsAreWrittenByteForByte) {
    const std::string path = state.settingsFilePath();
    ASSERT_TRUE(saveSettings(state, path));
    EXPECT_EQ(readText(path), defaultsText());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFile, SaveOpenSaveGivesIdenticalBytes) {
    state.settings.port.Commport = 7;
    state.settings.port.CommTimeOut = 1200;
    state.settings.port.line = LineSettings{9600, 'E', 7, 1};
    state.settings.otherLanguage = true;
    state.settings.otherLanguageFolder = "/home/op/lang/";
    state.settings.languageFile = "de.lng";
    state.settings.setupFile = "a=b.cfg";
    state.settings.waveFolder = "/home/op/sounds/";
    const std::string path = state.settingsFilePath();
    ASSERT_TRUE(saveSettings(state, path));
    const std::string first = readText(path);
    WindowState reopened;
    reopened.initialise(folder.folder());
    ASSERT_TRUE(openSettings(reopened, path));
    EXPECT_EQ(reopened.settings, state.settings);
    ASSERT_TRUE(saveSettings(reopened, path));
    EXPECT_EQ(readText(path), first);
}

TEST_F(SettingsFile, RecentSetupsFollowTheThirteenLinesByNumber) {
    state.settings.recentSetups = {"/home/op/lobby.cfg", "/home/op/大厅.cfg", "/home/op/a=b.cfg"};
    const std::string path = state.settingsFilePath();
    ASSERT_TRUE(saveSettings(state, path));
    // A path the file's code page cannot hold is left out rather than written wrongly.
    EXPECT_EQ(readText(path), defaultsText() + "Recent1=/home/op/lobby.cfg\r\nRecent2=/home/op/a=b.cfg\r\n");
    // Read by the number in the key, whatever the order; a gap closes up, other keys are no entries.
    folder.write("MMX4210.INI", defaultsText() + "Recent3=/c.cfg\r\nRecent1=/a.cfg\r\nRecent9=/x.cfg\r\n"
                                                   "Recently=/y.cfg\r\n");
    ASSERT_TRUE(openSettings(state, path));
    EXPECT_EQ(state.settings.recentSetups, (std::vector<std::string>{"/a.cfg", "/c.cfg"}));
    // A file of 13 lines has no recent set-ups.
    folder.write("MMX4210.INI", defaultsText());
    ASSERT_TRUE(openSettings(state, path));
    EXPECT_TRUE(state.settings.recentSetups.empty());
}

TEST_F(SettingsFile, ValuesAreReadByPositionWithoutTrimming) {
    auto lines = splitLines(defaultsText());
    lines[0] = "Commport=3";              // keys are never read
    lines[2] = "Bret= 9600 ";             // blanks around a number are allowed
    lines[3] = "Pchk=e";                  // any letter case
    lines[8] = "stroLNGFilePathType=tRuE";
    lines[11] = "MessageFile=a=b.cfg";    // everything after the first "="
    lines[12] = "strWAVFilePath=";        // empty: the program folder
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\n";  // LF-only
    ASSERT_TRUE(openSettings(state, folder.write("MMX4210.INI", bytes)));
    EXPECT_EQ(state.settings.port.CommTimeOut, 3);
    EXPECT_EQ(state.settings.port.line, (LineSettings{9600, 'E', 8, 2}));
    EXPECT_TRUE(state.settings.otherLanguage);
    EXPECT_EQ(state.settings.setupFile, "a=b.cfg");
    EXPECT_EQ(state.settings.waveFolder, folder.folder());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFile, PortNumberOutsideTheMenuIsPortOne) {
    for (const char* text : {"Commport=0", "Commport=12", "Commport=-3", "Commport=11"}) {
        state.settings.port.Commport = 5;
        ASSERT_TRUE(openSettings(state, fileWithLine(2, text))) << text;
        EXPECT_EQ(state.settings.port.Commport, 1) << text;
    }
    ASSERT_TRUE(openSettings(state, fileWithLine(2, "Commport= 10 ")));
    EXPECT_EQ(state.settings.port.Commport, 10);
}

TEST_F(SettingsFile, EveryTimeOutFromZeroTo60000MsIsTaken) {
    for (const int ms : {0, 32767, 32768, 60000}) {
        ASSERT_TRUE(openSettings(state, fileWithLine(1, "CommTimeOut=" + std::to_string(ms)))) << ms;
        EXPECT_EQ(state.settings.port.CommTimeOut, ms);
    }
}

struct RefusedSetting {
    const char* what;
    int line;
    const char* text;
};

class SettingsFileRefused : public SettingsFile, public ::testing::WithParamInterface<RefusedSetting> {};

// A value no port or wait can take is refused with its line; the lines before it are taken,
// the rest keep what they were.
TEST_P(SettingsFileRefused, NamesTheLineAndKeepsTheLaterValues) {
    const RefusedSetting& refused = GetParam();
    auto lines = splitLines(defaultsText());
    lines[0] = "CommTimeOut=800";
    lines[1] = "Commport=4";
    lines[11] = "MessageFile=new.cfg";
    lines[static_cast<size_t>(refused.line - 1)] = refused.text;
    state.settings.setupFile = "kept.cfg";
    const FileOutcome outcome = openSettings(state, folder.write("MMX4210.INI", test::crlfLines(lines)));
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.line, refused.line);
    const std::string text = refused.text;
    EXPECT_EQ(outcome.value, text.substr(text.find('=') + 1));
    EXPECT_EQ(state.settings.port.CommTimeOut, refused.line > 1 ? 800 : 5000);
    EXPECT_EQ(state.settings.port.Commport, refused.line > 2 ? 4 : 1);
    EXPECT_EQ(state.settings.port.line, LineSettings{});
    EXPECT_EQ(state.settings.setupFile, "kept.cfg");
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsFileRefused,
                         ::testing::Values(RefusedSetting{"time_out_above_60000_ms", 1, "CommTimeOut=60001"},
                                           RefusedSetting{"time_out_beyond_16_bits", 1, "CommTimeOut=99999"},
                                           RefusedSetting{"negative_time_out", 1, "CommTimeOut=-5"},
                                           RefusedSetting{"time_out_with_a_fraction", 1, "CommTimeOut=1.5"},
                                           RefusedSetting{"port_name", 2, "Commport=COM2"},
                                           RefusedSetting{"baud_no_port_takes", 3, "Bret=115201"},
                                           RefusedSetting{"baud_word", 3, "Bret=fast"},
                                           RefusedSetting{"parity_letter", 4, "Pchk=X"},
                                           RefusedSetting{"parity_word", 4, "Pchk=None"},
                                           RefusedSetting{"data_bits", 5, "Dbit=9"},
                                           RefusedSetting{"stop_bits", 6, "Sbit=1.5"},
                                           RefusedSetting{"other_flag", 9, "stroLNGFilePathType=perhaps"}),
                         [](const auto& param) { return std::string(param.param.what); });

TEST_F(SettingsFile, ANinthLineThatDoesNotConvertStopsTheApplyingThere) {
    const std::string other = folder.folder() + "other/";
    auto lines = splitLines(defaultsText());
    lines[0] = "CommTimeOut=800";
    lines[1] = "Commport=4";
    lines[7] = "stroLNGFilePath=" + other;
    lines[8] = "stroLNGFilePathType=perhaps";
    lines[9] = "LanguageFile=nl.lng";
    lines[11] = "MessageFile=new.cfg";
    state.settings.setupFile = "kept.cfg";
    EXPECT_FALSE(openSettings(state, folder.write("MMX4210.INI", test::crlfLines(lines))));
    EXPECT_EQ(state.settings.port.CommTimeOut, 800);
    EXPECT_EQ(state.settings.port.Commport, 4);
    EXPECT_EQ(state.settings.otherLanguageFolder, other);
    EXPECT_EQ(state.settings.languageFile, "en.lng");
    EXPECT_EQ(state.settings.setupFile, "kept.cfg");
}

TEST_F(SettingsFile, ATwelveLineFileChangesNothing) {
    auto lines = splitLines(defaultsText());
    lines[0] = "CommTimeOut=100";
    lines.pop_back();
    EXPECT_EQ(openSettings(state, folder.write("MMX4210.INI", test::crlfLines(lines))).problem, "has 12 lines, 13 are needed");
    EXPECT_EQ(state.settings.port.CommTimeOut, 5000);
    EXPECT_FALSE(openSettings(state, folder.folder() + "none.ini"));
}

TEST_F(SettingsFile, FoldersFromAnotherSystemFallBackToTheDefaults) {
    ASSERT_TRUE(openSettings(state, fileWithLine(7, "strLNGFilePath=C:\\Tools\\Font\\")));
    EXPECT_EQ(state.settings.builtInLanguageFolder, folder.folder() + "Font/");
    ASSERT_TRUE(openSettings(state, fileWithLine(11, "strMSGFilePath=/srv/setups")));
    EXPECT_EQ(state.settings.setupFolder, "/srv/setups/");  // every stored folder ends with "/"
}

// An installed program keeps its language files apart from the program: empty or foreign
// language folders in the file fall back to the data folder's, not the program's.
TEST_F(SettingsFile, LanguageFoldersFallBackToTheDataFolder) {
    WindowState installed;
    installed.initialise("/usr/lib/mmx4210/", "/usr/share/mmx4210");
    EXPECT_EQ(installed.settings.languageFolder(), "/usr/share/mmx4210/Font/");
    auto lines = splitLines(defaultsText());
    lines[6] = "strLNGFilePath=";
    lines[7] = "stroLNGFilePath=C:\\Tools\\Font\\";
    ASSERT_TRUE(openSettings(installed, folder.write("MMX4210.INI", test::crlfLines(lines))));
    EXPECT_EQ(installed.settings.builtInLanguageFolder, "/usr/share/mmx4210/Font/");
    EXPECT_EQ(installed.settings.otherLanguageFolder, "/usr/share/mmx4210/Font/");
    EXPECT_EQ(installed.settings.setupFolder, folder.folder());
}

TEST_F(SettingsFile, TheOtherFlagIsAWordOrANumber) {
    for (const auto& [text, other] : {std::pair{"FALSE", false}, {" -1", true}, {"0", false}, {"tRuE", true}}) {
        ASSERT_TRUE(openSettings(state, fileWithLine(9, std::string("stroLNGFilePathType=") + text))) << text;
        EXPECT_EQ(state.settings.otherLanguage, other) << text;
    }
}

TEST_F(SettingsFile, TheFramingIsWrittenAsTheFileHoldsIt) {
    state.settings.port.line = LineSettings{19200, 'O', 7, 1};
    const std::string path = state.settingsFilePath();
    ASSERT_TRUE(saveSettings(state, path));
    const auto lines = splitLines(readText(path));
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 6),
              (std::vector<std::string>{"Bret=19200", "Pchk=O", "Dbit=7", "Sbit=1"}));
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
    ASSERT_TRUE(readSplashLanguage(state, path, splashFile));
    EXPECT_EQ(splashFile, "mine.lng");
    EXPECT_TRUE(state.settings.otherLanguage);
    EXPECT_EQ(state.settings.otherLanguageFolder, folder.folder() + "Font/");
    EXPECT_EQ(state.settings.port.CommTimeOut, 5000);
    EXPECT_EQ(state.settings.languageFile, "en.lng");

    lines[8] = "stroLNGFilePathType=x";
    lines[9] = "LanguageFile=other.lng";
    EXPECT_FALSE(readSplashLanguage(state, folder.write("MMX4210.INI", test::crlfLines(lines)), splashFile));
    EXPECT_EQ(splashFile, "mine.lng");
    EXPECT_FALSE(readSplashLanguage(state, folder.folder() + "none.ini", splashFile));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFile, SaveIntoAMissingUserFolderCreatesIt) {
    const std::string path = folder.folder() + "config/mmx4210/MMX4210.INI";
    ASSERT_TRUE(saveSettings(state, path));
    EXPECT_EQ(readText(path), defaultsText());
}

TEST_F(SettingsFile, AValueWithALineBreakIsRefusedAndTheOldFileKept) {
    const std::string path = folder.write("MMX4210.INI", "old\r\n");
    state.settings.setupFile = "two\nlines.cfg";
    EXPECT_EQ(saveSettings(state, path).line, 12);
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

TEST_F(SettingsFolder, OnlyAProgramInItsBuildFolderKeepsItsFilesBesideItself) {
    setenv("XDG_CONFIG_HOME", (folder.folder() + "cfg").c_str(), 1);
    const std::string installed = folder.folder() + "usr/lib/mmx4210/";
    std::filesystem::create_directories(installed);
    const std::string built = folder.folder() + "build/";
    std::filesystem::create_directories(built + "apps/gui");
    // Writable (as for root) and installed: the account's folder, never beside the program.
    EXPECT_EQ(chooseSettingsFolder(installed, built), folder.folder() + "cfg/mmx4210/");
    EXPECT_EQ(chooseSettingsFolder(built + "apps/gui/", built), built + "apps/gui/");
    EXPECT_EQ(chooseSettingsFolder(folder.folder() + "no/such/folder/", built), folder.folder() + "cfg/mmx4210/");
}

TEST_F(SettingsFolder, TheUsersFolderIsCreatedOnFirstUse) {
    const std::string home = folder.folder() + "home/op/";
    std::filesystem::create_directories(home);
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
    const std::string chosen = chooseSettingsFolder("/usr/lib/mmx4210/");
    EXPECT_EQ(chosen, home + ".config/mmx4210/");
    EXPECT_TRUE(std::filesystem::is_directory(chosen));
}

TEST_F(SettingsFolder, UserFolderFollowsXdgConfigHomeThenHome) {
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("HOME", "/home/op", 1);
    EXPECT_EQ(userSettingsFolder(), "/cfg/mmx4210/");
    setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
    EXPECT_EQ(userSettingsFolder(), "/home/op/.config/mmx4210/");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(userSettingsFolder(), "/home/op/.config/mmx4210/");
}

TEST_F(SettingsFolder, ReadingFallsBackToAFileBesideTheProgram) {
    const std::string user = folder.folder() + "user/";
    std::filesystem::create_directories(user);
    const std::string beside = folder.write("MMX4210.INI", "x\r\n");
    EXPECT_EQ(settingsFileForReading(folder.folder(), user), beside);
    const std::string own = user + "MMX4210.INI";
    folder.write("user/MMX4210.INI", "y\r\n");
    EXPECT_EQ(settingsFileForReading(folder.folder(), user), own);
    WindowState state;
    state.initialise(folder.folder());
    state.settingsFolder = user;
    EXPECT_EQ(state.settingsFilePath(), own);
}

}  // namespace
}  // namespace mmx
