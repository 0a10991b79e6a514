// Any bytes as a message file: the WAVE check never crashes, and what it accepts has a rate in
// the unit's range and a data length within the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/message_table.h"
#include "core/wave_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz_wave_header." + std::to_string(::getpid()) + ".wav";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    const mmx::WaveCheck check = mmx::ReadWaveHeader(path);
    if (check.accepted) {
        if (check.messageBoxIndex) std::abort();
        if (check.info.sampleRate < mmx::kMinSampleRate || check.info.sampleRate > mmx::kMaxSampleRate) std::abort();
        if (check.info.fileLength != size || check.info.dataLength > size) std::abort();
        if (mmx::playTimeText(check.info).empty()) std::abort();
        if (mmx::storedLength(check.info.fileLength) <= static_cast<int64_t>(size)) std::abort();
    }
    return 0;
}
