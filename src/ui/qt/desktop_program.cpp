#include "ui/qt/desktop_program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

#include "platform/qt/instance_marker.h"
#include "platform/serial/port_names.h"
#include "storage/data_folder.h"
#include "storage/settings_folder.h"
#include "ui/qt/editor_extensions.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/upload_runner.h"

namespace mmx {

DesktopProgram::DesktopProgram(const std::string& appFolder, QString instanceName)
    : instance_(std::move(instanceName)) {
    state_.initialise(appFolder, dataFolderFor(appFolder));
    // The settings file and the marker share one folder: beside the program when that is
    // writable, else the user's configuration folder.
    state_.settingsFolder = chooseSettingsFolder(state_.appFolder);
    state_.markerFolder = state_.settingsFolder;
}

DesktopProgram::~DesktopProgram() = default;

bool DesktopProgram::Main(bool withSplash) {
    if (const auto caption = ReadInstanceMarker(state_.markerFilePath())) state_.runningCaption = *caption;
    if (instance_.bringRunningCopyForward(state_.runningCaption, 2000, fileToOpen_)) return false;

    const std::string settingsFolder = state_.settingsFolder;
    FrameWindow::Services services;
    services.editor.dialog = &dialog_;
    services.editor.boxes = &boxes_;
    services.editor.player = &player_;
    services.editor.offerConversion = true;
    services.editor.portFactory = chosenPortFactory(settingsFolder, state_.settings.port);
    services.viewer = &viewer_;
    services.portDevice = [settingsFolder](int number) {
        std::string path = mapComPort(number, settingsFolder).path;
        const bool present = portDevicePresent(path);
        return FrameWindow::Services::PortDevice{std::move(path), present};
    };
    services.showAbout = [this] { showSplash(false); };
    frame_ = std::make_unique<FrameWindow>(state_, captions_, std::move(services));
    dialog_.setParent(frame_.get());
    boxes_.setParent(frame_.get());
    viewer_.setWindowParent(frame_.get());
    extensions_ = new EditorExtensions(*frame_, state_, EditorExtensions::Services{&dialog_, &boxes_, {}});

    instance_.listen([this] { return state_.frameWindowCaption; });
    connect(&instance_, &SingleInstance::raiseRequested, frame_.get(), &FrameWindow::bringForward);
    // A file handed over by a later start opens here, once this copy's own start is done.
    connect(&instance_, &SingleInstance::fileHanded, extensions_, [this](const QString& path) {
        QTimer::singleShot(0, extensions_, [this, path] { extensions_->openSetup(path.toStdString()); });
    });
    if (!fileToOpen_.empty()) {
        // After the editor's first activation (queued when it was shown): that reads the
        // settings file, which names the last set-up, and the file given here must win.
        connect(
            this, &DesktopProgram::editorShown, this,
            [this] { QTimer::singleShot(0, this, [this] { extensions_->openSetup(fileToOpen_); }); },
            Qt::SingleShotConnection);
    }
    connect(&termination_, &TerminationSignal::requested, this, &DesktopProgram::endOnRequest);

    if (withSplash)
        showSplash(true);
    else
        showFrame();
    return true;
}

// Asked to end by the session or a plain kill: close the way the close box does. A running
// upload is cancelled first (the port is closed cleanly, the unit is not left mid-frame) and a
// dialog the operator left open is dismissed, so the request is never lost.
void DesktopProgram::endOnRequest() {
    if (splash_) splash_->finish();
    if (!frame_->isVisible()) {
        QCoreApplication::quit();
        return;
    }
    EditorWindow& editor = frame_->editorWindow();
    if (editor.uploadRunning()) {
        connect(
            &editor.uploadRunner(), &UploadRunner::finished, this,
            [this] { QTimer::singleShot(0, this, &DesktopProgram::endOnRequest); }, Qt::SingleShotConnection);
        editor.uploadRunner().cancel();
        return;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        // Close once the dialog's own event loop has ended.
        QTimer::singleShot(0, this, &DesktopProgram::endOnRequest);
        return;
    }
    frame_->close();
}

void DesktopProgram::showSplash(bool atStart) {
    splash_ = std::make_unique<SplashWindow>(state_);
    if (atStart) connect(splash_.get(), &SplashWindow::closed, this, &DesktopProgram::showFrame);
    splash_->show();
}

void DesktopProgram::showFrame() {
    if (frame_->isVisible()) return;
    frame_->show();
    Q_EMIT editorShown();
}

}  // namespace mmx
