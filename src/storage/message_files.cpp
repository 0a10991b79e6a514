#include "storage/message_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/file_refusal.h"
#include "core/plain_text.h"
#include "core/wave_header.h"
#include "image/memory_map.h"
#include "image/setup_plan.h"

namespace mmx {

namespace {

// Reads a regular file whole. A FIFO or device is refused before it is read, so a path that
// became one never blocks the upload.
bool readRegularFile(const std::string& path, std::vector<uint8_t>& bytes, MessageFileProblem& problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        problem.kind = errno == ENOENT || errno == ENOTDIR ? MessageFileProblem::Kind::Missing
                                                           : MessageFileProblem::Kind::Unreadable;
        problem.detail = std::string("cannot open: ") + std::strerror(errno);
        problem.systemError = errno;
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        problem.kind = MessageFileProblem::Kind::Missing;
        problem.detail = "not a regular file";
        return false;
    }
    // Read straight into the vector, with room for the checksum word and the block's padding,
    // so that the image takes the bytes over without copying (this runs on up to 8 MB).
    const auto size = static_cast<size_t>(info.st_size);
    bytes.reserve(size + image::kBlockBytes + 2);
    bytes.resize(size);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() + 4096);  // the file grew meanwhile
        const ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (count > 0) {
            filled += static_cast<size_t>(count);
        } else if (count == 0) {
            bytes.resize(filled);
            break;
        } else if (errno != EINTR) {
            problem.kind = MessageFileProblem::Kind::Unreadable;
            problem.detail = std::string("cannot read: ") + std::strerror(errno);
            problem.systemError = errno;
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    return true;
}

}  // namespace

LoadedImage loadUnitImage(const Setup& setup) {
    if (const EntryNamingEmptySlot entry = firstEntryNamingEmptySlot(setup)) {
        MessageFileProblem problem;
        problem.kind = MessageFileProblem::Kind::EmptySlotInSequence;
        problem.trigger = entry.trigger;
        problem.slot = entry.slot;
        problem.detail = "trigger " + std::to_string(entry.trigger) + " plays slot " + std::to_string(entry.slot) +
                         ", which is empty";
        return {std::nullopt, problem};
    }
    image::ImageInput input;
    for (int k = 1; k <= unit::kSlots; ++k) {
        const Slot& slot = setup.slot(k);
        if (!slot.filled()) continue;
        MessageFileProblem problem;
        problem.slot = k;
        problem.name = slot.name;
        problem.path = trimBlanks(slot.path);
        image::MessageFile file{slot.name, {}};
        if (!readRegularFile(problem.path, file.bytes, problem)) return {std::nullopt, problem};
        const WaveCheck check = CheckWaveBytes(file.bytes);
        if (!check.accepted) {
            problem.kind = MessageFileProblem::Kind::Refused;
            problem.messageBoxIndex = check.messageBoxIndex;
            problem.detail = "no longer a unit-ready WAVE file";
            return {std::nullopt, problem};
        }
        input.messages[static_cast<size_t>(k - 1)] = std::move(file);
    }
    input.triggers = image::triggerPlanOf(setup);
    image::UnitImage built = image::UnitImage::build(std::move(input));
    if (built.storedBytes() > static_cast<uint64_t>(unit::kCapacityBytes)) {
        MessageFileProblem problem;
        problem.kind = MessageFileProblem::Kind::OverCapacity;
        problem.messageBoxIndex = FileRefusal::ExceedsCapacity;
        problem.neededBytes = built.storedBytes();
        problem.detail = "the messages need " + std::to_string(built.storedBytes()) + " bytes; the unit holds " +
                         std::to_string(unit::kCapacityBytes);
        return {std::nullopt, problem};
    }
    return {std::move(built), std::nullopt};
}

}  // namespace mmx
