#pragma once
// The waveform column of the message table: one view per slot, placed in the slot's row,
// filled by the loader whenever a slot's file changes.
#include <QObject>
#include <array>
#include <string>

#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
#include "ui/qt/waveform_loader.h"

namespace mmx {

class EditorWindow;
class WaveformView;

class WaveformStrip final : public QObject {
    Q_OBJECT
public:
    WaveformStrip(EditorWindow& editor, const WindowState& state, QObject* parent = nullptr);

    // Follows the slots: a slot whose file changed is read again (off the window thread).
    void refresh();
    WaveformView* view(int slot) const { return views_.at(static_cast<size_t>(slot - 1)); }
    WaveformLoader& loader() { return *loader_; }
    // Every filled slot shows its waveform (or why it cannot).
    bool complete() const;

Q_SIGNALS:
    // The last waveform asked for has arrived.
    void allShown();

private:
    void place(EditorWindow& editor);
    void arrived(const WaveformLoader::Result& result);

    const WindowState& state_;
    WaveformLoader* loader_ = nullptr;
    std::array<WaveformView*, kSlotCount> views_{};
    std::array<std::string, kSlotCount> shownPath_{};
    std::array<bool, kSlotCount> pending_{};
};

}  // namespace mmx
