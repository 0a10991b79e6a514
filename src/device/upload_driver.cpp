#include "device/upload_driver.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>

#include "core/number_format.h"
#include "core/ui_text_table.h"
#include "device/erase.h"

namespace mmx {

namespace {

constexpr uint8_t kStar = 0x2A;
constexpr uint8_t kCr = 0x0D;
constexpr uint8_t kLf = 0x0A;
constexpr uint8_t kStartCommand = 'P';
constexpr uint8_t kWriteCommand = 'W';
constexpr uint8_t kListCommand = 'L';
constexpr uint8_t kReadCommand = 'R';
constexpr uint16_t kBlockFrameLength = 3 + kUploadBlockBytes;  // address and one block: 353
constexpr uint16_t kTableFrameLength = 3 + kTableBytes;        // address and one table: 131
constexpr uint32_t kMessageLimitAddress = kMessageTableAddress;  // message data stays below the tables
constexpr int kTickMs = 1000;
// After a refused or damaged reply the rest of that answer (or a second answer the unit made
// of a garbled frame) may still be on its way; the frame goes out again only once the line has
// been quiet this long, so a stale answer is never taken for the answer to the resend.
constexpr int kDrainQuietMs = 50;
constexpr int kDrainLimitMs = 2000;

bool acknowledged(uint8_t code) { return code == ResultCode::Ack; }
// A refusal or a damaged answer: the unit is there, the frame can go out again.
bool resendable(uint8_t code) { return code != ResultCode::Ack && code != ResultCode::TimeOut; }

// The word that closes a table: 0 when the other words sum to 0, else the one that makes the
// 64 words sum to 0xFFC0.
uint16_t tableChecksum(const std::vector<uint8_t>& table) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 2 < kTableBytes; i += 2) sum += static_cast<uint32_t>(table[i]) << 8 | table[i + 1];
    sum &= 0xFFFF;
    if (sum == 0) return 0;
    return static_cast<uint16_t>((0x10000u - sum - 64u) & 0xFFFF);
}

void putChecksum(std::vector<uint8_t>& table) {
    const uint16_t word = tableChecksum(table);
    table[kTableBytes - 2] = static_cast<uint8_t>(word >> 8);
    table[kTableBytes - 1] = static_cast<uint8_t>(word & 0xFF);
}

void putEntry(std::vector<uint8_t>& table, size_t offset, int32_t address) {
    if (address < 0) {
        std::fill_n(table.begin() + static_cast<std::ptrdiff_t>(offset), 4, uint8_t{0xFF});
        return;
    }
    const uint32_t value = static_cast<uint32_t>(address);
    table[offset] = 0x00;
    table[offset + 1] = static_cast<uint8_t>((value >> 16) & 0xFF);
    table[offset + 2] = static_cast<uint8_t>((value >> 8) & 0xFF);
    table[offset + 3] = static_cast<uint8_t>(value & 0xFF);
}

int32_t entryValue(const uint8_t* bytes) {
    if (bytes[0] >= 128) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
                                static_cast<uint32_t>(bytes[2]) << 8 | bytes[3]);
}

int32_t clampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Length of the regular file at path; -1 when there is none.
int64_t fileLength(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return static_cast<int64_t>(info.st_size);
}

std::string codeText(uint8_t code) {
    switch (code) {
        case ResultCode::BadChecksum: return "an answer with a wrong checksum (code 1)";
        case ResultCode::NoCarriageReturn: return "an answer without its CR (code 2)";
        case ResultCode::NoLineFeed: return "an answer without its LF (code 3)";
        case ResultCode::WrongCommand: return "an answer for another command (code 4)";
        case ResultCode::WrongParameter: return "an answer with another parameter (code 5)";
        case ResultCode::Nak: return "not acknowledged (21)";
        default: return "the answer " + std::to_string(code);
    }
}

}  // namespace

UploadSetup UploadSetup::from(const ProgramState& state) {
    UploadSetup setup;
    for (int k = 1; k <= kSlotCount; ++k) {
        const MessageSlot& slot = state.messages.slot(k);
        setup.slots[static_cast<size_t>(k - 1)] = Slot{slot.WaveFile, slot.FilePath, slot.TMsgSize};
    }
    for (int i = 1; i <= kEntryCount; ++i) setup.TRG1[static_cast<size_t>(i - 1)] = state.triggers.entry(i).text;
    for (int i = 1; i <= kZoneCount; ++i) setup.Check1[static_cast<size_t>(i - 1)] = state.triggers.zone(i) == 1;
    setup.TFileLength = state.messages.TFileLength;
    setup.MessagesUploaded = state.MessagesUploaded;
    return setup;
}

void UploadResult::applyTo(ProgramState& state) const {
    for (int k = 1; k <= kSlotCount; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        if (!TMsgSizeSet[i]) continue;
        MessageSlot& slot = state.messages.slot(k);
        slot.TMsgSize = TMsgSize[i];
        slot.MsgSize = std::to_string(TMsgSize[i] / 1000);
    }
    state.messages.recomputeTotals();
    state.MessagesUploaded = messagesUploaded;
}

uint8_t UploadDriver::sequenceNumber(const std::string& text) {
    const int64_t value = wholeNumberValue(text);
    return static_cast<uint8_t>(((value % 256) + 256) % 256);
}

std::vector<uint8_t> UploadDriver::messageTableBytes(const std::array<int32_t, kSlotCount>& msgAddress,
                                                     int32_t endAddress, uint8_t msgNumber) {
    std::vector<uint8_t> table(kTableBytes, 0);
    for (size_t i = 0; i < kSlotCount; ++i) putEntry(table, 4 * i, msgAddress[i]);
    putEntry(table, 48, endAddress);
    table[52] = 0x00;
    table[53] = msgNumber;
    putChecksum(table);
    return table;
}

std::vector<uint8_t> UploadDriver::triggerTableBytes(const std::array<std::string, kEntryCount>& trg1,
                                                     const std::array<bool, kZoneCount>& check1) {
    std::vector<uint8_t> table(kTableBytes, 0);
    for (int t = 1; t <= kTriggerCount; ++t) {
        const size_t row = static_cast<size_t>(10 * (t - 1));
        for (int j = 1; j <= kEntriesPerTrigger; ++j) {
            table[row + static_cast<size_t>(2 * (j - 1)) + 1] =
                sequenceNumber(trg1[static_cast<size_t>(entryIndex(t, j) - 1)]);
        }
        uint8_t mask = 0;
        for (int k = 1; k <= kZonesPerTrigger; ++k) {
            if (check1[static_cast<size_t>(zoneIndex(t, k) - 1)]) mask = static_cast<uint8_t>(mask | (1u << (k - 1)));
        }
        table[row + 9] = mask;
    }
    putChecksum(table);
    return table;
}

MessageTableContent decodeMessageTable(const uint8_t* bytes) {
    MessageTableContent table;
    for (size_t i = 0; i < kSlotCount; ++i) table.MsgAddress[i] = entryValue(bytes + 4 * i);
    table.EndAddress = entryValue(bytes + 48);
    table.MsgNumber = std::min<uint8_t>(bytes[53], static_cast<uint8_t>(kSlotCount));
    for (size_t i = 0; i + 1 < table.MsgNumber; ++i) {
        table.UnitMsgLength[i] = clampToInt32((static_cast<int64_t>(table.MsgAddress[i + 1]) - table.MsgAddress[i]) * 2);
    }
    if (table.MsgNumber >= 1) {
        const size_t last = static_cast<size_t>(table.MsgNumber - 1);
        table.UnitMsgLength[last] = clampToInt32((static_cast<int64_t>(table.EndAddress) - table.MsgAddress[last]) * 2);
    }
    std::vector<uint8_t> copy(bytes, bytes + kTableBytes);
    table.checksumOk = tableChecksum(copy) == (static_cast<uint16_t>(copy[126] << 8 | copy[127]));
    return table;
}

UploadDriver::UploadDriver(Connection& connection, UploadProgressSink* sink)
    : connection_(connection), protocol_(connection.protocol()), sink_(sink) {}

void UploadDriver::cancel() {
    cancelled_.store(true);
    protocol_.cancel();
}

void UploadDriver::pumpClock() {
    const int64_t now = protocol_.clock().nowMs();
    bool ticked = false;
    while (now >= nextTickMs_) {
        connection_.Timer1Tick();
        nextTickMs_ += kTickMs;
        ticked = true;
    }
    if (ticked && sink_ != nullptr && connection_.progressVisible() && connection_.progress().TFileLength > 0) {
        const UploadProgress& figures = connection_.progress();
        sink_->progressTick(figures, progressCaption(figures, connection_.texts().status(UiTextTable::RemainingTime)));
    }
}

bool UploadDriver::commandDo(uint8_t command) {
    if (cancelRequested()) {
        protocol_.cancel();
        protocol_.Status = ResultCode::TimeOut;
        return false;
    }
    protocol_.DataLength = 0;  // P, W and L carry no data; the last answer left its length here
    const bool ok = protocol_.CommandDo(command, CommandProtocol::kParameter);
    pumpClock();
    return ok;
}

uint8_t UploadDriver::readDataReply() {
    protocol_.Status = protocol_.CommandRead(kWriteCommand, CommandProtocol::kParameter);
    pumpClock();
    return protocol_.Status;
}

void UploadDriver::drainLine() {
    protocol_.clearReceiveRing();
    BytePort* port = protocol_.port();
    if (port == nullptr || !port->isOpen()) return;
    const int64_t start = protocol_.clock().nowMs();
    uint8_t scratch[256];
    while (!cancelRequested() && protocol_.clock().nowMs() - start < kDrainLimitMs) {
        if (port->read(std::span<uint8_t>(scratch, sizeof scratch), kDrainQuietMs) <= 0) break;
    }
}

void UploadDriver::writeAddress(uint32_t address) {
    protocol_.RS232Write(static_cast<uint8_t>((address >> 16) & 0xFF));
    protocol_.RS232Write(static_cast<uint8_t>((address >> 8) & 0xFF));
    protocol_.RS232Write(static_cast<uint8_t>(address & 0xFF));
}

void UploadDriver::sendClosingFrame() {
    protocol_.OutputCheckSum = 0;
    protocol_.RS232Write(kStar);
    protocol_.RS232WriteInt(0);
    protocol_.RS232WriteHex(protocol_.OutputCheckSum);
    protocol_.RS232Write(kCr);
    protocol_.RS232Write(kLf);
}

void UploadDriver::setProgressValue(int32_t value) {
    const UploadProgress& figures = connection_.progress();
    const long maximum = figures.TFileLength;
    const long shown = std::min<long>(value, maximum);
    connection_.display().setProgressValue(shown, maximum);
    if (sink_ != nullptr) sink_->progressValue(shown, maximum);
}

void UploadDriver::failWith(UploadResult& result, UploadStep step, UploadFault fault, const std::string& detail) {
    result.verdict = UploadVerdict::Failed;
    result.failedStep = step;
    result.fault = fault;
    result.lastStatus = protocol_.Status;
    result.detail = detail;
}

void UploadDriver::failOnCode(UploadResult& result, UploadStep step, uint8_t code) {
    if (code == ResultCode::TimeOut) {
        if (cancelRequested() || protocol_.lastFailure() == CommandProtocol::Failure::Cancelled) {
            failWith(result, step, UploadFault::Cancelled, "cancelled");
            return;
        }
        const auto why = protocol_.lastFailure();
        const bool garbage = why == CommandProtocol::Failure::RingOverrun || why == CommandProtocol::Failure::AnswerTooLong;
        std::string words = protocol_.failureText();
        if (words.empty()) words = "the unit did not answer";
        failWith(result, step, garbage ? UploadFault::Refused : UploadFault::NoAnswer, words);
        return;
    }
    failWith(result, step, UploadFault::Refused, "the unit sent " + codeText(code));
}

void UploadDriver::end(UploadResult& result) {
    connection_.Disconnect();
    connection_.ClearConnectionDisplay();
    connection_.display().releaseControls();
    if (sink_ != nullptr) sink_->progressVisible(false, 0);
    if (cancelRequested() && !result.succeeded()) {
        result.verdict = UploadVerdict::Cancelled;
        result.fault = UploadFault::Cancelled;
        if (result.detail.empty()) result.detail = "cancelled";
    }
}

void UploadDriver::surveyFiles() {
    for (size_t i = 0; i < kSlotCount; ++i) {
        const auto& slot = setup_.slots[i];
        fileLength_[i] = slot.WaveFile.empty() ? -1 : fileLength(trimBlanks(slot.FilePath));
    }
}

int32_t UploadDriver::expectedLength(size_t i) const {
    // A file that changed length since it was chosen is compared by what it is now, so a
    // re-recorded message is never mistaken for the one on the unit.
    const auto& slot = setup_.slots[i];
    if (!slot.WaveFile.empty() && fileLength_[i] >= 0) return storedLength(static_cast<uint64_t>(fileLength_[i]));
    return slot.TMsgSize;
}

bool UploadDriver::checkFiles(UploadResult& result, int32_t& total) {
    // Everything the full upload needs is checked before the unit's memory is erased, so a
    // missing file or a set-up that grew too large leaves the unit as it was.
    surveyFiles();
    int64_t sum = 0;
    for (size_t i = 0; i < kSlotCount; ++i) {
        if (setup_.slots[i].WaveFile.empty()) continue;
        if (fileLength_[i] < 0) {
            MsgAddress_[i] = -1;
            protocol_.showStatusMessage(UiTextTable::UploadFailed);
            connection_.display().alert(connection_.texts().messageBox(UiTextTable::MessagePathIncorrect));
            failWith(result, UploadStep::CheckFiles, UploadFault::FileMissing,
                     "slot " + std::to_string(i + 1) + ": no file at " + trimBlanks(setup_.slots[i].FilePath));
            result.failedSlot = static_cast<int>(i + 1);
            return false;
        }
        sum += storedLength(static_cast<uint64_t>(fileLength_[i]));
    }
    if (sum > kMemoryCapacityBytes) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        connection_.display().alert(connection_.texts().messageBox(UiTextTable::ExceedsCapacity));
        failWith(result, UploadStep::CheckFiles, UploadFault::OverCapacity,
                 "the messages need " + std::to_string(sum) + " bytes; the unit holds " +
                     std::to_string(kMemoryCapacityBytes));
        return false;
    }
    total = static_cast<int32_t>(sum);
    return true;
}

UploadResult UploadDriver::run(const UploadSetup& setup, const UploadOptions& options) {
    UploadResult result = runSteps(setup, options);
    protocol_.setWaitHook(nullptr);
    cancelled_.store(false);
    return result;
}

UploadResult UploadDriver::runSteps(const UploadSetup& setup, const UploadOptions& options) {
    UploadResult result;
    setup_ = setup;
    result.messagesUploaded = setup.MessagesUploaded;
    StatusDisplay& display = connection_.display();
    const UiTextTable& texts = connection_.texts();

    // 1. No progress shown yet; the messages count as changed until the unit says otherwise.
    connection_.showProgress(false);
    display.setProgressCaption("");
    bool unchanged = false;

    // 2. Open the port.
    if (!connection_.Connect()) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        connection_.ClearConnectionDisplay();
        display.releaseControls();
        display.alert(texts.messageBox(UiTextTable::PortCannotOpen));
        result.verdict = UploadVerdict::PortError;
        result.failedStep = UploadStep::Connect;
        result.fault = UploadFault::PortCannotOpen;
        result.detail = connection_.lastError();
        return result;
    }
    if (cancelRequested()) protocol_.cancel();  // a cancel that came before the port opened
    nextTickMs_ = protocol_.clock().nowMs() + kTickMs;
    // The clock and the progress caption go on while the unit takes its time to answer.
    protocol_.setWaitHook([this] { pumpClock(); });

    // 3. Fresh state.
    MsgAddress_.fill(0);
    UnitMsgLength_.fill(0);
    protocol_.clearReceiveRing();
    surveyFiles();

    // 4. Does the unit already hold these messages?
    if (setup.MessagesUploaded && !options.forceFull) {
        if (ReadMsgTab()) {
            result.tableReadBack = true;
            unchanged = true;
            for (size_t i = 0; i < kSlotCount; ++i) {
                if (expectedLength(i) != UnitMsgLength_[i]) unchanged = false;
            }
        }
        pumpClock();
    }

    // 5. Start.
    if (!commandDo(kStartCommand)) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failOnCode(result, UploadStep::Start, protocol_.Status);
        end(result);
        return result;
    }

    // 6. Only the configuration changed: rewrite the two tables.
    if (unchanged) {
        if (WriteTrgMsgTab(result)) {
            protocol_.showStatusMessage(UiTextTable::ConfigUploadSucceeded);
            result.verdict = UploadVerdict::ConfigurationSucceeded;
            if (options.verify) verifyTable(result);
        } else {
            protocol_.showStatusMessage(UiTextTable::ConfigUploadFailed);
            if (result.failedStep == UploadStep::None) failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
            result.failedStep = UploadStep::ConfigurationOnly;
        }
        end(result);
        return result;
    }

    result.fullUpload = true;
    int32_t total = 0;
    if (!checkFiles(result, total)) {
        end(result);
        return result;
    }

    // 7. Erase both halves; EraseBlock shows its own result.
    EraseBlock(protocol_, kEraseFirstHalf);
    pumpClock();
    if (acknowledged(protocol_.Status)) {
        EraseBlock(protocol_, kEraseSecondHalf);
        pumpClock();
    }
    if (!acknowledged(protocol_.Status)) {
        failOnCode(result, UploadStep::Erase, protocol_.Status);
        end(result);
        return result;
    }

    // 8. Messages go from word 0 upward; the bar shows the acknowledged bytes.
    WriteAddress_ = 0;
    EndAddress_ = 0;
    MsgNumber_ = 0;
    protocol_.clearReceiveRing();
    UploadProgress& progress = connection_.progress();
    progress.TFileLength = total;
    progress.UploadedBytes = 1;
    progress.ProgressTicks = 1;
    connection_.showProgress(true);
    display.setProgressValue(0, total);
    if (sink_ != nullptr) sink_->progressVisible(true, total);

    // 9. Each used slot in turn.
    for (int k = 1; k <= kSlotCount; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        const auto& slot = setup_.slots[i];
        if (!slot.WaveFile.empty()) {
            if (fileLength(trimBlanks(slot.FilePath)) < 0) {
                MsgAddress_[i] = -1;
                protocol_.showStatusMessage(UiTextTable::UploadFailed);
                display.alert(texts.messageBox(UiTextTable::MessagePathIncorrect));
                failWith(result, UploadStep::SendFile, UploadFault::FileMissing,
                         "slot " + std::to_string(k) + ": no file at " + trimBlanks(slot.FilePath));
                result.failedSlot = k;
                end(result);
                return result;
            }
            display.setStatusPanel(texts.statusLine(slot.WaveFile + " " + trimBlanks(texts.status(UiTextTable::FileUploading))));
            MsgAddress_[i] = WriteAddress_;
            if (!SendWaveFile(k, result)) {
                result.failedSlot = k;
                end(result);
                return result;
            }
        } else {
            MsgAddress_[i] = -1;
        }
        if (WriteAddress_ != EndAddress_) {
            MsgNumber_ = static_cast<uint8_t>(MsgNumber_ + 1);
            EndAddress_ = WriteAddress_;
        }
    }

    // 10. The tables.
    if (!commandDo(kWriteCommand)) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failOnCode(result, UploadStep::WriteTables, protocol_.Status);
        end(result);
        return result;
    }

    // 11. A refused table ends the upload here: after it no reply would come for step 12.
    WriteAddress_ = static_cast<int32_t>(kMessageTableAddress);
    WriteMsgTab(result);
    if (acknowledged(protocol_.Status)) {
        WriteAddress_ = static_cast<int32_t>(kTriggerTableAddress);
        WriteTrgTab(result);
    }
    if (!acknowledged(protocol_.Status)) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failOnCode(result, UploadStep::WriteTables, protocol_.Status);
        end(result);
        return result;
    }
    protocol_.OutputCheckSum = 0;
    sendClosingFrame();

    // 12. The reply to the closing frame.
    if (!acknowledged(readDataReply())) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failOnCode(result, UploadStep::WriteTables, protocol_.Status);
        end(result);
        return result;
    }

    // 13. Finish.
    if (!commandDo(kListCommand)) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failOnCode(result, UploadStep::Finish, protocol_.Status);
        end(result);
        return result;
    }

    // 14. Done.
    result.messagesUploaded = true;
    result.verdict = UploadVerdict::Succeeded;
    protocol_.showStatusMessage(UiTextTable::UploadSucceeded);
    if (options.verify) verifyTable(result);
    end(result);
    return result;
}

bool UploadDriver::SendWaveFile(int slot, UploadResult& result) {
    const size_t index = static_cast<size_t>(slot - 1);
    const std::string path = trimBlanks(setup_.slots[index].FilePath);

    // 1. The whole file is read at once, so a file changing on disk cannot tear a message.
    std::vector<uint8_t> file;
    {
        std::ifstream in(path, std::ios::binary);
        if (in) file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) {
            protocol_.showStatusMessage(UiTextTable::UploadFailed);
            failWith(result, UploadStep::SendFile, UploadFault::FileUnreadable, "slot " + std::to_string(slot) +
                                                                                   ": cannot read " + path);
            return false;
        }
    }
    const int64_t L = static_cast<int64_t>(file.size());

    // 2. The stored length counts the blocks really sent.
    const int32_t stored = storedLength(static_cast<uint64_t>(L));
    result.TMsgSize[index] = stored;
    result.TMsgSizeSet[index] = true;
    if (static_cast<int64_t>(WriteAddress_) + stored / 2 > static_cast<int64_t>(kMessageLimitAddress)) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failWith(result, UploadStep::SendFile, UploadFault::OverCapacity,
                 "slot " + std::to_string(slot) + ": the file grew and no longer fits the unit's memory");
        return false;
    }

    // 3. Announce the data frames.
    if (!commandDo(kWriteCommand)) {
        protocol_.showStatusMessage(UiTextTable::UploadFailed);
        failOnCode(result, UploadStep::SendFile, protocol_.Status);
        return false;
    }

    // 4. p: next file byte (1-based); s: running word sum; d: 0 data pending, 1 the checksum
    // went out in the first half of the current word, 2 the checksum is out; t: tries left.
    int64_t p = 1;
    uint16_t s = 0;
    int d = 0;
    int t = kFrameTries;
    bool firstTry = true;
    while (d == 0 && t >= 1) {
        if (cancelRequested()) {
            protocol_.cancel();
            protocol_.Status = ResultCode::TimeOut;
            break;
        }
        if (!firstTry) ++result.frameResends;
        // 5.1 Frame head.
        protocol_.OutputCheckSum = 0;
        protocol_.RS232Write(kStar);
        protocol_.RS232WriteInt(kBlockFrameLength);
        writeAddress(static_cast<uint32_t>(WriteAddress_));
        // 5.2 Block start, to go back to when the block must go out again.
        const int64_t blockP = p;
        const uint16_t blockS = s;
        // 5.3 175 words.
        for (size_t w = 0; w < kBlockWords; ++w) {
            uint8_t h = 0;
            uint8_t l = 0;
            if (p <= L) {
                h = file[static_cast<size_t>(p - 1)];
                protocol_.RS232Write(h);
            } else if (d != 0) {
                h = 0xFF;
                protocol_.RS232Write(h);
            } else {
                const uint16_t c = static_cast<uint16_t>(65535 - s);
                protocol_.RS232Write(static_cast<uint8_t>(c >> 8));
                protocol_.RS232Write(static_cast<uint8_t>(c & 0xFF));
                d = 1;
            }
            if (p + 1 <= L) {
                l = file[static_cast<size_t>(p)];
                protocol_.RS232Write(l);
            } else if (d != 1) {
                l = 0xFF;
                protocol_.RS232Write(l);
            } else {
                d = 2;
            }
            s = static_cast<uint16_t>((h * 256 + s + l + 1) & 0xFFFF);
            p += 2;
        }
        // 5.4 Frame tail.
        protocol_.RS232WriteHex(protocol_.OutputCheckSum);
        protocol_.RS232Write(kCr);
        protocol_.RS232Write(kLf);
        // 5.5 The reply.
        const uint8_t code = readDataReply();
        if (acknowledged(code)) {
            UploadProgress& progress = connection_.progress();
            progress.UploadedBytes = std::min(progress.UploadedBytes + kUploadBlockBytes, progress.TFileLength);
            setProgressValue(progress.UploadedBytes);
            t = kFrameTries;
            WriteAddress_ += static_cast<int32_t>(kBlockWords);
            ++result.blocksSent;
            firstTry = true;
        } else if (resendable(code)) {
            // Refused or damaged: the same block again at the same address, within the tries.
            --t;
            p = blockP;
            s = blockS;
            d = 0;
            firstTry = false;
            drainLine();
        } else {
            break;  // silence: the link is gone
        }
    }

    // 6. The closing frame.
    if (acknowledged(protocol_.Status)) {
        sendClosingFrame();
        if (acknowledged(readDataReply())) {
            protocol_.showStatusMessage(UiTextTable::UploadSucceeded);
            return true;
        }
    }
    // 7.
    protocol_.showStatusMessage(UiTextTable::UploadFailed);
    failOnCode(result, UploadStep::SendFile, protocol_.Status);
    return false;
}

bool UploadDriver::sendTableFrame(const std::vector<uint8_t>& table, UploadResult& result) {
    const uint32_t address = static_cast<uint32_t>(WriteAddress_);
    protocol_.Status = ResultCode::Nak;
    int tries = kFrameTries;
    bool first = true;
    while (resendable(protocol_.Status) && tries > 0) {
        if (cancelRequested()) {
            protocol_.cancel();
            protocol_.Status = ResultCode::TimeOut;
            break;
        }
        if (!first) {
            ++result.frameResends;
            drainLine();
        }
        first = false;
        protocol_.OutputCheckSum = 0;
        protocol_.RS232Write(kStar);
        protocol_.RS232WriteInt(kTableFrameLength);
        writeAddress(address);
        for (uint8_t byte : table) protocol_.RS232Write(byte);
        protocol_.RS232WriteHex(protocol_.OutputCheckSum);
        protocol_.RS232Write(kCr);
        protocol_.RS232Write(kLf);
        if (resendable(readDataReply())) --tries;
    }
    return acknowledged(protocol_.Status);
}

void UploadDriver::WriteMsgTab(UploadResult& result) {
    result.messageTable = messageTableBytes(MsgAddress_, EndAddress_, MsgNumber_);
    sendTableFrame(result.messageTable, result);
}

void UploadDriver::WriteTrgTab(UploadResult& result) {
    result.triggerTable = triggerTableBytes(setup_.TRG1, setup_.Check1);
    sendTableFrame(result.triggerTable, result);
}

bool UploadDriver::ReadMsgTab() {
    protocol_.clearReceiveRing();
    WriteAddress_ = static_cast<int32_t>(kMessageTableAddress);
    protocol_.Status = 0;
    protocol_.setAddressPayload(kMessageTableAddress);
    protocol_.CommandWrite(kReadCommand, CommandProtocol::kParameter);
    protocol_.Status = protocol_.CommandRead(kReadCommand, CommandProtocol::kParameter);
    // A data answer shorter than the table would leave old bytes in Data to be decoded.
    if (!acknowledged(protocol_.Status) || protocol_.DataLength < kTableBytes) {
        protocol_.showStatusMessage(UiTextTable::ReadingFailed);
        return false;
    }
    const MessageTableContent table = decodeMessageTable(&protocol_.Data[1]);
    MsgAddress_ = table.MsgAddress;
    EndAddress_ = table.EndAddress;
    MsgNumber_ = table.MsgNumber;
    UnitMsgLength_ = table.UnitMsgLength;
    return true;
}

bool UploadDriver::WriteTrgMsgTab(UploadResult& result) {
    protocol_.clearReceiveRing();
    EraseBlock(protocol_, kTriggerTableAddress);
    pumpClock();
    if (!acknowledged(protocol_.Status)) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    if (!commandDo(kWriteCommand)) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    WriteAddress_ = static_cast<int32_t>(kMessageTableAddress);
    WriteMsgTab(result);
    const bool messageTableOk = acknowledged(protocol_.Status);
    bool triggerTableOk = false;
    if (messageTableOk) {
        WriteAddress_ = static_cast<int32_t>(kTriggerTableAddress);
        WriteTrgTab(result);
        triggerTableOk = acknowledged(protocol_.Status);
    }
    if (protocol_.Status == ResultCode::TimeOut) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    // The closing frame ends the data frames even after a refused table, but only two
    // acknowledged tables make the upload complete.
    const uint8_t refused = protocol_.Status;
    sendClosingFrame();
    if (!acknowledged(readDataReply())) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    if (!messageTableOk || !triggerTableOk) {
        failOnCode(result, UploadStep::ConfigurationOnly, refused);
        return false;
    }
    if (!commandDo(kListCommand)) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    return true;
}

void UploadDriver::verifyTable(UploadResult& result) {
    // "Every frame acknowledged" is weaker than "the unit holds it": read the table back.
    protocol_.showStatusMessage(UiTextTable::CheckingData);
    protocol_.clearReceiveRing();
    protocol_.setAddressPayload(kMessageTableAddress);
    protocol_.CommandWrite(kReadCommand, CommandProtocol::kParameter);
    protocol_.Status = protocol_.CommandRead(kReadCommand, CommandProtocol::kParameter);
    pumpClock();
    if (!acknowledged(protocol_.Status) || protocol_.DataLength < kTableBytes) {
        protocol_.showStatusMessage(UiTextTable::CheckingFailed);
        if (acknowledged(protocol_.Status)) {
            failWith(result, UploadStep::Verify, UploadFault::Refused, "the unit answered R with too few bytes");
        } else {
            failOnCode(result, UploadStep::Verify, protocol_.Status);
        }
        result.messagesUploaded = false;
        return;
    }
    const bool same = std::equal(result.messageTable.begin(), result.messageTable.end(), protocol_.Data.begin() + 1);
    if (!same) {
        protocol_.showStatusMessage(UiTextTable::CheckingFailed);
        failWith(result, UploadStep::Verify, UploadFault::VerifyMismatch,
                 "the message table read back differs from the one written");
        result.messagesUploaded = false;
        return;
    }
    result.verified = true;
    // The panel ends with the upload's own verdict.
    protocol_.showStatusMessage(result.verdict == UploadVerdict::Succeeded ? UiTextTable::UploadSucceeded
                                                                           : UiTextTable::ConfigUploadSucceeded);
}

}  // namespace mmx
