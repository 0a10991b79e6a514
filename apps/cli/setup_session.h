#pragma once
// What the set-up commands share: the program state as the desktop program would have it
// (settings file and language loaded, silently), and a set-up file opened into it.
#include <string>
#include <vector>

#include "collected_boxes.h"
#include "core/program_state.h"
#include "ui/lang/caption_table.h"

namespace mmx::cli {

struct SetupSession {
    ProgramState state;
    CaptionTable captions;
    CollectedBoxes boxes;

    // Settings and language of the installed program, as at its start.
    SetupSession();
    // Opens the set-up file; on failure prints "<path>: <the system's text>" to stderr.
    bool open(const std::string& path, const std::string& command);
};

}  // namespace mmx::cli
