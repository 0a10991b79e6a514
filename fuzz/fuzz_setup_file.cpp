// Any bytes as a set-up file: read without crashing, and a set-up that was accepted writes 280
// lines that read back to the same set-up.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/setup_codec.h"
#include "storage/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = mmx::splitLines(mmx::decodeText(bytes, mmx::CodePage::Windows1252).utf8);
    const auto setup = mmx::parseSetupLines(lines);
    if (!setup) return 0;
    const auto written = mmx::setupLines(*setup);
    if (written.size() != static_cast<size_t>(mmx::kSetupFileLines)) std::abort();
    const auto again = mmx::parseSetupLines(written);
    if (!again || *again != *setup) std::abort();
    return 0;
}
