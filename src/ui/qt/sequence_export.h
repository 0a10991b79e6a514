#pragma once
// "Export sequence…" in a trigger row's context menu: the row's messages one after the other,
// as the unit plays them, written as one WAVE file (to send to a colleague, say). Refused, with
// nothing written, as the command line refuses it.
#include <QObject>
#include <functional>
#include <string>

#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
#include "ui/app/dialogs.h"

class QMenu;

namespace mmx {

class EditorWindow;

class SequenceExport final : public QObject {
    Q_OBJECT
public:
    SequenceExport(EditorWindow& editor, const WindowState& state, FileDialog& dialog, MessageBoxes& boxes);

    // The trigger row under pos (trigger frame coordinates), 0 for none.
    int rowAt(const QPoint& pos) const;
    // The row's context menu (also for tests and pictures).
    QMenu* menuFor(int row, QWidget* parent);
    // Asks where to, then writes row's sequence. True when a file was written.
    bool exportRow(int row);
    // The refusal for row, in the words of the language in use; empty when it can be rendered.
    // paths receives the files it plays.
    QString refusal(int row, std::vector<std::string>& paths) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorWindow& editor_;
    const WindowState& state_;
    FileDialog& dialog_;
    MessageBoxes& boxes_;
    QWidget* frame_ = nullptr;
};

}  // namespace mmx
