// The Language menu: check marks, the return to the previous language, and the load at start.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_dialogs.h"
#include "support/test_support.h"
#include "ui/lang/language_file.h"
#include "ui/lang/language_menu.h"

namespace mmx {
namespace {

namespace fs = std::filesystem;
using test::RecordingMessageBoxes;
using test::ScratchFolder;
using test::ScriptedFileDialog;

class LanguageMenu : public ::testing::Test {
protected:
    void SetUp() override {
        state.initialise(folder.folder());
        state.settingsFolder = state.appFolder;  // the test's own, never the account's
        fs::copy(MMX_FONT_DIR, folder.path() / "Font", fs::copy_options::recursive);
        languages.setLanguageApplied([this] { applied.push_back(state.frameWindowCaption); });
    }
    std::string lineOf(const std::string& name, int line) {
        const auto texts = readLanguageFile(folder.folder() + "Font/" + name);
        return texts ? (*texts)[static_cast<size_t>(line - 1)] : "";
    }
    ScratchFolder folder;
    WindowState state;
    CaptionTable captions;
    ScriptedFileDialog dialog;
    RecordingMessageBoxes boxes;
    LanguageCommands languages{state, captions, dialog, boxes};
    std::vector<std::string> applied;
};

TEST_F(LanguageMenu, BuiltInItemLoadsItsFileAndTakesTheCheckMark) {
    ASSERT_TRUE(languages.chooseBuiltIn(LanguageItem::nl));
    EXPECT_EQ(languages.checked(), LanguageItem::nl);
    EXPECT_EQ(state.settings.languageFile, "nl.lng");
    EXPECT_FALSE(state.settings.otherLanguage);
    EXPECT_EQ(captions.File, "Bestand");
    EXPECT_EQ(applied, std::vector<std::string>{"MMX 4210 Zanth Berichtenbeheer Instellen Ver. 2.3  "});
    EXPECT_EQ(languages.statusPanel1(), "Status: ");

    ASSERT_TRUE(languages.chooseBuiltIn(LanguageItem::zh_t));
    EXPECT_EQ(languages.checked(), LanguageItem::zh_t);
    EXPECT_EQ(captions.File, lineOf("zh-t.lng", 12));
    ASSERT_TRUE(languages.chooseBuiltIn(LanguageItem::zh_s));
    EXPECT_EQ(languages.checked(), LanguageItem::zh_s);
    ASSERT_TRUE(languages.chooseBuiltIn(LanguageItem::en));
    EXPECT_EQ(languages.checked(), LanguageItem::en);
    EXPECT_EQ(captions.File, "File");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LanguageMenu, AMissingBuiltInFileReturnsToThePreviousLanguageOrToNoneWhenThatFailsToo) {
    ASSERT_TRUE(languages.chooseBuiltIn(LanguageItem::zh_s));
    fs::remove(folder.path() / "Font" / "nl.lng");
    applied.clear();
    EXPECT_FALSE(languages.chooseBuiltIn(LanguageItem::nl));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{lineOf("zh-s.lng", 80)});  // shown once, in Chinese
    EXPECT_EQ(languages.checked(), LanguageItem::zh_s);
    EXPECT_EQ(state.settings.languageFile, "zh-s.lng");
    EXPECT_EQ(applied.size(), 1u);  // the previous language was loaded again

    const std::string chinese = captions.File;
    fs::remove(folder.path() / "Font" / "zh-s.lng");
    EXPECT_FALSE(languages.chooseBuiltIn(LanguageItem::nl));
    EXPECT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(languages.checked(), LanguageItem::None);
    EXPECT_EQ(captions.File, chinese);  // the texts on screen stay
}

TEST_F(LanguageMenu, ACancelledOtherChangesNothingAndAFailedOneKeepsOnlyTheChosenFolder) {
    ASSERT_TRUE(languages.chooseBuiltIn(LanguageItem::nl));
    dialog.cancel();
    EXPECT_FALSE(languages.chooseOther());
    EXPECT_EQ(state.settings.otherLanguageFolder, folder.folder() + "Font/");
    fs::create_directories(folder.path() / "bad");
    dialog.choose(folder.write("bad/x.lng", test::crlfLines(std::vector<std::string>(10, "L=x"))));  // 10 of 83 lines
    EXPECT_FALSE(languages.chooseOther());
    EXPECT_EQ(languages.checked(), LanguageItem::nl);
    EXPECT_FALSE(state.settings.otherLanguage);
    EXPECT_EQ(state.settings.languageFile, "nl.lng");
    EXPECT_EQ(state.settings.otherLanguageFolder, folder.folder() + "bad/");
}

TEST_F(LanguageMenu, LngSelectComparesTheStemExactly) {
    languages.checkLanguageOf("zh-s.lng");
    EXPECT_EQ(languages.checked(), LanguageItem::zh_s);
    languages.checkLanguageOf("EN.lng");
    EXPECT_EQ(languages.checked(), LanguageItem::other);
    languages.checkLanguageOf("nl");
    EXPECT_EQ(languages.checked(), LanguageItem::nl);
    languages.checkLanguageOf("en.old.lng");
    EXPECT_EQ(languages.checked(), LanguageItem::en);
    state.settings.otherLanguage = true;
    languages.checkLanguageOf("en.lng");
    EXPECT_EQ(languages.checked(), LanguageItem::other);
    languages.clearLanguageChecks();
    EXPECT_EQ(languages.checked(), LanguageItem::None);
}

TEST_F(LanguageMenu, StartUpWithoutSettingsLoadsEnglishSilently) {
    state.settings.languageFile = "nl.lng";
    state.settings.otherLanguage = true;
    EXPECT_FALSE(activateEditor(state, languages, boxes));
    EXPECT_EQ(state.settings.languageFile, "en.lng");
    EXPECT_FALSE(state.settings.otherLanguage);
    EXPECT_EQ(languages.checked(), LanguageItem::en);
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LanguageMenu, StartUpWithoutAnyLanguageFileLoadsNothingAndShowsNothing) {
    fs::remove_all(folder.path() / "Font");
    activateEditor(state, languages, boxes);
    EXPECT_EQ(languages.checked(), LanguageItem::None);
    EXPECT_TRUE(applied.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(captions.File, "File");
}

}  // namespace
}  // namespace mmx
