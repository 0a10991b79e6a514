// Any bytes through the decoder: the result is valid UTF-8, and an 8-bit Windows-1252 file
// encodes back to exactly its own bytes (a file read and saved again keeps them).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto page : {mmx::CodePage::Windows1252, mmx::CodePage::GBK, mmx::CodePage::Big5}) {
        const auto decoded = mmx::decodeText(bytes, page);
        if (!mmx::isValidUtf8(decoded.utf8)) std::abort();
        const auto encoded = mmx::encodeText(decoded.utf8, decoded.encoding);
        if (decoded.encoding == mmx::TextEncoding::Utf8 || decoded.encoding == mmx::TextEncoding::Windows1252 ||
            decoded.encoding == mmx::TextEncoding::Utf8WithBom) {
            if (!encoded || *encoded != bytes) std::abort();
        }
        const auto cut = mmx::firstCharacters(decoded.utf8, size % 23);
        if (mmx::characterCount(cut) > size % 23) std::abort();
        mmx::splitLines(decoded.utf8);
    }
    return 0;
}
