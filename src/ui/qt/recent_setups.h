#pragma once
// File > Recent set-ups: the last six set-up files opened or saved, newest first, kept in the
// settings file. A file that is no longer there is marked; choosing it offers to take it off
// the list.
#include <QObject>
#include <functional>
#include <string>

#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
#include "ui/app/dialogs.h"

class QMenu;

namespace mmx {

class RecentSetups final : public QObject {
    Q_OBJECT
public:
    // open opens a set-up file from the list (after asking about unsaved changes).
    RecentSetups(QMenu& fileMenu, WindowState& state, MessageBoxes& boxes,
                 std::function<void(const std::string&)> open, QObject* parent = nullptr);

    // A set-up file was opened or saved: it goes to the top of the list.
    void note(const std::string& path);
    // The submenu, filled afresh each time it opens.
    QMenu* menu() const { return menu_; }
    void rebuild();
    // The item of a recent file chosen (also for tests).
    void choose(const std::string& path);
    void applyTexts();

private:
    WindowState& state_;
    MessageBoxes& boxes_;
    std::function<void(const std::string&)> open_;
    QMenu* menu_ = nullptr;
};

}  // namespace mmx
