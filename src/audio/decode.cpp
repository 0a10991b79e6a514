#include "audio/decode.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <numeric>
#include <span>

namespace mmx::audio {
namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfilePtr = std::unique_ptr<SNDFILE, SndfileCloser>;

Decoded failure(std::string reason) {
    Decoded decoded;
    decoded.error = std::move(reason);
    return decoded;
}

std::string openError() {
    // libsndfile keeps the reason of the last failed open for a null handle.
    return sf_strerror(nullptr);
}

Decoded readAll(SNDFILE* file, const SF_INFO& info) {
    if (info.channels < 1) return failure("no audio channels");
    if (info.samplerate < 1 || info.samplerate > 768000) return failure("unusable sample rate");
    const auto channels = static_cast<size_t>(info.channels);
    const auto maxFrames = static_cast<size_t>(kMaxInputSeconds * info.samplerate);

    Decoded decoded;
    decoded.signal.rate = static_cast<uint32_t>(info.samplerate);
    auto& out = decoded.signal.samples;
    // The header's frame count is a hint for the allocation only, kept modest against lies.
    out.reserve(std::min<size_t>({static_cast<size_t>(std::max<sf_count_t>(info.frames, 0)), maxFrames, size_t{1} << 24}));
    // The frame count in the header is not trusted (streams and damaged files); read to the end.
    constexpr size_t kChunkFrames = 8192;
    std::vector<float> chunk(kChunkFrames * channels);
    const float scale = 1.0f / static_cast<float>(channels);
    for (;;) {
        const sf_count_t got = sf_readf_float(file, chunk.data(), static_cast<sf_count_t>(kChunkFrames));
        if (got <= 0) break;
        const auto frames = static_cast<size_t>(got);
        if (out.size() + frames > maxFrames) return failure("longer than one hour");
        const size_t at = out.size();
        out.resize(at + frames);
        float* mono = out.data() + at;
        const float* in = chunk.data();
        for (float& sample : std::span(mono, frames)) {
            sample = std::accumulate(in, in + channels, 0.0f) * scale;
            in += channels;
        }
    }
    if (sf_error(file) != SF_ERR_NO_ERROR) return failure(sf_strerror(file));
    if (out.empty()) return failure("no sound in the file");
    // Float files may hold values far outside full scale or not-a-number; keep them finite.
    for (float& sample : out) {
        if (!std::isfinite(sample)) sample = 0;
    }
    decoded.ok = true;
    return decoded;
}

struct MemoryFile {
    std::string_view bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size()); }

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    sf_count_t target = offset;
    if (whence == SEEK_CUR) target = file->position + offset;
    if (whence == SEEK_END) target = size + offset;
    if (target < 0) return -1;
    file->position = std::min(target, size);
    return file->position;
}

sf_count_t memoryRead(void* buffer, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    const sf_count_t n = std::max<sf_count_t>(0, std::min(count, size - file->position));
    std::memcpy(buffer, file->bytes.data() + file->position, static_cast<size_t>(n));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t memoryTell(void* user) { return static_cast<MemoryFile*>(user)->position; }

}  // namespace

Decoded decodeFile(const std::string& path) {
    // Look before opening: opening a FIFO for reading would wait for a writer.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return failure(std::strerror(errno));
    if (S_ISDIR(status.st_mode)) return failure("is a folder");
    if (!S_ISREG(status.st_mode)) return failure("not a regular file");
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == -1) return failure(std::strerror(errno));
    // The path may have been swapped between the look and the open.
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        SF_INFO info{};
        SndfilePtr file(sf_open_fd(fd, SFM_READ, &info, SF_TRUE));  // takes fd over
        if (!file) return failure(openError());
        return readAll(file.get(), info);
    }
    ::close(fd);
    return failure("not a regular file");
}

Decoded decodeBytes(std::string_view bytes) {
    MemoryFile memory{bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SndfilePtr file(sf_open_virtual(&io, SFM_READ, &info, &memory));
    if (!file) return failure(openError());
    return readAll(file.get(), info);
}

}  // namespace mmx::audio
