// The frame window: its menus, the closing with its save question, the languages, help and
// printout in the text viewer.
#include <QTest>
#include <deque>
#include <filesystem>
#include <optional>

#include "platform/qt/instance_marker.h"
#include "ui/lang/language_file.h"
#include "ui/qt/adaptive_tables.h"
#include "ui/qt/splash_window.h"
#include "ui_fixture.h"

namespace mmx::test {

namespace {

bool exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace

using FrameWindowTest = FrameFixture;

TEST_F(FrameWindowTest, CaptionMenusAndPortChecks) {
    // Line 11 of en.lng, trimmed, and the version text.
    // "[*]" marks unsaved changes.
    EXPECT_EQ(frame->windowTitle(), "MMX 4210 Zanth Message Manager Setup Ver. 2.3  [*]");
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->menu("File")->title(), "&File");
    EXPECT_EQ(frame->action("Save_as_text_file")->text(), "Save as text file");
    EXPECT_EQ(frame->action("Undo")->text(), "Undo");
    EXPECT_EQ(frame->action("Redo")->toolTip(), "Redo the change last undone (Ctrl+Shift+Z or Ctrl+Y)");
    EXPECT_EQ(frame->action("Open")->shortcut(), QKeySequence(QKeySequence::Open));
    frame->activateWindow();
    QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialog.requests.size(), 1u);  // the accelerator opened the (cancelled) Open dialog
    EXPECT_EQ(dialog.requests[0].mode, FileDialogRequest::Mode::Open);
    // The Com port items name the device each stands for.
    EXPECT_EQ(frame->action("ComP2")->text(), "Com2\t/dev/ttyUSB1");
    EXPECT_EQ(frame->action("ComP5")->text(), "Com5\t/dev/ttyUSB4 (not present)");
    EXPECT_TRUE(frame->action("ComP5")->isEnabled());
    EXPECT_TRUE(frame->action("ComP1")->isChecked());
    // English was loaded from the built-in folder at activation.
    EXPECT_TRUE(frame->action("en")->isChecked());
    // The marker file holds the caption, so a second start can find this window.
    EXPECT_EQ(ReadInstanceMarker(state.markerFilePath()), state.frameWindowCaption);
}

TEST_F(FrameWindowTest, SwitchingLanguageChangesEveryCaptionAtOnce) {
    const auto dutch = readLanguageFile(state.settings.builtInLanguageFolder + "nl.lng");
    const auto simplified = readLanguageFile(state.settings.builtInLanguageFolder + "zh-s.lng");
    ASSERT_TRUE(dutch && simplified);

    frame->action("nl")->trigger();
    EXPECT_TRUE(frame->action("nl")->isChecked());
    EXPECT_FALSE(frame->action("en")->isChecked());
    EXPECT_EQ(editor().sendButton()->text(), q((*dutch)[53]));
    EXPECT_EQ(editor().browseButton(7)->text(), q((*dutch)[45]));
    EXPECT_EQ(frame->action("Open")->text(), q((*dutch)[12]));
    EXPECT_EQ(frame->windowTitle(), q((*dutch)[10] + " Ver. 2.3  [*]"));
    // Qt's own texts (the buttons of every box) and this program's own follow the language.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
    EXPECT_EQ(editor().cancelButton()->text(), "Annuleren");
    EXPECT_EQ(state.texts.messageBox(UiTextTable::PortCannotOpen), "De COM-poort kan niet worden geopend!");
    EXPECT_EQ(editor().statusPanel(1)->text(), q((*dutch)[54 + 11] + " "));
    EXPECT_EQ(editor().statusPanel(2)->text(), q((*dutch)[54 + 12] + " "));

    frame->action("zh_s")->trigger();
    EXPECT_TRUE(frame->action("zh_s")->isChecked());
    const QString chinese = editor().sendButton()->text();
    EXPECT_EQ(chinese, q((*simplified)[53]));
    // Chinese arrives as Chinese characters, not as bytes of a code page.
    EXPECT_TRUE(std::any_of(chinese.begin(), chinese.end(), [](QChar c) { return c.unicode() >= 0x4E00; }));
    // Chinese menus get their accelerators the usual way; every language keeps its own name.
    EXPECT_TRUE(frame->menu("File")->title().endsWith("(&F)"));
    EXPECT_EQ(frame->action("zh_s")->text(), QStringLiteral("简体中文"));
    EXPECT_EQ(frame->action("nl")->text(), QStringLiteral("Nederlands"));

    frame->action("en")->trigger();
    EXPECT_EQ(editor().sendButton()->text(), "Send messages and configuration");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
    EXPECT_EQ(frame->menu("Help")->title(), "&Help");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FrameWindowTest, OtherLanguageFileFromTheDialog) {
    // Any file in the 83-line format serves; this one is a renamed copy of the Dutch file.
    const std::string mine = scratch.folder() + "en.mine.lng";
    std::filesystem::copy_file(state.settings.builtInLanguageFolder + "nl.lng", mine);
    dialog.answers.push_back(mine);
    frame->action("other")->trigger();
    ASSERT_FALSE(dialog.requests.empty());
    EXPECT_EQ(dialog.requests.back().filter, "All Files (*.*)|*.*|Language Files (*.lng)|*.lng");
    EXPECT_EQ(dialog.requests.back().filterIndex, 2);
    EXPECT_EQ(dialog.requests.back().fileName, "en.lng");
    EXPECT_EQ(dialog.requests.back().initialFolder, scratch.folder() + "Font/");
    EXPECT_TRUE(state.settings.otherLanguage);
    EXPECT_EQ(state.settings.otherLanguageFolder, scratch.folder());
    EXPECT_EQ(state.languageFolder(), scratch.folder());
    // Its stem is "en", yet the item "other" carries the check mark.
    EXPECT_TRUE(frame->action("other")->isChecked());
    EXPECT_FALSE(frame->action("en")->isChecked());
    EXPECT_EQ(editor().sendButton()->text(), q(readLanguageFile(mine)->at(53)));
}

// The close question and what each answer leaves: the window, the marker file, a saved set-up.
// The question itself is the file commands' (a failed or cancelled save is pinned there).
struct CloseCase {
    const char* name;
    bool changed;
    std::deque<QuestionAnswer> answers;
    bool closes;
};

class ClosePrompt : public FrameFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosePrompt, EachAnswerClosesOrKeepsTheWindowAndItsChanges) {
    const CloseCase& c = GetParam();
    if (c.changed) browseInto({wave("a.wav", 8000, 1.0)});
    boxes.answers = c.answers;
    const std::string target = scratch.folder() + "evening.cfg";
    dialog.answers.push_back(target);
    const size_t dialogs = dialog.requests.size();
    const std::string caption = state.frameWindowCaption;
    ASSERT_TRUE(exists(state.markerFilePath()));
    EXPECT_EQ(frame->close(), c.closes);
    EXPECT_NE(frame->isVisible(), c.closes);
    EXPECT_TRUE(exists(state.settingsFilePath()));  // written before the question
    EXPECT_NE(exists(state.markerFilePath()), c.closes);
    if (c.changed) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Do you want to save the changes?");
        EXPECT_EQ(boxes.shown[0].title, caption);
        EXPECT_TRUE(boxes.lastQuestionHadCancel);
    } else {
        EXPECT_TRUE(boxes.shown.empty());
    }
    // Yes asks for a name (the set-up has none yet); what the save writes is the file codec's.
    const bool savesAs = !c.answers.empty() && c.answers.front() == QuestionAnswer::Yes;
    ASSERT_EQ(dialog.requests.size(), dialogs + savesAs);
    EXPECT_EQ(exists(target), savesAs);
    if (c.closes) return;
    // Kept open, the changes are all there.
    EXPECT_EQ(editor().nameField(1)->text(), "a");
    EXPECT_TRUE(state.setupChanged());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ClosePrompt,
    ::testing::Values(CloseCase{"NothingChanged", false, {}, true},
                      CloseCase{"Cancel", true, {QuestionAnswer::Cancel}, false},
                      CloseCase{"No", true, {QuestionAnswer::No}, true},
                      CloseCase{"YesAndAName", true, {QuestionAnswer::Yes}, true}),
    [](const ::testing::TestParamInfo<CloseCase>& param) { return std::string(param.param.name); });

TEST_F(FrameWindowTest, ClosingDuringAnUploadAsksToCancelIt) {
    browseInto({wave("a.wav", 8000, 1.0)});
    state.markSaved();
    gate.hold();
    editor().sendToUnit();
    boxes.answers = {QuestionAnswer::No};
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "An upload is in progress. Cancel it and close the program?");
    EXPECT_TRUE(editor().uploadRunning());
    boxes.answers = {QuestionAnswer::Yes};
    EXPECT_FALSE(frame->close());  // closes once the upload has given the port up
    gate.release();
    ASSERT_TRUE(eventually([&] { return !frame->isVisible(); }, 30000));
    EXPECT_EQ(editor().lastUpload().verdict, UploadVerdict::Cancelled);
    EXPECT_FALSE(editor().connection().isConnected());
}

TEST_F(FrameWindowTest, FitsSmallScreensInEveryLanguageAndRemembersItsPlace) {
    browseInto({wave("a.wav", 8000, 1.0)});
    for (const char* language : {"en", "nl", "zh_s", "zh_t"}) {
        frame->action(language)->trigger();
        const QSize least = frame->minimumSizeHint();
        EXPECT_LE(least.width(), 1024) << language;
        EXPECT_LE(least.height(), 768 - 40) << language;  // room for a title bar and a panel
    }
    frame->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_FALSE(editor().tables()->sideBySide());
    frame->resize(1600, 900);
    QApplication::processEvents();
    EXPECT_TRUE(editor().tables()->sideBySide());
    const int wide = editor().nameField(1)->width();
    frame->resize(1900, 900);
    QApplication::processEvents();
    EXPECT_GT(editor().nameField(1)->width(), wide + 200);  // extra width goes to the file names

    state.markSaved();
    ASSERT_TRUE(frame->close());
    FrameWindow again(state, captions, desktop());
    EXPECT_EQ(again.size(), QSize(1900, 900));
}

TEST_F(FrameWindowTest, SavedSetupOpensAgain) {
    browseInto({wave("a.wav", 8000, 1.5), wave("b.wav", 8000, 1.0)});
    Q_EMIT editor().sequenceBox(1)->activated(2);
    dialog.answers.push_back(scratch.folder() + "morning.cfg");
    EXPECT_TRUE(frame->isWindowModified());
    // Never saved yet: Ctrl+S asks for a name, and the status bar says where the file went.
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialog.requests.back().mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(frame->windowTitle(), q(state.frameCaption + "morning.cfg[*]"));
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(editor().statusPanel(1)->text(), q("Status: Saved in " + scratch.folder() + "morning.cfg"));
    // The name stays in the caption through a language change.
    frame->action("nl")->trigger();
    EXPECT_TRUE(frame->windowTitle().endsWith("morning.cfg[*]"));
    // Empty the editor. A damaged set-up is refused naming its line and value, in the language
    // in use, and the window keeps the edits, their mark and their history.
    clearName(1);
    ASSERT_TRUE(editor().nameField(2)->text().isEmpty());
    std::string damaged = readText(scratch.folder() + "morning.cfg");
    damaged.replace(damaged.find("=True"), 5, "=maybe");
    scratch.write("bad.cfg", damaged);
    boxes.answers = {QuestionAnswer::No};
    dialog.answers.push_back(scratch.folder() + "bad.cfg");
    frame->action("Open")->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);  // the unsaved-changes question, then the refusal
    EXPECT_EQ(boxes.shown[1].text, state.texts.messageBox(UiTextTable::SetupFileMissing) +
                                       "\n\nbad.cfg, regel 1: \"maybe\" is geen True, False of getal");
    EXPECT_TRUE(editor().nameField(2)->text().isEmpty());
    EXPECT_TRUE(frame->windowTitle().endsWith("morning.cfg[*]"));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Undo")->isEnabled());
    frame->action("en")->trigger();

    // Then open the file again.
    boxes.answers = {QuestionAnswer::No};
    dialog.answers.push_back(scratch.folder() + "morning.cfg");
    frame->action("Open")->trigger();
    EXPECT_EQ(editor().nameField(2)->text(), "b");
    EXPECT_TRUE(editor().sizeLabel(3)->text().isEmpty());  // an empty slot has no size, not "0"
    EXPECT_EQ(editor().sequenceBox(1)->entryText(), " 2");
    EXPECT_EQ(editor().triggerTimeLabel(1)->text(), "1.00");
    EXPECT_EQ(frame->windowTitle(), q(state.frameCaption + "morning.cfg[*]"));
    EXPECT_FALSE(frame->isWindowModified());
    // An opened set-up starts a history of its own: nothing to undo, the keys change nothing.
    EXPECT_FALSE(frame->action("Undo")->isEnabled());
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor().nameField(2)->text(), "b");
}

TEST_F(FrameWindowTest, PrintoutAndHelpOpenInTheTextViewer) {
    browseInto({wave("a.wav", 8000, 1.0)});
    const std::string printout = scratch.folder() + "PrintSetup.txt";
    dialog.answers.push_back(printout);
    frame->action("Save_as_text_file")->trigger();
    ASSERT_EQ(viewer.shown, std::vector<std::string>{printout});

    // The help documents lie in the data folder (share/mmx4210 when installed).
    state.dataFolder = "/usr/share/mmx4210/";
    frame->action("Instructions_for_use")->trigger();
    frame->action("Contacts")->trigger();
    ASSERT_EQ(viewer.shown.size(), 3u);
    EXPECT_EQ(viewer.shown[1], "/usr/share/mmx4210/IFU Zanth Message manager.TXT");
    EXPECT_EQ(viewer.shown[2], "/usr/share/mmx4210/Contacts KDR.TXT");

    // A cancelled printout dialog shows nothing.
    frame->action("Save_as_text_file")->trigger();
    EXPECT_EQ(viewer.shown.size(), 3u);

    // A printout that cannot be written is reported, and no older one is shown.
    dialog.answers.push_back(scratch.folder() + "missing/PrintSetup.txt");
    frame->action("Save_as_text_file")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.rfind("The printout could not be written to " + scratch.folder() + "missing/", 0), 0u);
    EXPECT_EQ(viewer.shown.size(), 3u);
    // Without a viewer the status bar says where the printout is.
    viewer.starts = false;
    dialog.answers.push_back(printout);
    frame->action("Save_as_text_file")->trigger();
    EXPECT_EQ(editor().statusPanel(1)->text(), q("Status: No text viewer opened the printout; it is in " + printout));
    // Nor a help document (F1): the box says where it is.
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "No program on this system opened IFU Zanth Message manager.TXT. "
                                   "The document is in /usr/share/mmx4210/.");
}

TEST_F(FrameWindowTest, TheNextStartComesBackWithPortAndLanguage) {
    frame->action("ComP3")->trigger();
    frame->action("nl")->trigger();
    ASSERT_TRUE(frame->close());  // writes the settings file

    WindowState next;
    next.initialise(scratch.path().string());
    next.settingsFolder = next.appFolder;
    CaptionTable nextCaptions;
    FrameWindow again(next, nextCaptions, desktop());
    EXPECT_FALSE(again.action("nl")->isChecked());  // nothing is read before the activation
    again.startUp();
    EXPECT_EQ(next.settings.port.Commport, 3);
    EXPECT_TRUE(again.action("ComP3")->isChecked());
    EXPECT_TRUE(again.action("nl")->isChecked());
    EXPECT_EQ(again.editorWindow().sendButton()->text(),
              q(readLanguageFile(next.settings.builtInLanguageFolder + "nl.lng")->at(53)));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FrameWindowTest, AboutWritesTheSettingsBeforeShowingTheSplash) {
    frame->action("nl")->trigger();
    std::filesystem::remove(state.settingsFilePath());
    frame->action("About_Zanth_message_manager")->trigger();
    EXPECT_EQ(aboutShown, 1);
    ASSERT_TRUE(exists(state.settingsFilePath()));
    EXPECT_NE(readText(state.settingsFilePath()).find("nl.lng"), std::string::npos);
    // So the splash speaks the language in use.
    SplashWindow splash(state);
    splash.loadTexts();
    EXPECT_EQ(splash.Lb_Logo(0)->text(), q(readLanguageFile(state.settings.builtInLanguageFolder + "nl.lng")->at(0)));
}

}  // namespace mmx::test
