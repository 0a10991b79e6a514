#pragma once
// The desktop program as a whole: start-up with the single-instance rule, the splash window,
// the frame window with the editor, and the desktop services they use.
#include <QObject>
#include <memory>
#include <string>

#include "ui/app/window_state.h"
#include "platform/qt/document_viewer.h"
#include "platform/qt/qt_audio_player.h"
#include "ui/qt/document_window.h"
#include "ui/qt/qt_file_dialog.h"
#include "ui/qt/qt_message_boxes.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/termination_signal.h"
#include "ui/lang/caption_table.h"
#include "ui/qt/frame_window.h"
#include "ui/qt/splash_window.h"

namespace mmx {

class EditorExtensions;

class DesktopProgram final : public QObject {
    Q_OBJECT
public:
    // appFolder: the folder that holds the program file.
    explicit DesktopProgram(const std::string& appFolder, QString instanceName = SingleInstance::serverNameForUser());
    ~DesktopProgram() override;

    // Start-up. False when a running copy was brought forward instead: this copy should end.
    // With showSplash false the frame window shows at once (used to time the start).
    bool Main(bool showSplash = true);
    // A set-up file to open once the editor shows; with a copy running, it is handed to that
    // copy instead. Before Main.
    void setFileToOpen(std::string path) { fileToOpen_ = std::move(path); }

    WindowState& state() { return state_; }
    FrameWindow& frame() { return *frame_; }
    EditorExtensions& extensions() { return *extensions_; }
    SplashWindow* splash() const { return splash_.get(); }
    SingleInstance& instance() { return instance_; }

Q_SIGNALS:
    // The frame window with the editor is on the screen.
    void editorShown();

private:
    void endOnRequest();
    void showSplash(bool atStart);
    void showFrame();

    WindowState state_;
    CaptionTable captions_;
    QtFileDialog dialog_;
    QtMessageBoxes boxes_;
    QtAudioPlayer player_;
    DocumentWindowViewer viewer_{boxes_};
    SingleInstance instance_;
    TerminationSignal termination_;
    std::unique_ptr<FrameWindow> frame_;
    std::unique_ptr<SplashWindow> splash_;
    EditorExtensions* extensions_ = nullptr;
    std::string fileToOpen_;
};

}  // namespace mmx
