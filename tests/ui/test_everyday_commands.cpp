// The conveniences beside the tables: recent set-ups, a file handed to the running copy, the
// waveforms, the sequence export, spoken drafts, the upload time line and the document window.
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "core/wave_header.h"
#include "platform/speech/espeak_speech.h"
#include "platform/speech/program_runner.h"
#include "app/setup_files.h"
#include "audio/sequence_render.h"
#include "ui/qt/document_window.h"
#include "ui/qt/draft_command.h"
#include "ui/qt/draft_dialog.h"
#include "ui/qt/editor_extensions.h"
#include "ui/qt/recent_setups.h"
#include "ui/qt/sequence_export.h"
#include "ui/qt/upload_estimate_label.h"
#include "ui/qt/waveform_strip.h"
#include "ui/qt/waveform_view.h"
#include "ui_fixture.h"

namespace mmx::test {

namespace {

class EverydayTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        extensions = new EditorExtensions(*frame, state, EditorExtensions::Services{&dialog, &boxes, speech()});
    }
    virtual std::shared_ptr<const audio::SpeechSynthesiser> speech() { return {}; }
    std::string savedSetup(const std::string& name) {
        const std::string path = scratch.folder() + name;
        EXPECT_TRUE(app::saveSetup(path, mmx::Setup{}).ok);
        return path;
    }
    EditorExtensions* extensions = nullptr;
};

// --- Recent set-ups -------------------------------------------------------------------------

TEST_F(EverydayTest, RecentSetupsListTheNewestFirstAndMarkAMissingOne) {
    const std::string a = savedSetup("a.cfg"), b = savedSetup("b.cfg"), gone = savedSetup("gone.cfg");
    RecentSetups& recent = extensions->recent();
    for (const auto& path : {gone, a, b, a}) recent.note(path);
    std::filesystem::remove(gone);
    recent.rebuild();
    const QList<QAction*> items = recent.menu()->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&1  a.cfg");
    EXPECT_EQ(items[1]->text(), "&2  b.cfg");
    EXPECT_EQ(items[2]->text(), "&3  gone.cfg (missing)");
    EXPECT_EQ(state.settings.recentSetups, (std::vector<std::string>{a, b, gone}));

    // Choosing the missing one offers to take it off; No keeps it, Yes removes it.
    boxes.answers = {QuestionAnswer::No, QuestionAnswer::Yes};
    items[2]->trigger();
    EXPECT_EQ(state.settings.recentSetups.size(), 3u);
    recent.choose(gone);
    EXPECT_EQ(state.settings.recentSetups, (std::vector<std::string>{a, b}));

    // A present one opens.
    recent.choose(b);
    EXPECT_EQ(state.settings.setupFile, "b.cfg");
    EXPECT_EQ(state.settings.recentSetups.front(), b);
}

TEST_F(EverydayTest, OpenAndSaveAsPutTheSetupOnTheListOfSixInTheFileMenu) {
    const std::string opened = savedSetup("opened.cfg");
    dialog.choose(opened);
    frame->openSetup();
    ASSERT_FALSE(state.settings.recentSetups.empty());
    EXPECT_EQ(state.settings.recentSetups.front(), opened);
    dialog.choose(scratch.folder() + "copy.cfg");
    frame->saveSetupAs();
    EXPECT_EQ(state.settings.recentSetups.front(), scratch.folder() + "copy.cfg");

    for (int i = 1; i <= 8; ++i) extensions->recent().note(savedSetup("s" + std::to_string(i) + ".cfg"));
    EXPECT_EQ(state.settings.recentSetups.size(), 6u);
    EXPECT_EQ(state.settings.recentSetups.front(), scratch.folder() + "s8.cfg");
    EXPECT_EQ(state.settings.recentSetups.back(), scratch.folder() + "s3.cfg");
    // Before Exit in the File menu.
    const QList<QAction*> file = frame->menu("File")->actions();
    const auto recentAt = file.indexOf(extensions->recent().menu()->menuAction());
    ASSERT_GE(recentAt, 0);
    EXPECT_LT(recentAt, file.indexOf(frame->action("Exit")));
    EXPECT_FALSE(extensions->recent().menu()->menuAction()->toolTip().isEmpty());
}

// --- Waveforms ------------------------------------------------------------------------------

TEST_F(EverydayTest, WaveformsAreReadOffTheWindowThreadAndShowLoudness) {
    QSignalSpy delivered(&extensions->waveforms().loader(), &WaveformLoader::ready);
    browseInto({wave("one.wav", 8000, 1.0), wave("two.wav", 16000, 0.5)});
    extensions->follow();
    ASSERT_TRUE(eventually([&] { return extensions->waveforms().complete(); }, 5000));
    // The pictures first, then the figures.
    ASSERT_TRUE(eventually([&] { return extensions->waveforms().view(2)->toolTip().contains("LUFS"); }, 5000));
    ASSERT_TRUE(eventually([&] { return extensions->waveforms().view(1)->toolTip().contains("LUFS"); }, 5000));
    ASSERT_EQ(delivered.count(), 4);
    for (const auto& arguments : delivered) {
        const auto result = arguments[0].value<WaveformLoader::Result>();
        EXPECT_NE(result.readOn, std::this_thread::get_id());
    }
    for (int k : {1, 2}) {
        WaveformView* view = extensions->waveforms().view(k);
        EXPECT_TRUE(view->isVisible());
        EXPECT_TRUE(view->showsWaveform());
        EXPECT_FALSE(view->accessibleName().isEmpty());
    }
    EXPECT_EQ(extensions->waveforms().view(1)->summary()->rate, 8000u);
    EXPECT_FALSE(extensions->waveforms().view(3)->showsWaveform());
    // Emptying a slot clears its picture.
    clearName(2);
    extensions->follow();
    EXPECT_FALSE(extensions->waveforms().view(2)->showsWaveform());
    EXPECT_TRUE(extensions->waveforms().view(2)->toolTip().isEmpty());
}

TEST(WaveformToolTip, SaysWhereItClipsAndWhenItIsADraft) {
    audio::WaveformSummary summary;
    summary.ok = true;
    summary.integratedLufs = -16.04;
    summary.truePeakDb = -0.96;
    summary.columns = {audio::WaveformColumn{-0.5f, 0.5f, false}};
    EXPECT_EQ(waveformToolTip(summary, false), "Measuring loudness and true peak…");
    summary.loudnessMeasured = true;
    EXPECT_EQ(waveformToolTip(summary, false), "Loudness -16.0 LUFS, true peak -1.0 dBTP");
    summary.columns.push_back(audio::WaveformColumn{-1.0f, 1.0f, true});
    EXPECT_EQ(waveformToolTip(summary, true), "Loudness -16.0 LUFS, true peak -1.0 dBTP\n"
                                              "The sound clips where the waveform is red.\n"
                                              "A spoken draft: replace it with the real recording.");
}

// --- Sequence export ------------------------------------------------------------------------

TEST_F(EverydayTest, ExportWritesTheRowsMessagesInTheirOrderAsOneFile) {
    const std::string low = wave("low.wav", 8000, 1.0), high = wave("high.wav", 16000, 0.5);
    browseInto({low, high});
    pick(editor().sequenceBox(entryIndex(3, 1)), " 1");
    pick(editor().sequenceBox(entryIndex(3, 2)), " 2");
    pick(editor().sequenceBox(entryIndex(3, 3)), " 1");
    QMenu* menu = extensions->sequenceExport().menuFor(3, frame.get());
    QAction* item = menu->findChild<QAction*>("ExportSequence");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    const std::string out = scratch.folder() + "trigger-3.wav";
    dialog.choose(out);
    item->trigger();
    ASSERT_TRUE(std::filesystem::exists(out)) << (boxes.shown.empty() ? "" : boxes.shown[0].text);
    // The row's entries in their order; how they are joined is the renderer's.
    EXPECT_EQ(readText(out), audio::renderSequence({low, high, low}).waveBytes);
    EXPECT_EQ(dialog.requests.back().fileName, "trigger-3.wav");
    EXPECT_EQ(editor().statusPanel(1)->text(), q("Status: Trigger 3: 2.50 s written to " + out));
}

TEST_F(EverydayTest, ExportRefusesWhatTheCommandLineRefuses) {
    const std::string message = wave("only.wav", 8000, 1.0);
    browseInto({message});
    // A row without messages offers no export.
    EXPECT_FALSE(extensions->sequenceExport().menuFor(4, frame.get())->findChild<QAction*>("ExportSequence")->isEnabled());
    EXPECT_FALSE(extensions->sequenceExport().exportRow(4));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Trigger 4 plays no message; nothing was written.");
    // The output never replaces one of the set-up's messages.
    pick(editor().sequenceBox(entryIndex(1, 1)), " 1");
    dialog.choose(message);
    EXPECT_FALSE(extensions->sequenceExport().exportRow(1));
    EXPECT_EQ(boxes.shown.back().text, message + " is the set-up file or one of its messages; it is never overwritten.");
    EXPECT_EQ(readBytes(message).size(), 44u + 16000u);
    // A message that no longer passes the unit's check: the message table's own words.
    std::filesystem::copy_file(wave("stereo.wav", 8000, 1.0, 2), message, std::filesystem::copy_options::overwrite_existing);
    dialog.choose(scratch.folder() + "out.wav");
    EXPECT_FALSE(extensions->sequenceExport().exportRow(1));
    EXPECT_EQ(boxes.shown.back().text, "only.wav: " + state.texts.messageBox(UiTextTable::NotMono) + "\nNothing was written.");
    EXPECT_FALSE(std::filesystem::exists(scratch.folder() + "out.wav"));
}

// --- Spoken drafts --------------------------------------------------------------------------

TEST_F(EverydayTest, ADraftIsSpokenSavedBesideTheSetupAndPutInTheSlot) {
    if (platform::findProgram(platform::kSpeechProgram, std::getenv("PATH") ? std::getenv("PATH") : "").empty())
        GTEST_SKIP() << "espeak-ng is not installed";
    state.settings.setupFolder = scratch.folder();
    QMenu menu;
    QAction* entry = extensions->drafts().addEntry(menu, 1);
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_FALSE(extensions->drafts().addEntry(menu, 2)->isEnabled());  // slot 1 first
    DraftDialog* draft = extensions->drafts().start(1);
    ASSERT_NE(draft, nullptr);
    QSignalSpy placed(&extensions->drafts(), &DraftCommand::draftPlaced);
    draft->textField()->setPlainText(QStringLiteral("Please leave the building"));
    draft->languageChoice()->setCurrentIndex(draft->languageChoice()->findData("en"));
    QTest::mouseClick(draft->speakButton(), Qt::LeftButton);
    ASSERT_TRUE(eventually([&] { return placed.count() == 1; }, 20000)) << placed.count();
    const std::string path = scratch.folder() + "draft-1-please-leave-the-building.wav";
    EXPECT_EQ(placed[0][1].toString().toStdString(), path);
    EXPECT_EQ(state.setup.slot(1).path, path);
    EXPECT_TRUE(ReadWaveHeader(path).accepted);
    EXPECT_EQ(editor().nameField(1)->text(), "draft-1-please-leave-the-building");
    editor().undo();  // the draft was put in as an edit of its own
    EXPECT_FALSE(state.setup.slot(1).filled());
    editor().redo();
    extensions->follow();
    ASSERT_TRUE(eventually([&] { return extensions->waveforms().view(1)->toolTip().contains("LUFS"); }, 5000));
    EXPECT_TRUE(extensions->waveforms().view(1)->toolTip().contains("spoken draft"));
}

class NoSpeechTest : public EverydayTest {
protected:
    std::shared_ptr<const audio::SpeechSynthesiser> speech() override {
        return std::make_shared<platform::EspeakSpeech>(scratch.folder() + "empty-path");
    }
};

TEST_F(NoSpeechTest, WithoutTheSpeechProgramTheEntrySaysHowToInstallIt) {
    QMenu menu;
    QAction* entry = extensions->drafts().addEntry(menu, 1);
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_TRUE(entry->text().contains("sudo apt install espeak-ng")) << entry->text().toStdString();
    // The dialog, opened all the same, says it too and leaves the slot empty.
    DraftDialog* draft = extensions->drafts().start(1);
    draft->textField()->setPlainText(QStringLiteral("Hallo"));
    QSignalSpy spoken(draft, &DraftDialog::spoken);
    draft->speak();
    ASSERT_TRUE(eventually([&] { return spoken.count() == 1; }, 5000)) << spoken.count();
    EXPECT_FALSE(spoken[0][0].toBool());
    EXPECT_TRUE(draft->note()->text().contains("espeak-ng"));
    EXPECT_FALSE(state.setup.slot(1).filled());
    draft->close();
}

// --- The upload time line -------------------------------------------------------------------

TEST_F(EverydayTest, TheTimeLineFollowsTheSetup) {
    UploadEstimateLabel* line = extensions->estimateLabel();
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_FALSE(line->toolTip().isEmpty());
    browseInto({wave("one.wav", 22050, 10.0)});
    extensions->follow();
    const QString full = line->text();
    EXPECT_TRUE(full.startsWith("full upload, about ")) << full.toStdString();
    browseInto({wave("one.wav", 22050, 10.0), wave("two.wav", 22050, 30.0)});
    extensions->follow();
    EXPECT_NE(line->text(), full);
    state.messagesUploaded = true;
    extensions->follow();
    EXPECT_TRUE(line->text().startsWith("tables only, about ")) << line->text().toStdString();
    // The whole memory at the default line.
    line->showEstimate(unit::kCapacityBytes, 12, false, LineSettings{});
    EXPECT_TRUE(line->text().startsWith("full upload, about 14 min")) << line->text().toStdString();
    line->showEstimate(unit::kCapacityBytes, 12, true, LineSettings{});
    EXPECT_EQ(line->text(), "tables only, about 1 s");
}

struct DurationCase {
    double seconds;
    const char* text;
};
class Duration : public ::testing::TestWithParam<DurationCase> {};
TEST_P(Duration, ReadsAsPeopleSayIt) { EXPECT_EQ(UploadEstimateLabel::durationText(GetParam().seconds), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Times, Duration,
                         ::testing::Values(DurationCase{2.2, "about 3 s"}, DurationCase{59.0, "about 59 s"},
                                           DurationCase{60.0, "about 1 min"}, DurationCase{856.0, "about 14 min 20 s"},
                                           DurationCase{864.0, "about 14 min 20 s"}, DurationCase{866.0, "about 14 min 30 s"}));

// --- Documents ------------------------------------------------------------------------------

struct OpenerCase {
    const char* program;
    bool byDesktop;
};
class DocumentOpener : public ::testing::TestWithParam<OpenerCase> {};

TEST_P(DocumentOpener, WhatTheSystemCannotOpenShowsInOurOwnWindow) {
    ScratchFolder folder;
    const std::string document = folder.write("IFU.TXT", std::string("Instructions\r\nline two\r\n"));
    RecordingMessageBoxes boxes;
    DocumentWindowViewer viewer(boxes, GetParam().program);
    QSignalSpy handled(&viewer, &DocumentWindowViewer::handled);
    EXPECT_TRUE(viewer.show(document));
    ASSERT_TRUE(eventually([&] { return handled.count() == 1; }, 5000)) << handled.count();
    EXPECT_EQ(handled[0][1].toBool(), GetParam().byDesktop);
    if (GetParam().byDesktop) {
        EXPECT_EQ(viewer.window(), nullptr);
    } else {
        ASSERT_NE(viewer.window(), nullptr);
        EXPECT_TRUE(viewer.window()->isVisible());
        EXPECT_TRUE(viewer.window()->findChild<QPlainTextEdit*>()->toPlainText().contains("line two"));
        viewer.window()->close();
    }
    EXPECT_TRUE(boxes.shown.empty());
}
INSTANTIATE_TEST_SUITE_P(Openers, DocumentOpener,
                         ::testing::Values(OpenerCase{"true", true}, OpenerCase{"false", false},
                                           OpenerCase{"/nonexistent/opener", false}));

TEST(DocumentOpenerMissing, AMissingDocumentIsSaidSo) {
    RecordingMessageBoxes boxes;
    DocumentWindowViewer viewer(boxes, "true");
    EXPECT_TRUE(viewer.show("/nonexistent/IFU Zanth Message manager.TXT"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "The document /nonexistent/IFU Zanth Message manager.TXT cannot be found.");
}

}  // namespace
}  // namespace mmx::test
