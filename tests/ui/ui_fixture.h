#pragma once
// A frame window with its editor, built on scripted desktop services and an in-process unit
// behind Com1, in a scratch program folder holding the built-in language files.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "device/clock.h"
#include "device/emulator_port.h"
#include "device/unit_emulator.h"
#include "platform/serial/open_advice.h"
#include "support/test_support.h"
#include "ui/lang/caption_table.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/frame_window.h"
#include "ui/qt/sequence_combo.h"
#include "ui_fakes.h"
#include "ui_gestures.h"

namespace mmx::test {

// Runs the event loop until the condition holds; false when it still does not after timeoutMs.
// Qt's QTRY_ macros cannot be used here: on a time-out they only leave the function, and
// GoogleTest would count the test as passed.
template <typename Condition>
bool eventually(Condition condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(10);
    }
    return true;
}

// Picks a choice from an entry's list, as the list's popup does.
inline void pick(SequenceCombo* combo, const QString& choice) {
    const int index = combo->findText(choice);
    ASSERT_GE(index, 0) << choice.toStdString();
    Q_EMIT combo->activated(index);
}

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(MMX_FONT_DIR, scratch.path() / "Font", std::filesystem::copy_options::recursive);
        state.initialise(scratch.path().string());
        state.settingsFolder = state.appFolder;
        FrameWindow::Services services = desktop();
        services.editor.portFactory = [this](const LinkSettings& settings, std::string& error)
            -> std::unique_ptr<BytePort> {
            if (settings.portNumber != 1) {
                // As a real adapter that another program holds.
                error = openFailureAdvice("/dev/ttyUSB" + std::to_string(settings.portNumber - 1), EBUSY);
                return nullptr;
            }
            return std::make_unique<GatedPort>(std::make_unique<EmulatorPort>(unit, clock), gate);
        };
        // Adapters on Com1..Com4 only.
        services.portDevice = [](int number) {
            return FrameWindow::Services::PortDevice{"/dev/ttyUSB" + std::to_string(number - 1), number <= 4};
        };
        services.showAbout = [this] { ++aboutShown; };
        frame = std::make_unique<FrameWindow>(state, captions, std::move(services));
        frame->startUp();
        frame->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        gate.release();
        state.markSaved();
        frame.reset();
    }

    // The scripted desktop a frame window of this test is built on (no unit, no port names).
    FrameWindow::Services desktop() {
        FrameWindow::Services services;
        services.editor.dialog = &dialog;
        services.editor.boxes = &boxes;
        services.editor.player = &player;
        services.editor.clock = &clock;
        services.viewer = &viewer;
        return services;
    }
    EditorWindow& editor() { return frame->editorWindow(); }

    // A mono 16-bit WAVE file of the given seconds at the given rate in the scratch folder.
    std::string wave(const std::string& name, uint32_t rate, double seconds, uint16_t channels = 1) {
        WaveShape shape;
        shape.sampleRate = rate;
        shape.channels = channels;
        shape.dataBytes = static_cast<uint32_t>(rate * 2 * seconds) * channels;
        return scratch.writeWave(name, shape);
    }
    // Fills slots 1..n through the Browse buttons with the given files.
    void browseInto(const std::vector<std::string>& files) {
        for (size_t i = 0; i < files.size(); ++i) {
            dialog.answers.push_back(files[i]);
            click(editor().browseButton(static_cast<int>(i + 1)));
        }
    }
    // Empties slot k's name field and leaves it, as an operator clearing a slot does.
    void clearName(int k) {
        QLineEdit* name = editor().nameField(k);
        name->setFocus();
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Delete);
        QTest::keyClick(name, Qt::Key_Return);
    }

    ScratchFolder scratch;
    WindowState state;
    CaptionTable captions;
    ScriptedDialog dialog;
    ScriptedBoxes boxes;
    FakePlayer player;
    RecordingViewer viewer;
    FakeClock clock;
    UnitEmulator unit;
    PortGate gate;  // held, an upload waits at its first byte for as long as a test needs
    int aboutShown = 0;
    std::unique_ptr<FrameWindow> frame;
};

}  // namespace mmx::test
