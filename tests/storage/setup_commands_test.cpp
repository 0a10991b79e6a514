// The File menu commands: names, folders, caption and the unsaved-changes mark.
#include <cerrno>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_dialogs.h"
#include "sample_setup.h"
#include "storage/setup_codec.h"
#include "support/setup_values.h"
#include "ui/app/setup_commands.h"
#include "support/test_support.h"

namespace mmx {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::RecordingMessageBoxes;
using test::ScratchFolder;
using test::ScriptedFileDialog;

class SetupCommands : public ::testing::Test {
protected:
    void SetUp() override {
        state.initialise(folder.folder());
        state.beginSetup(test::smallSetup());
        commands.setCaptionChanged([this] { captions.push_back(state.frameWindowCaption); });
    }
    ScratchFolder folder;
    WindowState state;
    ScriptedFileDialog dialog;
    RecordingMessageBoxes boxes;
    SetupFileCommands commands{state, dialog, boxes};
    std::vector<std::string> captions;

    // The set-up differs from the one last saved, without changing what a save writes.
    void markUnsaved() { state.savedSetup = mmx::Setup{}; }
};

TEST(SetupFileNames, SaveKeepsCfgNamesAndMendsOthers) {
    EXPECT_EQ(setupFileNameForSave("my.setup.cfg"), "my.setup.cfg");
    EXPECT_EQ(setupFileNameForSave("Show.CFG"), "Show.CFG");
    EXPECT_EQ(setupFileNameForSave("my.setup.txt"), "my.cfg");
    EXPECT_EQ(setupFileNameForSave("notes.txt"), "notes.cfg");
    EXPECT_EQ(setupFileNameForSave("plain"), "plain.cfg");
    EXPECT_EQ(setupFileNameForSave(""), "MessageSetup.cfg");
}

TEST_F(SetupCommands, SaveWritesTheCurrentFileAndClearsTheFlag) {
    markUnsaved();
    EXPECT_EQ(commands.save(), FileCommandResult::Done);
    EXPECT_EQ(readText(folder.folder() + "MessageSetup.cfg"), test::smallSetupFileBytes());
    EXPECT_FALSE(state.setupChanged());
    EXPECT_TRUE(dialog.requests.empty());
    EXPECT_TRUE(captions.empty());
    state.settings.setupFile = "show";  // a name without a dot gets ".cfg"
    ASSERT_EQ(commands.save(), FileCommandResult::Done);
    EXPECT_EQ(state.settings.setupFile, "show.cfg");
    EXPECT_EQ(readText(folder.folder() + "show.cfg"), test::smallSetupFileBytes());
}

// The chosen name is mended as Save mends it.
TEST_F(SetupCommands, SaveAsAsksWithTheSetUpDialogAndShowsTheNameAfterSaving) {
    markUnsaved();
    state.settings.setupFile = "old.cfg";
    dialog.choose(folder.folder() + "sub/Evening.txt");
    fs::create_directory(folder.path() / "sub");
    ASSERT_EQ(commands.saveAs(), FileCommandResult::Done);

    ASSERT_EQ(dialog.requests.size(), 1u);
    const auto& request = dialog.requests[0];
    EXPECT_EQ(request.mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(request.filter, "All Files (*.*)|*.*|Message Files (*.cfg)|*.cfg");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.fileName, "old.cfg");
    EXPECT_EQ(request.initialFolder, folder.folder());

    EXPECT_EQ(readText(folder.folder() + "sub/Evening.cfg"), test::smallSetupFileBytes());
    EXPECT_FALSE(fs::exists(folder.folder() + "sub/Evening.txt"));
    EXPECT_EQ(state.settings.setupFile, "Evening.cfg");
    EXPECT_EQ(state.settings.setupFolder, folder.folder() + "sub/");
    EXPECT_FALSE(state.setupChanged());
    EXPECT_EQ(captions, std::vector<std::string>{"MMX 4210 Zanth Message Manager Setup  Ver. 2.3  Evening.cfg"});
}

// A failed save keeps the mark, so that the changes are asked about again.
TEST_F(SetupCommands, CancelledOrFailedSavesKeepFlagNameAndCaption) {
    markUnsaved();
    dialog.cancel();
    EXPECT_EQ(commands.saveAs(), FileCommandResult::Cancelled);
    EXPECT_TRUE(state.setupChanged());

    dialog.choose(folder.folder() + "missing/x.cfg");
    EXPECT_EQ(commands.saveAs(), FileCommandResult::Failed);
    EXPECT_TRUE(state.setupChanged());
    EXPECT_EQ(state.settings.setupFile, "MessageSetup.cfg");
    EXPECT_EQ(state.settings.setupFolder, folder.folder());
    state.settings.setupFolder = folder.folder() + "gone/";
    EXPECT_EQ(commands.save(), FileCommandResult::Failed);
    EXPECT_TRUE(state.setupChanged());
    EXPECT_TRUE(captions.empty());
    ASSERT_EQ(boxes.texts().size(), 2u);
    for (const auto& text : boxes.texts()) EXPECT_EQ(text.rfind("Configuration file cannot be found!\n\n", 0), 0u);
}

TEST_F(SetupCommands, OpenAppliesTheFileAndShowsItsName) {
    const std::string path = folder.write("Morning.cfg", test::smallSetupFileBytes());
    WindowState& s = state;
    s.beginSetup(mmx::Setup{});
    dialog.choose(path);
    ASSERT_EQ(commands.open(), FileCommandResult::Done);
    const auto& request = dialog.requests.at(0);
    EXPECT_EQ(request.mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(request.fileName, "MessageSetup.cfg");
    EXPECT_EQ(setupLines(s.setup), setupLines(test::smallSetup()));
    EXPECT_TRUE(s.messagesUploaded);
    EXPECT_FALSE(s.setupChanged());
    EXPECT_EQ(s.settings.setupFile, "Morning.cfg");
    EXPECT_EQ(s.settings.setupFolder, folder.folder());
    EXPECT_EQ(captions, std::vector<std::string>{s.frameCaption + "Morning.cfg"});
    EXPECT_TRUE(boxes.shown.empty());

    // A file handed to the program (the file manager's "Open with") opens without the dialog.
    s.beginSetup(mmx::Setup{});
    ASSERT_EQ(commands.openFile(folder.write("sub/Evening.cfg", test::smallSetupFileBytes())), FileCommandResult::Done);
    EXPECT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(s.setup.slot(1).name, "Welcome");
    EXPECT_EQ(s.settings.setupFile, "Evening.cfg");
    EXPECT_EQ(s.settings.setupFolder, folder.folder() + "sub/");
    EXPECT_EQ(captions.back(), s.frameCaption + "Evening.cfg");
    EXPECT_TRUE(commands.named());
}

TEST_F(SetupCommands, OpenAsksAboutUnsavedChangesAndSavesOnYes) {
    const std::string other = folder.write("Other.cfg", test::smallSetupFileBytes());
    state.setup.slot(1).name = "Mine";
    boxes.answers.push_back(QuestionAnswer::Yes);
    // Never saved yet: Yes asks for a name first.
    dialog.choose(folder.folder() + "Mine.cfg");
    dialog.choose(other);
    ASSERT_EQ(commands.open(), FileCommandResult::Done);
    ASSERT_GE(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Do you want to save the changes?");
    EXPECT_EQ(boxes.shown[0].title, "MMX 4210 Zanth Message Manager Setup  Ver. 2.3  ");
    EXPECT_EQ(dialog.requests.at(0).mode, FileDialogRequest::Mode::Save);
    EXPECT_NE(readText(folder.folder() + "Mine.cfg").find("WaveFile( 1)=Mine\r\n"), std::string::npos);
    EXPECT_TRUE(commands.named());

    // A save that fails keeps the edits: the other file is not opened over them.
    state.setup.slot(1).name = "Kept";
    fs::permissions(other, fs::perms::owner_read);  // the file now open
    boxes.answers.push_back(QuestionAnswer::Yes);
    const size_t dialogs = dialog.requests.size();
    EXPECT_EQ(commands.open(), FileCommandResult::Failed);
    EXPECT_EQ(dialog.requests.size(), dialogs);  // no open dialog
    EXPECT_EQ(state.setup.slot(1).name, "Kept");
    EXPECT_TRUE(state.setupChanged());
}

TEST_F(SetupCommands, NoOrCancelOnTheUnsavedQuestionSavesNothingAndChangesNothing) {
    markUnsaved();
    const mmx::Setup before = state.setup;
    boxes.answers.push_back(QuestionAnswer::Cancel);
    EXPECT_EQ(commands.open(), FileCommandResult::Cancelled);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.lastQuestionHadCancel) << "Yes/No/Cancel, as closing asks";
    EXPECT_TRUE(dialog.requests.empty());
    // No, and then the open dialog cancelled.
    boxes.answers.push_back(QuestionAnswer::No);
    dialog.cancel();
    EXPECT_EQ(commands.open(), FileCommandResult::Cancelled);
    EXPECT_FALSE(fs::exists(folder.folder() + "MessageSetup.cfg"));
    EXPECT_EQ(state.setup, before);
    EXPECT_TRUE(state.setupChanged());
}

TEST_F(SetupCommands, FailedOpenKeepsTheSetUpItsFileItsMarkAndItsHistory) {
    const std::string good = folder.write("good.cfg", test::smallSetupFileBytes());
    ASSERT_EQ(commands.openFile(good), FileCommandResult::Done);
    const mmx::Setup opened = state.setup;
    state.history.recordEdit(opened);
    state.setup.slot(1).name = "Edited";
    const std::string bad = folder.write("bad.cfg", "MsgBt( 1) =True\r\n");
    state.messagesUploaded = false;
    boxes.answers.push_back(QuestionAnswer::No);
    dialog.choose(bad);
    const mmx::Setup before = state.setup;
    captions.clear();
    EXPECT_EQ(commands.open(), FileCommandResult::Failed);
    EXPECT_EQ(state.setup, before);
    EXPECT_TRUE(state.setupChanged());
    EXPECT_TRUE(state.history.canUndo());
    EXPECT_EQ(state.settings.setupFile, "good.cfg") << "Save still writes to the file that is open";
    EXPECT_EQ(state.settings.setupFolder, folder.folder());
    ASSERT_EQ(commands.save(), FileCommandResult::Done);
    EXPECT_EQ(readText(bad), "MsgBt( 1) =True\r\n") << "the damaged file is not overwritten";
    EXPECT_NE(readText(good).find("WaveFile( 1)=Edited\r\n"), std::string::npos);
    EXPECT_FALSE(state.messagesUploaded);
    EXPECT_TRUE(captions.empty());
    // The usual text, then the file and what is wrong with it.
    EXPECT_EQ(boxes.texts().back(), "Configuration file cannot be found!\n\nbad.cfg: has 1 lines, 280 are needed");
}

TEST_F(SetupCommands, SaveAsTextFileWritesThePrintoutAndNamesItForTheViewer) {
    dialog.choose(folder.folder() + "Print.txt");
    const auto shown = commands.saveAsTextFile(PrintoutCaptions{});
    ASSERT_EQ(shown.result, FileCommandResult::Done);
    EXPECT_EQ(shown.path, folder.folder() + "Print.txt");
    EXPECT_EQ(readText(shown.path), printoutBytes(state.setup, PrintoutCaptions{}));
    const auto& request = dialog.requests.at(0);
    EXPECT_EQ(request.filter, "All Files (*.*)|*.*|Text Files (*.txt)|*.txt");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.fileName, "PrintSetup.txt");
    EXPECT_EQ(request.initialFolder, folder.folder());

    dialog.cancel();
    EXPECT_EQ(commands.saveAsTextFile(PrintoutCaptions{}).result, FileCommandResult::Cancelled);
    // A printout that cannot be written is a failure with its reason, never handed on.
    dialog.choose(folder.folder() + "missing/Print.txt");
    const auto failed = commands.saveAsTextFile(PrintoutCaptions{});
    EXPECT_EQ(failed.result, FileCommandResult::Failed);
    EXPECT_EQ(failed.path, folder.folder() + "missing/Print.txt");
    EXPECT_EQ(failed.written.kind, FileProblem::CannotCreate);
    EXPECT_EQ(failed.written.systemError, ENOENT);
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace mmx
