// Any bytes as a language file, decoded from each of the three code pages: reading and
// applying never crashes, and a file of fewer than 83 lines changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/text_codec.h"
#include "ui/lang/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the code page, as the file name would.
    const mmx::CodePage pages[] = {mmx::CodePage::Windows1252, mmx::CodePage::GBK, mmx::CodePage::Big5};
    const mmx::CodePage page = pages[data[0] % 3];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto lines = mmx::splitLines(mmx::decodeText(bytes, page).utf8);
    const auto texts = mmx::languageTextsFromLines(lines);
    if (texts.has_value() != (lines.size() >= static_cast<size_t>(mmx::kLanguageFileLines))) std::abort();
    if (!texts) return 0;
    mmx::ProgramState state;
    state.initialise("/opt/mmx/");
    mmx::CaptionTable captions;
    mmx::applyLanguageTexts(state, captions, *texts);
    if (state.texts.messageBox(12) != "RS232 Com Port cannot be open!") std::abort();
    const auto written = mmx::languageFileLines(state, captions);
    if (written.size() != static_cast<size_t>(mmx::kLanguageFileLines)) std::abort();
    return 0;
}
