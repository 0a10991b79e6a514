#pragma once
// A set-up made with the edits the window makes and saved, for tests that hand one to the
// command-line tool.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/setup_edits.h"
#include "app/setup_files.h"
#include "support/test_support.h"

namespace mmx::test {

// Slot k gets "mk.wav" with the given sound bytes (filled from k x 40); trigger 1 plays message
// 2 in `zone`. Returns the set-up file's path.
inline std::string savedSetup(const ScratchFolder& folder, const std::vector<std::pair<int, uint32_t>>& slots, int zone) {
    Setup setup;
    for (const auto& [k, dataBytes] : slots) {
        WaveShape shape;
        shape.dataBytes = dataBytes;
        shape.fill = static_cast<uint8_t>(k * 40);
        // Set directly, so that a test may leave a gap the window would not (slots 1, 2 and 4).
        const std::string path = folder.writeWave("m" + std::to_string(k) + ".wav", shape);
        setup.slot(k) = Slot{path, app::shownNameFor(path), ReadWaveHeader(path).info};
    }
    EXPECT_EQ(app::setEntry(setup, 1, 1, 2), app::EditVerdict::Done);
    EXPECT_EQ(app::setZone(setup, 1, zone, true), app::EditVerdict::Done);
    const std::string path = folder.folder() + "setup.cfg";
    EXPECT_TRUE(app::saveSetup(path, setup));
    return path;
}

}  // namespace mmx::test
