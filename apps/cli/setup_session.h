#pragma once
// What the set-up commands share: the program state as the desktop program would have it
// (settings file and language loaded, silently), and a set-up file opened into it.
#include <string>
#include <vector>

#include "collected_boxes.h"
#include "storage/file_outcome.h"
#include "ui/app/window_state.h"
#include "ui/link/upload_job.h"
#include "ui/lang/caption_table.h"

namespace mmx::cli {

struct SetupSession {
    WindowState state;
    CaptionTable captions;
    CollectedBoxes boxes;

    // Settings and language of the installed program, as at its start.
    SetupSession();
    // Opens the set-up file; on failure prints "<path>: <the system's text>" to stderr.
    bool open(const std::string& path, const std::string& command);
};

// Opens the set-up file at path into state, as the window's Open does; on failure state is unchanged.
FileOutcome openSetupInto(WindowState& state, const std::string& path);
// What an upload of the set-up in state starts from.
inline UploadSnapshot snapshotOf(const WindowState& state) {
    return UploadSnapshot{state.setup, state.settingsFolder, state.messagesUploaded};
}

}  // namespace mmx::cli
