#pragma once
// Files dragged from the file manager onto the editor window: sound files dropped on a slot
// fill it and the slots after it, in the order given (a file the unit cannot play gets the
// conversion offer, as with Browse); a set-up file dropped anywhere opens. While dragging,
// the slot row (or the whole window, for a set-up) that would take the drop is highlighted.
#include <QObject>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>

#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"

class QDropEvent;
class QMimeData;
class QWidget;

namespace mmx {

class EditorWindow;

class SlotDrop final : public QObject {
    Q_OBJECT
public:
    // openSetup opens a dropped set-up file (after asking about unsaved changes).
    SlotDrop(EditorWindow& editor, const WindowState& state, std::function<void(const std::string&)> openSetup);

    // The slot whose row holds pos (editor window coordinates), 0 for none.
    int slotAt(const QPoint& pos) const;
    // What a drop at pos would do: the slot it fills first (0: none), or open a set-up.
    struct Target {
        int slot = 0;
        std::string setupFile;
        std::vector<std::string> files;
    };
    Target targetFor(const QMimeData& data, const QPoint& pos) const;

    // The highlight shown while dragging (hidden otherwise).
    QWidget* highlight() const { return highlight_; }
    // Files still waiting for a conversion to end before they are put in their slots.
    size_t waiting() const { return queue_.size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dragOver(QDropEvent* event);
    void showHighlight(const Target& target);
    void fill(int firstSlot, const std::vector<std::string>& files);
    void fillNext();

    EditorWindow& editor_;
    const WindowState& state_;
    std::function<void(const std::string&)> openSetup_;
    QWidget* highlight_ = nullptr;
    std::deque<std::pair<int, std::string>> queue_;
};

}  // namespace mmx
