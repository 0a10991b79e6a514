#pragma once
// The set-up file as the editor's tables show it: the tables are turned into a Setup to be
// written, and a Setup read from a file is shown in them.
#include <string>
#include <vector>

#include "core/program_state.h"
#include "core/setup.h"
#include "storage/file_outcome.h"
#include "storage/setup_codec.h"

namespace mmx {

// The set-up the editor's tables show.
Setup setupOfEditor(const ProgramState& state);
// Shows a set-up in the editor's tables: every text, enabled state, list and total follows it.
void showSetup(ProgramState& state, const Setup& setup);

// The 280 lines of the set-up as the editor shows it (UTF-8, without line ends).
std::vector<std::string> setupFileLines(const ProgramState& state);

// Writes the set-up the editor shows to path, atomically: on failure the old file is untouched.
FileOutcome SaveConfig(ProgramState& state, const std::string& path);

// Reads the set-up at path and shows it, only when all 280 lines were read and accepted; sets
// MessagesUploaded then. On failure the editor is unchanged.
FileOutcome OpenConfig(ProgramState& state, const std::string& path);

}  // namespace mmx
