#include "core/wave_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <span>

#include "core/number_format.h"
#include "core/file_refusal.h"

namespace mmx {
namespace {

// A read-only file read through a small buffer, so that the search for "data" never
// holds more than one buffer of a large file.
class BufferedFile {
public:
    explicit BufferedFile(const std::string& path) {
        // Look before opening: opening a FIFO waits for a writer, so the type is checked first
        // and the open does not block; the check is repeated on what was opened.
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) return;
        if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        size_ = static_cast<uint64_t>(info.st_size);
    }
    ~BufferedFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    uint64_t size() const { return size_; }
    // Bytes handed out since the start (or the last rewind).
    uint64_t consumed() const { return consumed_ + pos_; }

    bool rewind() {
        filled_ = pos_ = 0;
        consumed_ = 0;
        return ::lseek(fd_, 0, SEEK_SET) == 0;
    }

    // Next byte, or -1 at the end of the file or on a read error.
    int next() {
        if (pos_ == filled_) {
            if (!refill()) return -1;
        }
        return buffer_[pos_++];
    }

private:
    bool refill() {
        for (;;) {
            const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
            if (count > 0) {
                consumed_ += filled_;
                filled_ = static_cast<size_t>(count);
                pos_ = 0;
                return true;
            }
            if (count < 0 && errno == EINTR) continue;
            return false;
        }
    }

    int fd_ = -1;
    uint64_t size_ = 0;
    std::array<uint8_t, 16384> buffer_{};
    size_t filled_ = 0;
    size_t pos_ = 0;
    uint64_t consumed_ = 0;  // bytes of the buffers before the current one
};

// The same byte-at-a-time reading over a file already in memory.
class MemoryBytes {
public:
    explicit MemoryBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool ok() const { return true; }
    uint64_t size() const { return bytes_.size(); }
    uint64_t consumed() const { return pos_; }
    bool rewind() {
        pos_ = 0;
        return true;
    }
    int next() { return pos_ < bytes_.size() ? bytes_[pos_++] : -1; }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

WaveCheck rejected(std::optional<int> messageBoxIndex) {
    WaveCheck check;
    check.messageBoxIndex = messageBoxIndex;
    return check;
}

uint32_t littleEndian(const uint8_t* bytes, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

// Finds "d","a","t","a" from the start of the file. A byte that breaks a partial match is
// not tried again as a "d", so "ddata" does not match at its second "d".
template <class Bytes>
bool findDataLength(Bytes& file, uint32_t& dataLength) {
    static constexpr char kTag[] = "data";
    int matched = 0;
    for (;;) {
        const int byte = file.next();
        if (byte < 0) return false;
        if (byte == kTag[matched]) {
            if (++matched == 4) break;
        } else {
            matched = 0;
        }
    }
    uint8_t length[4];
    for (auto& b : length) {
        const int byte = file.next();
        if (byte < 0) return false;
        b = static_cast<uint8_t>(byte);
    }
    // A length beyond the end of the file (a cut-off copy, a damaged header) counts only the
    // bytes that are there, so the play time is what the file can actually play.
    const uint64_t present = file.size() > file.consumed() ? file.size() - file.consumed() : 0;
    dataLength = static_cast<uint32_t>(std::min<uint64_t>(littleEndian(length, 4), present));
    return true;
}

template <class Bytes>
WaveCheck checkWave(Bytes& file) {
    if (!file.ok()) return rejected(std::nullopt);

    // The header fields sit at their canonical offsets; the chunk list is not walked.
    uint8_t header[36];
    size_t have = 0;
    while (have < sizeof header) {
        const int byte = file.next();
        if (byte < 0) break;
        header[have++] = static_cast<uint8_t>(byte);
    }
    WaveCheck check;
    check.channels = have >= 24 ? static_cast<uint16_t>(littleEndian(header + 22, 2)) : 0;
    check.headerSampleRate = have >= 28 ? littleEndian(header + 24, 4) : 0;
    check.bitsPerSample = have >= 36 ? static_cast<uint16_t>(littleEndian(header + 34, 2)) : 0;
    const auto refuse = [&check](int messageBoxIndex) {
        check.messageBoxIndex = messageBoxIndex;
        return check;
    };
    // A file too short to hold a field fails that field's test.
    if (have < 12 || std::memcmp(header + 8, "WAVE", 4) != 0) return refuse(FileRefusal::NotWave);
    if (have < 24 || check.channels != 1) return refuse(FileRefusal::NotMono);
    const uint32_t rate = check.headerSampleRate;
    if (have < 28 || rate < kMinSampleRate || rate > kMaxSampleRate) return refuse(FileRefusal::BadSampleRate);
    if (have < 36 || check.bitsPerSample != 16) return refuse(FileRefusal::Not16Bit);

    // The search for "data" starts again at offset 0, header included.
    if (!file.rewind() || !findDataLength(file, check.info.dataLength)) return rejected(std::nullopt);
    check.accepted = true;
    check.info.sampleRate = rate;
    check.info.fileLength = file.size();
    return check;
}

}  // namespace

WaveCheck ReadWaveHeader(const std::string& path) {
    BufferedFile file(path);
    return checkWave(file);
}

WaveCheck CheckWaveBytes(std::span<const uint8_t> bytes) {
    MemoryBytes file(bytes);
    return checkWave(file);
}

int64_t playHundredths(const WaveInfo& info) {
    if (info.sampleRate == 0) return 0;
    // dataLength * 100 / (2 * rate), halves up, in integers.
    const uint64_t bytesPerSecond = 2ull * info.sampleRate;
    return static_cast<int64_t>((static_cast<uint64_t>(info.dataLength) * 200 + bytesPerSecond) / (2 * bytesPerSecond));
}

std::string playTimeText(const WaveInfo& info) { return formatHundredths(playHundredths(info)); }

}  // namespace mmx
