// Any bytes as a settings file: the full reader and the splash window's reader never crash,
// and whatever they apply keeps the port number and time-out within their ranges.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/settings_file.h"
#include "storage/text_codec.h"
#include "storage/value_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = mmx::splitLines(mmx::decodeText(bytes, mmx::CodePage::Windows1252).utf8);
    mmx::ProgramState state;
    state.initialise("/opt/mmx/");
    mmx::applySettingsLines(state, lines);
    if (state.port.Commport < 1 || state.port.Commport > 10) std::abort();
    if (state.port.CommTimeOut < mmx::kMinCommTimeOutMs) std::abort();
    for (const auto* folder : {&state.strLNGFilePath, &state.stroLNGFilePath, &state.strMSGFilePath, &state.strWAVFilePath}) {
        if (folder->empty() || folder->back() != '/') std::abort();
    }
    const auto lines2 = mmx::settingsFileLines(state);
    if (lines2.size() != static_cast<size_t>(mmx::kSettingsFileLines)) std::abort();
    for (const auto& line : lines) {
        mmx::strictInteger(line);
        mmx::booleanValue(line);
    }
    return 0;
}
