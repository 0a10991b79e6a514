// Any bytes as a settings file: the reader never crashes, whatever it takes keeps the port
// number, time-out and framing within their ranges, and a file it took whole reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/unit_facts.h"
#include "storage/settings_file.h"
#include "storage/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = mmx::splitLines(mmx::decodeText(bytes, mmx::CodePage::Windows1252).utf8);
    const std::string app = "/opt/mmx/";
    const mmx::Settings defaults = mmx::Settings::defaultsFor(app);
    mmx::FileOutcome outcome;
    const mmx::Settings read = mmx::parseSettingsLines(lines, defaults, app, &outcome);
    if (read.port.Commport < 1 || read.port.Commport > mmx::kComPorts) std::abort();
    if (read.port.CommTimeOut < mmx::unit::kMinByteTimeOutMs || read.port.CommTimeOut > mmx::unit::kMaxByteTimeOutMs) std::abort();
    if (!mmx::isLineBaud(read.port.line.baud)) std::abort();
    for (const auto* folder : {&read.builtInLanguageFolder, &read.otherLanguageFolder, &read.setupFolder, &read.waveFolder}) {
        if (folder->empty() || folder->back() != '/') std::abort();
    }
    const auto written = mmx::settingsLines(read);
    if (written.size() != static_cast<size_t>(mmx::kSettingsFileLines)) std::abort();
    if (!outcome) return 0;
    for (const auto& line : written) {
        if (line.find_first_of("\r\n") != std::string::npos) return 0;
    }
    mmx::FileOutcome again;
    if (mmx::parseSettingsLines(written, defaults, app, &again) != read || !again) std::abort();
    return 0;
}
