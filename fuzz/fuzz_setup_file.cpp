// Any bytes as a set-up file: read, convert, apply and write again without crashing, and a
// file that was accepted writes back 280 lines that read to the same set-up.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/setup_file.h"
#include "storage/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = mmx::splitLines(mmx::decodeText(bytes, mmx::CodePage::Windows1252).utf8);
    const auto values = mmx::parseSetupFile(lines);
    if (!values) return 0;
    mmx::ProgramState state;
    state.initialise("/opt/mmx/");
    mmx::applySetup(state, *values);
    const auto written = mmx::setupFileLines(state);
    if (written.size() != static_cast<size_t>(mmx::kSetupFileLines)) std::abort();
    // Values holding a line break are refused by SaveConfig; all others must read back.
    for (const auto& line : written) {
        if (line.find_first_of("\r\n") != std::string::npos) return 0;
    }
    const auto again = mmx::parseSetupFile(written);
    if (!again) std::abort();
    mmx::ProgramState reread;
    reread.initialise("/opt/mmx/");
    mmx::applySetup(reread, *again);
    if (mmx::setupFileLines(reread) != written) std::abort();
    return 0;
}
