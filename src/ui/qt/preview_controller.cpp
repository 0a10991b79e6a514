#include "ui/qt/preview_controller.h"

namespace mmx {

PreviewController::PreviewController(WindowState& state, Editor& editor, AudioPlayer& player,
                                     MessageBoxes& boxes)
    : state_(state), editor_(editor), player_(player), boxes_(boxes) {
    player_.setStoppedHandler([this] { playerStopped(); });
}

bool PreviewController::refuseWhilePortOpen() {
    if (!editor_.portOpen()) return false;
    boxes_.alert(state_.texts.messageBox(UiTextTable::BusyUploading), Editor::kTitle);
    return true;
}

void PreviewController::messageClicked(int slot) {
    if (refuseWhilePortOpen()) return;
    if (player_.isPlaying()) {
        // Stops only the message that plays; a running sequence goes on with its next entry.
        if (onMessageButton) onMessageButton(slot, false);
        player_.stop();
        return;
    }
    editor_.refreshSlotFromFile(slot);
    if (onSlotsChanged) onSlotsChanged();
    if (onMessageButton) onMessageButton(slot, true);
    if (!player_.play(state_.setup.slot(slot).path, kPreviewVolume)) {
        if (onMessageButton) onMessageButton(slot, false);
        player_.stop();
    }
}

void PreviewController::triggerClicked(int row) {
    if (refuseWhilePortOpen()) return;
    if (playingSequence_) {
        // Any row's button ends the running preview; it starts nothing new.
        if (onTriggerButton) onTriggerButton(row, false);
        endSequence(true);
        return;
    }
    const auto plan = previewPlan(state_.setup, row);
    steps_.fill(std::string());
    for (size_t c = 0; c < plan.size() && c < steps_.size(); ++c) steps_[c] = plan[c];
    sequenceRow_ = row;
    nextStep_ = 0;
    playingSequence_ = true;
    nextStep();
}

void PreviewController::nextStep() {
    while (playingSequence_ && nextStep_ < kEntriesPerTrigger) {
        // Every step first waits for the player, also one without a message; the wait ends
        // with the player's stopped notice (playerStopped).
        if (player_.isPlaying()) return;
        const std::string file = steps_[static_cast<size_t>(nextStep_)];
        ++nextStep_;
        if (file.empty()) continue;
        if (onTriggerButton) onTriggerButton(sequenceRow_, true);
        if (!player_.play(file, kPreviewVolume)) {
            if (onTriggerButton) onTriggerButton(sequenceRow_, false);
            endSequence(true);
            return;
        }
        // The last entry's message plays on its own; the preview is over as far as the
        // buttons are concerned.
        if (nextStep_ == kEntriesPerTrigger) playingSequence_ = false;
    }
    playingSequence_ = false;
}

void PreviewController::endSequence(bool stopPlayer) {
    // Cleared before stopping, so the stopped notice does not start the next entry.
    playingSequence_ = false;
    if (stopPlayer) player_.stop();
}

void PreviewController::playerStopped() {
    for (int k = 1; k <= kSlotCount; ++k)
        if (onMessageButton) onMessageButton(k, false);
    for (int row = 1; row <= kTriggerCount; ++row)
        if (onTriggerButton) onTriggerButton(row, false);
    if (!playingSequence_) return;
    if (defer)
        defer([this] { nextStep(); });
    else
        nextStep();
}

}  // namespace mmx
