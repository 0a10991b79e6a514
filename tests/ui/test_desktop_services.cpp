// The desktop services behind the windows: the single-instance lookup with the file a second
// start hands over, the marker file, the termination signal, the text viewer started without a
// shell, the file-dialog filters, the audio player and the splash window.
#include <QApplication>
#include <QDialog>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/setup_files.h"

#include "platform/qt/document_viewer.h"
#include "platform/qt/instance_marker.h"
#include "platform/qt/qt_audio_player.h"
#include "ui/qt/qt_file_dialog.h"
#include "platform/qt/single_instance.h"
#include "ui/qt/desktop_program.h"
#include "ui/qt/splash_window.h"
#include "ui_fixture.h"

namespace mmx::test {

namespace {

QString uniqueServerName(const char* what) {
    return QStringLiteral("mmx4210-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(what));
}

// Asks from another thread, as a second copy of the program would, while this thread keeps
// answering as the running copy.
bool askRunningCopy(const SingleInstance& second, const std::string& caption, const std::string& file = "") {
    std::atomic<bool> done{false};
    bool answer = false;
    std::thread start([&] {
        answer = second.bringRunningCopyForward(caption, 5000, file);
        done = true;
    });
    while (!done) QApplication::processEvents(QEventLoop::AllEvents, 10);
    start.join();
    return answer;
}

}  // namespace

TEST(SingleInstance, NoRunningCopyMeansANormalStart) {
    SingleInstance nobody(uniqueServerName("nobody"));
    EXPECT_FALSE(nobody.bringRunningCopyForward("MMX 4210 Zanth Message Manager Setup  Ver. 2.3  ", 500));
    // The first copy takes the name; a second listener on it is refused while it lives.
    EXPECT_TRUE(nobody.listen([] { return std::string("x"); }));
    SingleInstance rival(uniqueServerName("nobody"));
    EXPECT_FALSE(rival.listen([] { return std::string("y"); }));
}

TEST(DesktopProgramEnd, ATerminationRequestDismissesAnOpenDialogAndStillCloses) {
    ScratchFolder folder;
    DesktopProgram program(folder.folder(), uniqueServerName("terminate"));
    ASSERT_TRUE(program.Main(false));
    ASSERT_TRUE(eventually([&] { return program.frame().isVisible(); }, 5000));
    program.state().markSaved();

    // A dialog the operator left open when the session ends. Should the request be lost, the
    // test itself ends the dialog after a while so that it fails instead of hanging.
    bool dialogEnded = false;
    bool endedByTheTest = false;
    QTimer::singleShot(0, [&] {
        QDialog dialog(&program.frame());
        dialog.setModal(true);
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [&] {
            endedByTheTest = true;
            dialog.reject();
        });
        safety.start(3000);
        QTimer::singleShot(50, [] { std::raise(SIGTERM); });
        dialog.exec();
        dialogEnded = true;
    });
    ASSERT_TRUE(eventually([&] { return dialogEnded; }, 10000));
    EXPECT_FALSE(endedByTheTest);
    ASSERT_TRUE(eventually([&] { return !program.frame().isVisible(); }, 5000));
    EXPECT_FALSE(std::filesystem::exists(program.state().markerFilePath()));
}

TEST(InstanceMarker, OneLineWithTheCaption) {
    ScratchFolder folder;
    const std::string marker = folder.folder() + "~MMX4210Temp";
    // Read back and removed by the windows' own tests (a second start, the closing).
    ASSERT_TRUE(WriteInstanceMarker(marker, "MMX 4210 Zanth Message Manager Setup  Ver. 2.3  set.cfg"));
    const std::string expected = "MMX 4210 Zanth Message Manager Setup  Ver. 2.3  set.cfg\r\n";
    EXPECT_EQ(readBytes(marker), std::vector<uint8_t>(expected.begin(), expected.end()));
    EXPECT_FALSE(WriteInstanceMarker(folder.folder() + "missing/~MMX4210Temp", "x"));
}

TEST(DocumentViewer, GetsThePathAsOneArgumentWithoutAShell) {
    ScratchFolder folder;
    // A stand-in viewer that records how many arguments it got and the first one.
    const std::string record = folder.folder() + "arguments.txt";
    const std::string viewerScript = folder.write("viewer.sh", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"" +
                                                                   record + ".part\"\nmv \"" + record + ".part\" \"" +
                                                                   record + "\"\n");
    std::filesystem::permissions(viewerScript, std::filesystem::perms::owner_all);
    const std::string document = folder.folder() + "IFU Zanth Message manager; $(touch pwned) `id`.TXT";
    DesktopDocumentViewer viewer(viewerScript);
    viewer.show(document);
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(record); }, 10000));
    EXPECT_EQ(readText(record), "1|" + document);
    EXPECT_FALSE(std::filesystem::exists(folder.folder() + "pwned"));
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST(FileDialogFilters, PairsBecomeQtNameFilters) {
    EXPECT_EQ(QtFileDialog::nameFilters("All Files (*.*)|*.*|Message Files (*.cfg)|*.cfg"),
              (QStringList{"All Files (*)", "Message Files (*.cfg)"}));
    EXPECT_TRUE(QtFileDialog::nameFilters("").isEmpty());
}

TEST(AudioPlayer, NothingPlayableEndsQuietly) {
    QtAudioPlayer player;
    int stopped = 0;
    player.setStoppedHandler([&] { ++stopped; });
    EXPECT_FALSE(player.play("/nonexistent/file.wav", -600));
    EXPECT_FALSE(player.play("", -600));
    EXPECT_FALSE(player.isPlaying());
    player.stop();
    EXPECT_EQ(stopped, 0);
    EXPECT_NEAR(QtAudioPlayer::linearVolume(-600), 0.501, 0.001);

    // A real message: without a sound device it ends at once; with one it plays until stopped.
    ScratchFolder folder;
    mmx::test::WaveShape shape;
    shape.dataBytes = 8000;
    const std::string message = folder.writeWave("message.wav", shape);
    if (QMediaDevices::audioOutputs().isEmpty()) {
        EXPECT_FALSE(player.play(message, -600));
        EXPECT_FALSE(player.isPlaying());
    } else if (player.play(message, -600)) {
        EXPECT_TRUE(player.isPlaying());
        player.stop();
        EXPECT_FALSE(player.isPlaying());
        EXPECT_EQ(stopped, 1);
    }
    EXPECT_FLOAT_EQ(QtAudioPlayer::linearVolume(0), 1.0f);
}

TEST(Splash, AKeyClosesItOnceAndThePictureFollowsTheScreen) {
    // A program folder of its own, settings beside it: nothing of the account's is read.
    ScratchFolder folder;
    WindowState state;
    state.initialise(folder.folder());
    state.settingsFolder = state.appFolder;
    SplashWindow splash(state);
    QSignalSpy closed(&splash, &SplashWindow::closed);
    EXPECT_EQ(splash.Lb_Logo(0)->text(), "message manager set up");
    EXPECT_EQ(splash.Lb_Logo(1)->text(), "MMX4210/00 set up");
    EXPECT_TRUE(splash.Lb_Logo(4)->text().startsWith("Release 2.3"));
    EXPECT_TRUE(splash.Lb_Logo(9)->text().isEmpty());
    EXPECT_EQ(splash.versionLabel()->text(), QStringLiteral("mmx4210 " MMX_VERSION));

    splash.showPictureFor(120);
    EXPECT_EQ(splash.pictureInFront(), 2);
    splash.showPictureFor(144);  // neither: the order stays
    EXPECT_EQ(splash.pictureInFront(), 2);
    splash.showPictureFor(96);
    EXPECT_EQ(splash.pictureInFront(), 1);

    splash.show();
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_TRUE(splash.finished());
    EXPECT_FALSE(splash.isVisible());
    splash.finish();
    EXPECT_EQ(closed.count(), 1);
}

TEST(FileHandover, FirstStartCreatesTheMarkerFolderAndASecondStartRaisesItWithItsFile) {
    ScratchFolder home;
    const std::string config = home.folder() + "fresh-account/config";
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = previous != nullptr ? previous : "";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    {
        DesktopProgram program(home.folder(), uniqueServerName("first-start"));
        ASSERT_TRUE(program.Main(false));
        ASSERT_TRUE(eventually([&] { return std::filesystem::exists(config + "/mmx4210/~MMX4210Temp"); }, 5000));

        const std::string lobby = home.folder() + "lobby.cfg", stale = home.folder() + "stale.cfg";
        ASSERT_TRUE(app::saveSetup(lobby, mmx::Setup{}).ok && app::saveSetup(stale, mmx::Setup{}).ok);
        program.frame().showMinimized();
        QApplication::processEvents();
        // The second start reads the caption from the marker file the running copy wrote.
        const auto caption = ReadInstanceMarker(config + "/mmx4210/~MMX4210Temp");
        ASSERT_TRUE(caption.has_value());
        const SingleInstance second(uniqueServerName("first-start"));
        EXPECT_TRUE(askRunningCopy(second, *caption, lobby));
        EXPECT_FALSE(program.frame().isMinimized());
        ASSERT_TRUE(eventually([&] { return program.state().settings.setupFile == "lobby.cfg"; }, 5000))
            << program.state().settings.setupFile;
        EXPECT_EQ(program.state().settings.setupFolder, home.folder());
        // A stale caption or an empty one finds no window, and hands nothing over: that start
        // goes on normally.
        EXPECT_FALSE(askRunningCopy(second, "another caption", stale));
        EXPECT_FALSE(askRunningCopy(second, ""));
        QApplication::processEvents();
        EXPECT_EQ(program.state().settings.setupFile, "lobby.cfg");
        program.state().markSaved();
        program.frame().close();
    }
    if (restore.empty())
        unsetenv("XDG_CONFIG_HOME");
    else
        setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
}

}  // namespace mmx::test
