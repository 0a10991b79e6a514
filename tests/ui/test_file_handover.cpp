// A file given to a second start goes to the running copy, which opens it; the first start
// makes the marker's folder the second start reads the running copy's caption from.
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/setup_files.h"
#include "platform/qt/instance_marker.h"
#include "platform/qt/single_instance.h"
#include "ui/qt/desktop_program.h"
#include "ui/qt/frame_window.h"
#include "ui_fixture.h"

namespace mmx::test {

namespace {

QString uniqueServerName(const char* what) {
    return QStringLiteral("mmx4210-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(what));
}

// A second start, in another thread so that this one keeps answering as the running copy.
bool handOver(const SingleInstance& second, const std::string& caption, const std::string& file) {
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

TEST(FileHandover, TheRunningCopyGetsTheFileWithTheRequest) {
    SingleInstance running(uniqueServerName("handover"));
    ASSERT_TRUE(running.listen([] { return std::string("caption"); }));
    QSignalSpy handed(&running, &SingleInstance::fileHanded);
    QSignalSpy raised(&running, &SingleInstance::raiseRequested);
    const SingleInstance second(uniqueServerName("handover"));
    EXPECT_TRUE(handOver(second, "caption", "/home/op/lobby east.cfg"));
    EXPECT_EQ(raised.count(), 1);
    ASSERT_EQ(handed.count(), 1);
    EXPECT_EQ(handed[0][0].toString(), "/home/op/lobby east.cfg");
    // Without a file it only comes forward; with a wrong caption nothing happens.
    EXPECT_TRUE(handOver(second, "caption", ""));
    EXPECT_FALSE(handOver(second, "other", "/x.cfg"));
    EXPECT_EQ(handed.count(), 1);
    EXPECT_EQ(raised.count(), 2);
}

TEST(FileHandover, FirstStartCreatesTheMarkerFolderAndASecondStartHandsItsFileOver) {
    ScratchFolder home;
    const std::string config = home.folder() + "fresh-account/config";
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = previous != nullptr ? previous : "";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    {
        DesktopProgram program(home.folder(), uniqueServerName("first-start"));
        ASSERT_TRUE(program.Main(false));
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(config + "/mmx4210/~MMX4210Temp"), 5000);

        const std::string lobby = home.folder() + "lobby.cfg";
        ASSERT_TRUE(app::saveSetup(lobby, mmx::Setup{}).ok);
        const auto caption = ReadInstanceMarker(config + "/mmx4210/~MMX4210Temp");
        ASSERT_TRUE(caption.has_value());
        const SingleInstance second(uniqueServerName("first-start"));
        EXPECT_TRUE(handOver(second, *caption, lobby));
        QTRY_COMPARE_WITH_TIMEOUT(program.state().settings.setupFile, std::string("lobby.cfg"), 5000);
        EXPECT_EQ(program.state().settings.setupFolder, home.folder());
        program.state().markSaved();
        program.frame().close();
    }
    if (restore.empty())
        unsetenv("XDG_CONFIG_HOME");
    else
        setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
}

}  // namespace
}  // namespace mmx::test
