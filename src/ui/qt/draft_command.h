#pragma once
// "Speak a draft…" in an empty slot's context menu: the draft dialog, then the draft saved
// beside the set-up as "draft-<slot>-<words>.wav" and put in the slot.
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "audio/spoken_draft.h"
#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
#include "ui/app/dialogs.h"

class QAction;
class QMenu;

namespace mmx {

class DraftDialog;
class EditorWindow;

class DraftCommand final : public QObject {
    Q_OBJECT
public:
    // speech: what speaks (the espeak-ng program when none is given).
    DraftCommand(EditorWindow& editor, WindowState& state, MessageBoxes& boxes,
                 std::shared_ptr<const audio::SpeechSynthesiser> speech = {});

    // Whether slot can take a draft now: it is empty and the slots before it are filled.
    bool canTake(int slot) const;
    // The menu entry for slot, added to menu: "Speak a draft…", or how to install the speech
    // program when it is missing.
    QAction* addEntry(QMenu& menu, int slot);
    // Opens the dialog for slot (not blocking); the draft goes into the slot when it is made.
    DraftDialog* start(int slot);
    // The folder drafts are saved in: the set-up's.
    std::string folder() const;

Q_SIGNALS:
    // The draft was saved at path and put in slot (or refused by the slot's checks).
    void draftPlaced(int slot, const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(int slot, const DraftDialog& dialog);

    EditorWindow& editor_;
    WindowState& state_;
    MessageBoxes& boxes_;
    std::shared_ptr<const audio::SpeechSynthesiser> speech_;
    QPointer<DraftDialog> dialog_;
};

}  // namespace mmx
