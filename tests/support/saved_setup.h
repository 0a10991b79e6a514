#pragma once
// A set-up made in the editor and saved, for tests that hand one to the command-line tool.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "storage/setup_file.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"
#include "ui/app/editor.h"

namespace mmx::test {

// Slot k gets "mk.wav" with the given sound bytes (filled from k x 40); trigger 1 plays message
// 2 in `zone`. Returns the set-up file's path.
inline std::string savedSetup(const ScratchFolder& folder, const std::vector<std::pair<int, uint32_t>>& slots, int zone) {
    ProgramState state;
    state.loadDefaults();
    ScriptedFileDialog dialog;
    RecordingMessageBoxes boxes;
    Editor editor(state, dialog, boxes);
    for (const auto& [k, dataBytes] : slots) {
        WaveShape shape;
        shape.dataBytes = dataBytes;
        shape.fill = static_cast<uint8_t>(k * 40);
        EXPECT_EQ(editor.assignFile(k, folder.writeWave("m" + std::to_string(k) + ".wav", shape)), BrowseOutcome::Accepted);
    }
    editor.chooseEntry(entryIndex(1, 1), " 2");
    editor.setZone(zoneIndex(1, zone), 1);
    const std::string path = folder.folder() + "setup.cfg";
    EXPECT_TRUE(SaveConfig(state, path));
    return path;
}

}  // namespace mmx::test
