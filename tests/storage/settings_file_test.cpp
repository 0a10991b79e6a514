// The settings file: its 13 lines, the conversion rules, and where it lives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "storage/settings_file.h"
#include "storage/settings_folder.h"
#include "storage/text_codec.h"
#include "support/test_support.h"
#include "ui/app/window_state.h"

namespace mmx {
namespace {

using test::readText;
using test::ScratchFolder;

using LineEdits = std::vector<std::pair<int, std::string>>;

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
    // The default lines with the given lines (1-based) replaced, the first `count` of them kept.
    std::vector<std::string> editedLines(const LineEdits& edits, size_t count = 13) const {
        auto lines = splitLines(defaultsText());
        for (const auto& [line, text] : edits) lines.at(static_cast<size_t>(line - 1)) = text;
        lines.resize(count);
        return lines;
    }
    std::string writeEdited(const LineEdits& edits, size_t count = 13) {
        return folder.write("MMX4210.INI", test::crlfLines(editedLines(edits, count)));
    }
    ScratchFolder folder;
    WindowState state;
};

// The defaults first, into a user folder that does not exist yet: it is made.
TEST_F(SettingsFile, EveryValueIsWrittenInItsLineAndReadBackToTheSameBytes) {
    const std::string path = folder.folder() + "config/mmx4210/MMX4210.INI";
    ASSERT_TRUE(saveSettings(state, path));
    EXPECT_EQ(readText(path), defaultsText());
    state.settings.port.Commport = 7;
    state.settings.port.CommTimeOut = 1200;
    state.settings.port.line = LineSettings{9600, 'E', 7, 1};
    state.settings.otherLanguage = true;
    state.settings.otherLanguageFolder = "/home/op/lang/";
    state.settings.languageFile = "de.lng";
    state.settings.setupFile = "a=b.cfg";
    state.settings.waveFolder = "/home/op/sounds/";
    ASSERT_TRUE(saveSettings(state, path));
    const std::string first = readText(path);
    EXPECT_EQ(first, test::crlfLines(editedLines({{1, "CommTimeOut=1200"}, {2, "Commport=7"}, {3, "Bret=9600"},
                                                  {4, "Pchk=E"}, {5, "Dbit=7"}, {6, "Sbit=1"},
                                                  {8, "stroLNGFilePath=/home/op/lang/"}, {9, "stroLNGFilePathType=True"},
                                                  {10, "LanguageFile=de.lng"}, {12, "MessageFile=a=b.cfg"},
                                                  {13, "strWAVFilePath=/home/op/sounds/"}})));
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

// A network address typed in the port menu follows the 13 lines only when one was typed, so that
// a file without one stays what it always was.
TEST_F(SettingsFile, ANetworkPortFollowsTheThirteenLinesOnlyWhenOneWasTyped) {
    Settings settings = state.settings;
    settings.port.networkPort = "rfc2217://rack4:4001";
    settings.port.networkPortChosen = true;
    const std::string path = folder.folder() + "MMX4210.INI";
    ASSERT_TRUE(writeSettingsFile(path, settings).ok);
    EXPECT_EQ(readText(path), defaultsText() + "NetworkPort=rfc2217://rack4:4001\r\nNetworkPortChosen=True\r\n");
    Settings read = state.settings;
    ASSERT_TRUE(readSettingsFile(path, read, folder.folder()).ok);
    EXPECT_EQ(read, settings);
    // Chosen no more, still offered.
    settings.port.networkPortChosen = false;
    ASSERT_TRUE(writeSettingsFile(path, settings).ok);
    ASSERT_TRUE(readSettingsFile(path, read, folder.folder()).ok);
    EXPECT_EQ(read.port.networkPort, "rfc2217://rack4:4001");
    EXPECT_FALSE(read.port.networkPortChosen);
    // A file of 13 lines clears what an earlier file said.
    folder.write("MMX4210.INI", defaultsText());
    ASSERT_TRUE(readSettingsFile(path, read, folder.folder()).ok);
    EXPECT_EQ(read.port.networkPort, "");
    EXPECT_FALSE(read.port.networkPortChosen);
}

TEST_F(SettingsFile, ValuesAreReadByPositionWithoutTrimming) {
    std::string bytes;
    for (const auto& line : editedLines({{1, "Commport=3"},  // keys are never read
                                         {3, "Bret= 9600 "},  // blanks around a number are allowed
                                         {4, "Pchk=e"},       // any letter case
                                         {9, "stroLNGFilePathType=tRuE"},
                                         {12, "MessageFile=a=b.cfg"},  // everything after the first "="
                                         {13, "strWAVFilePath="}}))   // empty: the program folder
        bytes += line + "\n";  // LF-only
    ASSERT_TRUE(openSettings(state, folder.write("MMX4210.INI", bytes)));
    EXPECT_EQ(state.settings.port.CommTimeOut, 3);
    EXPECT_EQ(state.settings.port.line, (LineSettings{9600, 'E', 8, 2}));
    EXPECT_TRUE(state.settings.otherLanguage);
    EXPECT_EQ(state.settings.setupFile, "a=b.cfg");
    EXPECT_EQ(state.settings.waveFolder, folder.folder());
}

// A port outside the menu is port 1; every wait up to 60000 ms is taken; the other-language flag
// is a word or a number.
TEST_F(SettingsFile, ValuesAtTheEdgesOfWhatIsTaken) {
    for (const auto& [text, port] : {std::pair{"0", 1}, {"12", 1}, {"-3", 1}, {"11", 1}, {" 10 ", 10}}) {
        state.settings.port.Commport = 5;
        ASSERT_TRUE(openSettings(state, writeEdited({{2, std::string("Commport=") + text}}))) << text;
        EXPECT_EQ(state.settings.port.Commport, port) << text;
    }
    for (const int ms : {0, 32767, 32768, 60000}) {
        ASSERT_TRUE(openSettings(state, writeEdited({{1, "CommTimeOut=" + std::to_string(ms)}}))) << ms;
        EXPECT_EQ(state.settings.port.CommTimeOut, ms);
    }
    for (const auto& [text, other] : {std::pair{"FALSE", false}, {" -1", true}, {"0", false}, {"tRuE", true}}) {
        ASSERT_TRUE(openSettings(state, writeEdited({{9, std::string("stroLNGFilePathType=") + text}}))) << text;
        EXPECT_EQ(state.settings.otherLanguage, other) << text;
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
    const std::string other = folder.folder() + "other/";
    LineEdits edits{{1, "CommTimeOut=800"}, {2, "Commport=4"}, {8, "stroLNGFilePath=" + other},
                    {10, "LanguageFile=nl.lng"}, {12, "MessageFile=new.cfg"}};
    edits.emplace_back(refused.line, refused.text);
    state.settings.setupFile = "kept.cfg";
    const FileOutcome outcome = openSettings(state, writeEdited(edits));
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.line, refused.line);
    const std::string text = refused.text;
    EXPECT_EQ(outcome.value, text.substr(text.find('=') + 1));
    EXPECT_EQ(state.settings.port.CommTimeOut, refused.line > 1 ? 800 : 5000);
    EXPECT_EQ(state.settings.port.Commport, refused.line > 2 ? 4 : 1);
    EXPECT_EQ(state.settings.port.line, LineSettings{});
    EXPECT_EQ(state.settings.otherLanguageFolder, refused.line > 8 ? other : folder.folder() + "Font/");
    EXPECT_EQ(state.settings.languageFile, "en.lng");
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

TEST_F(SettingsFile, ATwelveLineFileChangesNothing) {
    EXPECT_EQ(openSettings(state, writeEdited({{1, "CommTimeOut=100"}}, 12)).problem, "has 12 lines, 13 are needed");
    EXPECT_EQ(state.settings.port.CommTimeOut, 5000);
    EXPECT_FALSE(openSettings(state, folder.folder() + "none.ini"));
}

// An installed program keeps its language files apart from the program: empty or foreign
// language folders in the file fall back to the data folder's, not the program's.
TEST_F(SettingsFile, FoldersFromAnotherSystemFallBackToTheDefaults) {
    WindowState installed;
    installed.initialise("/usr/lib/mmx4210/", "/usr/share/mmx4210");
    EXPECT_EQ(installed.settings.languageFolder(), "/usr/share/mmx4210/Font/");
    const std::string path = writeEdited(
        {{7, "strLNGFilePath="}, {8, "stroLNGFilePath=C:\\Tools\\Font\\"}, {11, "strMSGFilePath=/srv/setups"}});
    ASSERT_TRUE(openSettings(installed, path));
    EXPECT_EQ(installed.settings.builtInLanguageFolder, "/usr/share/mmx4210/Font/");
    EXPECT_EQ(installed.settings.otherLanguageFolder, "/usr/share/mmx4210/Font/");
    EXPECT_EQ(installed.settings.setupFolder, "/srv/setups/");  // every stored folder ends with "/"
    ASSERT_TRUE(openSettings(state, path));  // a program beside its files: its own folder
    EXPECT_EQ(state.settings.builtInLanguageFolder, folder.folder() + "Font/");
}

TEST_F(SettingsFile, SplashReadsOnlyTheLanguageSettings) {
    // The splash needs only ten lines.
    const LineEdits edits{{1, "CommTimeOut=1"}, {8, "stroLNGFilePath="}, {9, "stroLNGFilePathType=True"},
                          {10, "LanguageFile=mine.lng"}};
    std::string splashFile = "en.lng";
    ASSERT_TRUE(readSplashLanguage(state, writeEdited(edits, 10), splashFile));
    EXPECT_EQ(splashFile, "mine.lng");
    EXPECT_TRUE(state.settings.otherLanguage);
    EXPECT_EQ(state.settings.otherLanguageFolder, folder.folder() + "Font/");
    EXPECT_EQ(state.settings.port.CommTimeOut, 5000);
    EXPECT_EQ(state.settings.languageFile, "en.lng");

    EXPECT_FALSE(readSplashLanguage(state, writeEdited({{9, "stroLNGFilePathType=x"}, {10, "LanguageFile=o.lng"}}, 10),
                                    splashFile));
    EXPECT_EQ(splashFile, "mine.lng");
    EXPECT_FALSE(readSplashLanguage(state, folder.folder() + "none.ini", splashFile));
}

TEST_F(SettingsFile, AValueWithALineBreakIsRefusedAndTheOldFileKept) {
    const std::string path = folder.write("MMX4210.INI", "old\r\n");
    state.settings.setupFile = "two\nlines.cfg";
    EXPECT_EQ(saveSettings(state, path).line, 12);
    EXPECT_EQ(readText(path), "old\r\n");
}

// Each test leaves XDG_CONFIG_HOME and HOME as it found them.
class SettingsFolder : public ::testing::Test {
protected:
    static std::optional<std::string> variable(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    const std::vector<std::pair<const char*, std::optional<std::string>>> saved{
        {"XDG_CONFIG_HOME", variable("XDG_CONFIG_HOME")}, {"HOME", variable("HOME")}};
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
