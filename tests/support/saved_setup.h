#pragma once
// A set-up saved as a file, for tests that hand one to the command-line tool.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/setup.h"
#include "storage/setup_codec.h"
#include "support/test_support.h"

namespace mmx::test {

// Slot k as the WAVE check finds "mk.wav", written into folder with the given sound bytes (filled
// from k x 40).
inline Slot generatedSlot(const ScratchFolder& folder, int k, uint32_t dataBytes) {
    const std::string name = "m" + std::to_string(k);
    const std::string path = folder.writeWave(name + ".wav", {.dataBytes = dataBytes, .fill = static_cast<uint8_t>(k * 40)});
    return Slot{path, name, ReadWaveHeader(path).info};
}

// Slot k gets generatedSlot(folder, k, ...); slots may leave gaps, as a hand-edited file can.
// Trigger 1 plays message 2 in `zone`. Returns the set-up file's path.
inline std::string savedSetup(const ScratchFolder& folder, const std::vector<std::pair<int, uint32_t>>& slots, int zone) {
    Setup setup;
    for (const auto& [k, dataBytes] : slots) setup.slot(k) = generatedSlot(folder, k, dataBytes);
    setup.trigger(1).sequence[0] = 2;
    setup.trigger(1).zones = static_cast<uint8_t>(1u << (zone - 1));
    const std::string path = folder.folder() + "setup.cfg";
    EXPECT_TRUE(writeSetupFile(path, setup));
    return path;
}

}  // namespace mmx::test
