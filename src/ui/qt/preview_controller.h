#pragma once
// The previews of the editor: one message from the message table, or a trigger's whole
// sequence, on the shared audio player. Waiting between the messages of a sequence is
// event-driven: the next message starts when the player reports that the last one stopped,
// so the window never blocks.
#include <array>
#include <functional>
#include <string>

#include "ui/app/dialogs.h"
#include "ui/app/editor.h"
#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
#include "platform/qt/audio_player.h"

namespace mmx {

class PreviewController {
public:
    static constexpr int kPreviewVolume = -600;  // hundredths of a decibel

    PreviewController(WindowState& state, Editor& editor, AudioPlayer& player, MessageBoxes& boxes);

    // Caption changes of the play buttons: true shows "-", false ">".
    std::function<void(int slot, bool playing)> onMessageButton;
    std::function<void(int row, bool playing)> onTriggerButton;
    // The message table changed (a preview reads its file again first).
    std::function<void()> onSlotsChanged;
    // Runs a step later on the window thread, outside the player's notification; by default at once.
    std::function<void(std::function<void()>)> defer;

    // A message play button: preview slot k, or stop whatever plays.
    void messageClicked(int slot);
    // A trigger play button: preview row's sequence, or stop the sequence that runs.
    void triggerClicked(int row);

    bool playingSequence() const { return playingSequence_; }

private:
    void playerStopped();
    void nextStep();
    void endSequence(bool stopPlayer);
    bool refuseWhilePortOpen();

    WindowState& state_;
    Editor& editor_;
    AudioPlayer& player_;
    MessageBoxes& boxes_;

    bool playingSequence_ = false;
    int sequenceRow_ = 0;
    std::array<std::string, kEntriesPerTrigger> steps_{};
    int nextStep_ = 0;
};

}  // namespace mmx
